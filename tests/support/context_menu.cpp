#include "support/context_menu.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

namespace {

// How long a page takes at most to answer a right-click with its menu.
constexpr int pageMenuTimeoutMs = 10000;

QMenu *openMenu()
{
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

// Reads and closes the open popup menu, if any.
QStringList readOpenMenu()
{
    QMenu *menu = openMenu();
    if (!menu)
        return {};
    const QStringList texts = menuTexts(*menu);
    menu->close();
    return texts;
}

} // namespace

QStringList menuTexts(const QMenu &menu)
{
    QStringList texts;
    for (const QAction *action : menu.actions())
        texts << action->text().section(u'\t', 0, 0);
    return texts;
}

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

QMenu *openPageContextMenu(QWebEngineView *view, QPoint at)
{
    // The page's own widget takes the mouse; the engine finds what lies under it
    // and only then asks for the menu.
    QWidget *pageWidget = view->focusProxy() ? view->focusProxy() : view;
    QTest::mouseClick(pageWidget, Qt::RightButton, {}, at);
    if (!QTest::qWaitFor([] { return openMenu() != nullptr; }, pageMenuTimeoutMs))
        return nullptr;
    return openMenu();
}

QStringList pageContextMenuTexts(QWebEngineView *view, QPoint at)
{
    QMenu *menu = openPageContextMenu(view, at);
    if (!menu)
        return {};
    const QStringList texts = menuTexts(*menu);
    menu->close();
    return texts;
}
