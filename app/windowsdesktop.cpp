// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowsdesktop.h"

#include <cwchar>

#include <QApplication>
#include <QStyle>
#include <QStyleHints>
#include <QWidget>

#include <windows.h>

WindowsDesktop::WindowsDesktop(QWidget *window)
    : QObject(window)
    , m_window(window)
    , m_qtStyle(QApplication::style()->name())
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

WindowsDesktop::~WindowsDesktop()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

void WindowsDesktop::followColourScheme()
{
    const bool dark = QGuiApplication::styleHints()->colorScheme() == Qt::ColorScheme::Dark;
    const QString wanted = dark && m_qtStyle == u"windowsvista" ? QStringLiteral("fusion") : m_qtStyle;
    if (QApplication::style()->name() != wanted)
        QApplication::setStyle(wanted);
}

bool WindowsDesktop::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    const auto *msg = static_cast<const MSG *>(message);
    // A broadcast reaches each of the program's windows: heard once, at the window's.
    if (eventType != "windows_generic_MSG" || msg->message != WM_SETTINGCHANGE || !m_window->internalWinId()
        || msg->hwnd != reinterpret_cast<HWND>(m_window->internalWinId()))
        return false;
    const auto *area = reinterpret_cast<const wchar_t *>(msg->lParam);
    if (area && std::wcscmp(area, L"intl") == 0) {
        QCoreApplication::postEvent(m_window, new QEvent(QEvent::LocaleChange));
    } else if (msg->wParam == SPI_SETNONCLIENTMETRICS || (area && std::wcscmp(area, L"WindowMetrics") == 0)) {
        // Qt reads the desktop's fonts anew only when the colours change:
        // tell it they did, and its theme change follows.
        PostMessageW(msg->hwnd, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
    }
    return false;
}
