#include "platform/controls/command_button.h"

#include <QPushButton>

CommandButton::CommandButton(QWidget *parent, const QString &name, const QString &caption)
    : Control(new QPushButton(caption, parent), name)
{
    widget()->setFocusPolicy(Qt::StrongFocus);
    widget()->setAutoDefault(false);
    connect(widget(), &QPushButton::clicked, this, [this] { run(Click); });
}

QPushButton *CommandButton::widget() const
{
    return static_cast<QPushButton *>(baseWidget());
}

QString CommandButton::Caption() const
{
    return widget()->text();
}

void CommandButton::setCaption(const QString &caption)
{
    widget()->setText(caption);
}

void CommandButton::click()
{
    if (!widget()->isEnabled())
        return;
    widget()->setFocus(Qt::MouseFocusReason);
    widget()->click();
}
