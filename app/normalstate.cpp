// SPDX-License-Identifier: GPL-3.0-or-later
#include "normalstate.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

NormalStateKeeper::NormalStateKeeper(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    if (!QGuiApplication::platformName().startsWith(u"wayland"))
        return;
    window->winId();
    window->windowHandle()->installEventFilter(this);
}

bool NormalStateKeeper::eventFilter(QObject *watched, QEvent *event)
{
    // Only the platform sends the window this event, once the compositor's
    // new state is in force: a request from the program itself does not.
    if (event->type() == QEvent::WindowStateChange) {
        auto *window = static_cast<QWindow *>(watched);
        if (window->windowStates() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            m_window->hide();
            window->setWindowStates(Qt::WindowNoState);
            m_window->setWindowState(Qt::WindowNoState);
            // Qt 6.11 has already laid the widget out at the compositor's
            // size by the time it tells of the new state.
            m_window->resize(m_window->minimumSize());
            m_window->show();
        }
    }
    return QObject::eventFilter(watched, event);
}
