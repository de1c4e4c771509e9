#include "platform/controls/typed_key_filter.h"

#include "platform/controls/key_codes.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QWidget>

TypedKeyFilter::TypedKeyFilter(CharacterHook character, KeyUpHook keyUp)
    : character(std::move(character))
    , keyUp(std::move(keyUp))
{}

void TypedKeyFilter::watch(QWidget *widget)
{
    widget->installEventFilter(this);
}

bool TypedKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        return filterShortcutOverride(static_cast<QKeyEvent *>(event));
    case QEvent::KeyPress:
        return filterKeyPress(static_cast<QKeyEvent *>(event));
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat())
            keyUp(KeyCodes::virtualKey(*key), KeyCodes::shiftState(*key));
        return false;
    }
    case QEvent::InputMethod:
        return filterCommit(watched, static_cast<QInputMethodEvent *>(event));
    case QEvent::FocusOut:
        decided.reset();
        return false;
    default:
        return false;
    }
}

bool TypedKeyFilter::swallows(int code) const
{
    character(code);
    return code == 0;
}

bool TypedKeyFilter::decideKey(const QKeyEvent &event, int code)
{
    const bool swallowed = swallows(code);
    decided = DecidedKey{event.key(), event.modifiers(), event.text(), swallowed};
    return swallowed;
}

bool TypedKeyFilter::filterShortcutOverride(QKeyEvent *event)
{
    const std::optional<int> code = KeyCodes::typedCharacter(*event);
    if (!code)
        return false;
    if (!decideKey(*event, *code))
        return false;
    // Taking the key here keeps a window shortcut from acting on it.
    event->accept();
    return true;
}

bool TypedKeyFilter::filterKeyPress(QKeyEvent *event)
{
    const std::optional<int> code = KeyCodes::typedCharacter(*event);
    if (!code)
        return false;
    bool swallowed;
    if (decided && decided->key == event->key() && decided->modifiers == event->modifiers() &&
        decided->text == event->text())
        swallowed = decided->swallowed;
    else
        swallowed = swallows(*code);
    decided.reset();
    if (swallowed)
        return true;
    return passed && passed(*code);
}

bool TypedKeyFilter::filterCommit(QObject *watched, QInputMethodEvent *event)
{
    if (forwardingCommit || event->commitString().isEmpty())
        return false;
    QString kept;
    for (const char32_t c : event->commitString().toUcs4()) {
        if (!swallows(int(c)))
            kept += QString::fromUcs4(&c, 1);
    }
    QInputMethodEvent forwarded(event->preeditString(), event->attributes());
    forwarded.setCommitString(kept, event->replacementStart(), event->replacementLength());
    forwardingCommit = true;
    QCoreApplication::sendEvent(watched, &forwarded);
    forwardingCommit = false;
    keyUp(KeyCodes::inputMethodKey, 0);
    return true;
}
