#include "platform/controls/key_codes.h"

#include <QKeyEvent>

namespace KeyCodes {

std::optional<int> typedCharacter(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & (Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const int key = event.key();
    if (modifiers & Qt::ControlModifier) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z)
            return key - Qt::Key_A + 1;
        if (key == Qt::Key_Backspace)
            return 127;
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return 10;
        return std::nullopt;
    }
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    const QString text = event.text();
    if (text.isEmpty())
        return std::nullopt;
    const char32_t character = text.toUcs4().value(0);
    if (character < 0x20 || character == 0x7f)
        return std::nullopt;
    return int(character);
}

int virtualKey(const QKeyEvent &event)
{
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return (event.modifiers() & Qt::KeypadModifier) ? 0x60 + key - Qt::Key_0 : key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 0x70 + key - Qt::Key_F1;
    switch (key) {
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0x09;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0d;
    case Qt::Key_Shift:
        return 0x10;
    case Qt::Key_Control:
        return 0x11;
    case Qt::Key_Alt:
        return 0x12;
    case Qt::Key_Pause:
        return 0x13;
    case Qt::Key_CapsLock:
        return 0x14;
    case Qt::Key_Escape:
        return 0x1b;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Insert:
        return 0x2d;
    case Qt::Key_Delete:
        return 0x2e;
    case Qt::Key_Asterisk:
        return (event.modifiers() & Qt::KeypadModifier) ? 0x6a : 0;
    case Qt::Key_Plus:
        return (event.modifiers() & Qt::KeypadModifier) ? 0x6b : 0xbb;
    case Qt::Key_Semicolon:
        return 0xba;
    case Qt::Key_Equal:
        return 0xbb;
    case Qt::Key_Comma:
        return 0xbc;
    case Qt::Key_Minus:
        return (event.modifiers() & Qt::KeypadModifier) ? 0x6d : 0xbd;
    case Qt::Key_Period:
        return (event.modifiers() & Qt::KeypadModifier) ? 0x6e : 0xbe;
    case Qt::Key_Slash:
        return (event.modifiers() & Qt::KeypadModifier) ? 0x6f : 0xbf;
    case Qt::Key_QuoteLeft:
        return 0xc0;
    case Qt::Key_BracketLeft:
        return 0xdb;
    case Qt::Key_Backslash:
        return 0xdc;
    case Qt::Key_BracketRight:
        return 0xdd;
    case Qt::Key_Apostrophe:
        return 0xde;
    default:
        return 0;
    }
}

int shiftState(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return ((modifiers & Qt::ShiftModifier) ? 1 : 0) | ((modifiers & Qt::ControlModifier) ? 2 : 0) |
           ((modifiers & Qt::AltModifier) ? 4 : 0);
}

} // namespace KeyCodes
