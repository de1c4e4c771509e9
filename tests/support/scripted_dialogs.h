#pragma once

#include "platform/dialogs.h"

#include <QList>
#include <QString>
#include <optional>

// Answers message boxes and input boxes from queues the test fills, and records
// every box shown. With its queue empty, a message box is answered OK and an input
// box with its default text, as when the user presses Enter.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString prompt;
        int style;
        QString title;
    };
    struct Asked
    {
        QString prompt;
        QString title;
        QString defaultText;
    };

    void queueAnswer(MsgResult answer) { answers.append(answer); }
    // Nothing stands for 取消.
    void queueInput(const std::optional<QString> &typed) { inputs.append(typed); }
    const QList<Shown> &shown() const { return boxes; }
    const QList<Asked> &asked() const { return inputBoxes; }
    void clear()
    {
        boxes.clear();
        inputBoxes.clear();
    }

protected:
    MsgResult show(const QString &prompt, int style, const QString &title) override;
    std::optional<QString> ask(const QString &prompt, const QString &title,
                               const QString &defaultText) override;

private:
    QList<MsgResult> answers;
    QList<std::optional<QString>> inputs;
    QList<Shown> boxes;
    QList<Asked> inputBoxes;
};
