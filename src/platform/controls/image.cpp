#include "platform/controls/image.h"

#include <QLabel>
#include <QPixmap>

Image::Image(QWidget *parent, const QString &name)
    : Control(new QLabel(parent), name)
    , clicks([this] { run(Click); }, [] {})
{
    clicks.watch(widget());
}

QLabel *Image::widget() const
{
    return static_cast<QLabel *>(baseWidget());
}

bool Image::LoadPicture(const QString &path)
{
    QPixmap picture;
    if (!picture.load(path))
        return false;
    widget()->setPixmap(picture);
    return true;
}

void Image::clearPicture()
{
    widget()->clear();
}

bool Image::hasPicture() const
{
    return !widget()->pixmap().isNull();
}
