#include "upc/wrapped_caption.h"

#include <QEvent>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStylePainter>

WrappedCaption::WrappedCaption(QPushButton *button)
    : QObject(button)
    , button(button)
{
    button->installEventFilter(this);
}

bool WrappedCaption::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != button || event->type() != QEvent::Paint)
        return false;
    QStylePainter painter(button);
    QStyleOptionButton option;
    option.initFrom(button);
    if (button->isDown())
        option.state |= QStyle::State_Sunken;
    painter.drawControl(QStyle::CE_PushButtonBevel, option);
    painter.drawText(button->rect(), Qt::AlignCenter | Qt::TextWrapAnywhere, button->text());
    return true;
}
