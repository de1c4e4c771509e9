#include "platform/controls/edit_selection.h"

#include <QLineEdit>

#include <algorithm>

namespace EditSelection {

int start(const QLineEdit &edit)
{
    return edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
}

int length(const QLineEdit &edit)
{
    return int(edit.selectedText().size());
}

void setStart(QLineEdit &edit, int start)
{
    edit.setCursorPosition(std::clamp(start, 0, int(edit.text().size())));
}

void setLength(QLineEdit &edit, int length)
{
    const int from = start(edit);
    edit.setSelection(from, std::clamp(length, 0, int(edit.text().size()) - from));
}

} // namespace EditSelection
