#pragma once

#include <QStringList>

class QWidget;

// The items of the menu that a right-click on the widget opens, each without its
// shortcut, a separator as an empty text; the menu is closed again. No menu gives
// an empty list.
QStringList contextMenuTexts(QWidget *widget);

// The right-click menu of a text box on a Chinese Windows desktop, as above.
inline const QStringList chineseTextBoxMenu{"撤消(&U)", "重做(&R)", "", "剪切(&T)", "复制(&C)",
                                            "粘贴(&P)", "删除",     "", "全选"};
