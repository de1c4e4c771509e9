#include "platform/controls/command_button.h"

#include <QKeyEvent>
#include <QPushButton>

namespace {

bool isEnter(const QKeyEvent &key)
{
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
}

} // namespace

CommandButton::CommandButton(QWidget *parent, const QString &name, const QString &caption)
    : Control(new QPushButton(caption, parent), name)
{
    widget()->setFocusPolicy(Qt::StrongFocus);
    widget()->setAutoDefault(false);
    connect(widget(), &QPushButton::clicked, this, [this] { run(Click); });
    widget()->installEventFilter(this);
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

bool CommandButton::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != widget() || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!isEnter(*key))
        return false;
    // A held Enter repeats its press; the button was clicked by the first one.
    if (!key->isAutoRepeat())
        click();
    return true;
}
