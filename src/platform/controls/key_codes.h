#pragma once

#include <optional>

class QKeyEvent;

// The numbers the Windows key events carry, read from Qt key events.
namespace KeyCodes {

// The character code a key press types, as the KeyPress event reports it: printable
// characters by their code, and the control keys Windows turns into characters
// (Backspace 8, Enter 13, Escape 27, Ctrl+A..Ctrl+Z 1..26, Ctrl+Enter 10,
// Ctrl+Backspace 127). Keys that type nothing
// (arrows, Home/End, Delete, Tab, function keys, Alt combinations) have none.
std::optional<int> typedCharacter(const QKeyEvent &event);

// The Windows virtual-key code of a key, as the KeyUp event reports it: letters
// upper-case, digits, Backspace 8, Enter 13, Delete 46, arrows 37-40 and the other
// common keys; a key without a Windows counterpart reads 0.
int virtualKey(const QKeyEvent &event);

// The shift state of the key events: Shift 1, Ctrl 2, Alt 4, added up.
int shiftState(const QKeyEvent &event);

// What the key events report for text committed by an input method (VK_PROCESSKEY).
inline constexpr int inputMethodKey = 229;

} // namespace KeyCodes
