#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QInputMethodEvent;
class QKeyEvent;
class QWidget;

// Delivers what is typed into a widget as the Windows key events. Every typed
// character, from a key or committed by an input method, first goes to the character
// hook, which swallows it by setting the code to 0: a swallowed key reaches neither
// the widget nor a shortcut. Released keys go to the key-up hook; an input-method
// commit counts as one key, released once its text is in.
class TypedKeyFilter : public QObject
{
    Q_OBJECT
public:
    using CharacterHook = std::function<void(int &code)>;
    using KeyUpHook = std::function<void(int keyCode, int shift)>;
    // Runs for a typed key that was not swallowed; returns true when it has dealt
    // with the key itself, so the widget never sees it.
    using PassedHook = std::function<bool(int code)>;

    TypedKeyFilter(CharacterHook character, KeyUpHook keyUp);

    void setPassedHook(PassedHook hook) { passed = std::move(hook); }
    void watch(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool decideKey(const QKeyEvent &event, int code);
    bool filterKeyPress(QKeyEvent *event);
    bool filterShortcutOverride(QKeyEvent *event);
    bool filterCommit(QObject *watched, QInputMethodEvent *event);
    bool swallows(int code) const;

    // Qt offers a key as a shortcut before it delivers the press; the decision taken
    // then holds for the press, so the character hook runs once per key.
    struct DecidedKey
    {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
        bool swallowed;
    };

    CharacterHook character;
    KeyUpHook keyUp;
    PassedHook passed;
    std::optional<DecidedKey> decided;
    bool forwardingCommit = false;
};
