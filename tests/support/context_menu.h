#pragma once

#include <QPoint>
#include <QStringList>

class QMenu;
class QWebEngineView;
class QWidget;

// The items of the menu that a right-click on the widget opens, each without its
// shortcut, a separator as an empty text; the menu is closed again. No menu gives
// an empty list.
QStringList contextMenuTexts(QWidget *widget);

// Right-clicks a loaded page at `at` (in the view's coordinates) as the mouse does
// and waits for the menu the page opens; null when none opens. The menu stays open.
QMenu *openPageContextMenu(QWebEngineView *view, QPoint at);

// The items of a page's right-click menu at `at`, as contextMenuTexts gives them;
// the menu is closed again.
QStringList pageContextMenuTexts(QWebEngineView *view, QPoint at);

// The items of a menu, as above.
QStringList menuTexts(const QMenu &menu);

// The right-click menu of a text box on a Chinese Windows desktop, as above.
inline const QStringList chineseTextBoxMenu{"撤消(&U)", "重做(&R)", "", "剪切(&T)", "复制(&C)",
                                            "粘贴(&P)", "删除",     "", "全选"};
