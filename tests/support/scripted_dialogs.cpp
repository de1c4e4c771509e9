#include "support/scripted_dialogs.h"

MsgResult ScriptedDialogs::show(const QString &prompt, int style, const QString &title)
{
    boxes.append({prompt, style, title});
    return answers.isEmpty() ? MsgResult::Ok : answers.takeFirst();
}

std::optional<QString> ScriptedDialogs::ask(const QString &prompt, const QString &title,
                                            const QString &defaultText)
{
    inputBoxes.append({prompt, title, defaultText});
    return inputs.isEmpty() ? std::optional<QString>(defaultText) : inputs.takeFirst();
}
