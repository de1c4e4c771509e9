#include "platform/controls/click_filter.h"

#include <QMouseEvent>
#include <QWidget>

ClickFilter::ClickFilter(std::function<void()> click, std::function<void()> doubleClick)
    : click(std::move(click))
    , doubleClick(std::move(doubleClick))
{}

void ClickFilter::watch(QWidget *widget)
{
    widget->installEventFilter(this);
}

bool ClickFilter::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonRelease && type != QEvent::MouseButtonDblClick)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    if (type == QEvent::MouseButtonDblClick) {
        doubleClicked = true;
        doubleClick();
        return false;
    }
    if (doubleClicked) {
        doubleClicked = false;
        return false;
    }
    const auto *widget = static_cast<QWidget *>(watched);
    if (widget->rect().contains(mouse->position().toPoint()))
        click();
    return false;
}
