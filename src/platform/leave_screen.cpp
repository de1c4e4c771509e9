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
    // The display server hears of the hidden windows when the event loop next
    // waits, which it never does again: they are sent now.
    auto *x11 = application->nativeInterface<QNativeInterface::QX11Application>();
    if (xcb_connection_t *connection = x11 ? x11->connection() : nullptr)
        xcb_flush(connection);
}
