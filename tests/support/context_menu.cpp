#include "support/context_menu.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>

namespace {

// Reads and closes the open popup menu, if any.
QStringList readOpenMenu()
{
    QStringList texts;
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu)
        return texts;
    for (const QAction *action : menu->actions())
        texts << action->text().section(u'\t', 0, 0);
    menu->close();
    return texts;
}

} // namespace

QStringList contextMenuTexts(QWidget *widget)
{
    QStringList texts;
    bool read = false;
    // A menu opened with exec runs a loop of its own until it is closed; the timer
    // reads it there. One opened with popup is still open once the event returns.
    QTimer reader;
    reader.setSingleShot(true);
    QObject::connect(&reader, &QTimer::timeout, [&] {
        texts = readOpenMenu();
        read = true;
    });
    reader.start(0);
    const QPoint inside(5, 5);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, inside, widget->mapToGlobal(inside));
    QCoreApplication::sendEvent(widget, &rightClick);
    return read ? texts : readOpenMenu();
}
