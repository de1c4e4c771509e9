#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QString>

// Answers message boxes from a queue the test fills, and records every box shown.
// With the queue empty, every box is answered OK.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString prompt;
        int style;
        QString title;
    };

    void queueAnswer(MsgResult answer) { answers.append(answer); }
    const QList<Shown> &shown() const { return boxes; }
    void clear() { boxes.clear(); }

protected:
    MsgResult show(const QString &prompt, int style, const QString &title) override;

private:
    QList<MsgResult> answers;
    QList<Shown> boxes;
};
