#include "support/scripted_dialogs.h"

MsgResult ScriptedDialogs::show(const QString &prompt, int style, const QString &title)
{
    boxes.append({prompt, style, title});
    return answers.isEmpty() ? MsgResult::Ok : answers.takeFirst();
}
