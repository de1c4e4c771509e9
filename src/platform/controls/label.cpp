#include "platform/controls/label.h"

#include <QLabel>

Label::Label(QWidget *parent, const QString &name, const QString &caption)
    : Control(new QLabel(parent), name)
    , clicks([this] { run(Click); }, [this] { run(DblClick); })
{
    widget()->setTextFormat(Qt::PlainText);
    widget()->setText(caption);
    clicks.watch(widget());
}

QLabel *Label::widget() const
{
    return static_cast<QLabel *>(baseWidget());
}

QString Label::Caption() const
{
    return widget()->text();
}

void Label::setCaption(const QString &caption)
{
    widget()->setText(caption);
}
