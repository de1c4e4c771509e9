#include "platform/controls/control.h"

#include "platform/controls/form.h"

Control::Control(QWidget *widget, const QString &name)
    : ownedWidget(widget)
{
    setObjectName(name);
    widget->setObjectName(name);
}

Control::~Control()
{
    // The window deletes its children after its members, so the widget may still be
    // alive here; deleting it now stops it from reaching a control that is gone.
    delete ownedWidget.data();
}

void Control::setGeometryTwips(int left, int top, int width, int height)
{
    ownedWidget->setGeometry(Form::twips(left), Form::twips(top), Form::twips(width),
                             Form::twips(height));
}

void Control::setEnabled(bool enabled)
{
    ownedWidget->setEnabled(enabled);
}

bool Control::isEnabled() const
{
    return ownedWidget->isEnabledTo(ownedWidget->parentWidget());
}

void Control::setVisible(bool visible)
{
    ownedWidget->setVisible(visible);
}

bool Control::isVisible() const
{
    const QWidget *parent = ownedWidget->parentWidget();
    return parent ? ownedWidget->isVisibleTo(parent) : ownedWidget->isVisible();
}

void Control::setFocus()
{
    ownedWidget->setFocus(Qt::OtherFocusReason);
}
