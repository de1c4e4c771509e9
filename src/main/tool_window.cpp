#include "main/tool_window.h"

#include "platform/controls/form.h"

#include <QAbstractEventDispatcher>
#include <QThread>
#include <utility>

ToolWindow::ToolWindow(Factory make, QObject *parent)
    : QObject(parent)
    , make(std::move(make))
{
    // A window may be closed while one of its own handlers waits and lets events
    // run; that handler must return to a living window. So closed windows are only
    // deleted when the program's one event loop is about to wait for input: no
    // handler of any window is running then.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            [this] {
                if (QThread::currentThread()->loopLevel() == 1)
                    deleteClosed();
            });
}

ToolWindow::~ToolWindow()
{
    qDeleteAll(closed);
    delete current.data();
}

void ToolWindow::show()
{
    if (current && current->isHidden()) {
        closed.append(current);
        current = nullptr;
    }
    if (!current) {
        current = make();
        current->load();
    }
    current->show();
    current->raise();
    current->activateWindow();
}

Form *ToolWindow::window() const
{
    return current && !current->isHidden() ? current.data() : nullptr;
}

void ToolWindow::deleteClosed()
{
    if (current && current->isHidden()) {
        closed.append(current);
        current = nullptr;
    }
    // Deleting one window may close another; take the list first.
    const QList<QPointer<Form>> gone = std::exchange(closed, {});
    qDeleteAll(gone);
}
