#pragma once

#include "platform/controls/control.h"

class QPushButton;

// A push button. It takes the focus when clicked, so the focus-out handler of the
// box the user leaves runs before the button's Click. Like a command button on a
// Windows form, the focused button is clicked by Space, and by Enter or the keypad's
// Enter once a press (Qt leaves Enter to a dialog's default button).
class CommandButton : public Control
{
    Q_OBJECT
public:
    CommandButton(QWidget *parent, const QString &name, const QString &caption = {});

    QPushButton *widget() const;

    QString Caption() const;
    void setCaption(const QString &caption);

    // Clicks the button as the user would: it takes the focus and runs Click, or does
    // nothing while it is disabled.
    void click();

    std::function<void()> Click;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
