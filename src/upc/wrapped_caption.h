#pragma once

#include <QObject>

class QPushButton;

// Draws a button's caption wrapped to the button's width, one line under the
// other, as a Windows command button does; Qt's buttons draw one line only, so a
// narrow upright button would show only the middle of its caption. The caption
// itself stays the button's text.
class WrappedCaption : public QObject
{
    Q_OBJECT
public:
    explicit WrappedCaption(QPushButton *button);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPushButton *button;
};
