#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Mouse clicks on a widget as the Windows controls report them: Click when the left
// button is released over the widget, DblClick on the second press of a double-click,
// whose release is then no second Click.
class ClickFilter : public QObject
{
    Q_OBJECT
public:
    ClickFilter(std::function<void()> click, std::function<void()> doubleClick);

    void watch(QWidget *widget);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void()> click;
    std::function<void()> doubleClick;
    bool doubleClicked = false;
};
