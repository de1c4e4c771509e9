#pragma once

#include <QString>
#include <optional>

// Message boxes with the style codes of the windows' texts: buttons in the low
// digits, the icon in the sixteens.
namespace MsgStyle {
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
} // namespace MsgStyle

enum class MsgResult { Ok = 1, Cancel = 2 };

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A box without a title of its own shows the application's title.
    MsgResult msgBox(const QString &prompt, int style = MsgStyle::OkOnly,
                     const QString &title = {});
    // A box with a line to type in, showing `defaultText` at first, and 确定 and
    // 取消: what was typed, or nothing when the user cancelled. The title as above.
    std::optional<QString> inputBox(const QString &prompt, const QString &title = {},
                                    const QString &defaultText = {});

protected:
    virtual MsgResult show(const QString &prompt, int style, const QString &title) = 0;
    virtual std::optional<QString> ask(const QString &prompt, const QString &title,
                                       const QString &defaultText) = 0;
};

// Modal QMessageBox and QInputDialog with the Chinese button texts whatever the
// system's language.
//
// Every box is made without a parent widget. A box opened from a web page's script
// dialog runs its loop inside the page's own call, and the page's view may be
// deleted meanwhile (the program ends, the window closes): a box parented to that
// view would be freed while its loop still runs on the stack.
class MessageBoxDialogs : public Dialogs
{
protected:
    MsgResult show(const QString &prompt, int style, const QString &title) override;
    std::optional<QString> ask(const QString &prompt, const QString &title,
                               const QString &defaultText) override;
};
