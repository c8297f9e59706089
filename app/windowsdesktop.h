// SPDX-License-Identifier: GPL-3.0-or-later
// What Windows says of its desktop beyond what Qt follows by itself. A new
// region format (WM_SETTINGCHANGE "intl") reaches the window as a change of
// locale, and a new message font makes Qt read the desktop's fonts anew, as
// it does for a change of colours. Dark mode, which Vista's style (Qt's
// choice on Windows 10) cannot paint, is painted by Fusion with the system's
// dark palette, and Qt's own choice comes back with the light.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QString>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

class WindowsDesktop : public QObject, public QAbstractNativeEventFilter
{
public:
    explicit WindowsDesktop(QWidget *window);
    ~WindowsDesktop() override;

    // The style for the system's colour scheme as it is now.
    void followColourScheme();

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    QWidget *m_window;
    QString m_qtStyle; // the style Qt chose for this system
};
