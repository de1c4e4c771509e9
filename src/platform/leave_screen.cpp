#include "platform/leave_screen.h"

#include <QApplication>
#include <QWidget>
#include <xcb/xcb.h>

void takeEveryWindowOffTheScreen()
{
    auto *application = qobject_cast<QApplication *>(QCoreApplication::instance());
    if (!application)
        return; // no windows to take off
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->hide();
    }
    // Qt sends a hidden window's unmapping at once, but not the destruction of the
    // removed tray icon's window, which a tray waits for before it gives up the
    // icon's place; the event loop that would send it never runs again.
    auto *x11 = application->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t *connection = x11 ? x11->connection() : nullptr)
        xcb_flush(connection);
}
