#pragma once

class QLineEdit;

// SelStart and SelLength of a one-line edit, as the Windows boxes read and set them:
// the start is the caret when nothing is selected, and values out of range are
// brought into the text.
namespace EditSelection {

int start(const QLineEdit &edit);
int length(const QLineEdit &edit);
void setStart(QLineEdit &edit, int start);
void setLength(QLineEdit &edit, int length);

} // namespace EditSelection
