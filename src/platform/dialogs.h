#pragma once

#include <QString>

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

protected:
    virtual MsgResult show(const QString &prompt, int style, const QString &title) = 0;
};

// Modal QMessageBox with the Chinese button texts whatever the system's language.
class MessageBoxDialogs : public Dialogs
{
protected:
    MsgResult show(const QString &prompt, int style, const QString &title) override;
};
