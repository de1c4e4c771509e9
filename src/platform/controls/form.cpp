#include "platform/controls/form.h"

#include <QCloseEvent>

Form::Form(QWidget *parent)
    : QWidget(parent)
{}

void Form::setClientSizeTwips(int width, int height)
{
    resize(twips(width), twips(height));
}

void Form::load()
{
    if (loaded)
        return;
    loaded = true;
    Form_Load();
}

void Form::closeEvent(QCloseEvent *event)
{
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}
