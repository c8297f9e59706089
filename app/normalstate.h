// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps a fixed-size window in its normal state on Wayland. A compositor may
// maximise or fullscreen any window, on a key of its own or from Qt's title
// bar, and must then get a frame of exactly the size it asked for; a window
// of fixed size cannot give one, and the compositor ends the connection. So
// the window is taken down before it draws again and shown anew, normal.
#pragma once

#include <QObject>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

class NormalStateKeeper : public QObject
{
public:
    // Does nothing but on Wayland.
    explicit NormalStateKeeper(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};
