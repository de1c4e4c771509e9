#pragma once

#include "platform/controls/click_filter.h"
#include "platform/controls/control.h"

class QLabel;

// A label. Its caption is always plain text: captions may come from outside pages,
// and Qt would take a text that looks like markup for rich text.
class Label : public Control
{
    Q_OBJECT
public:
    Label(QWidget *parent, const QString &name, const QString &caption = {});

    QLabel *widget() const;

    QString Caption() const;
    void setCaption(const QString &caption);

    std::function<void()> Click;
    std::function<void()> DblClick;

private:
    ClickFilter clicks;
};
