#pragma once

#include "support/active_window.h"

class QLineEdit;

// Types over the whole text of a box the keys a number box's key filter must sift:
// digits among a minus sign, a comma, a letter, a blank and a second point, then a
// Backspace, then input method text with a full-width digit and a Chinese character.
// A number box ends with "123.45".
void typeKeysToSift(QLineEdit *edit);

// Presses Ctrl+V over the whole text of a box while the clipboard holds "77".
void pasteByShortcut(QLineEdit *edit);
