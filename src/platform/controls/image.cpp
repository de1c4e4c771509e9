#include "platform/controls/image.h"

#include <QImage>
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
    // Read through QImage: QPixmap::load answers from its cache when a rewritten
    // file keeps its size and time stamp, and would show the former picture.
    QImage picture;
    if (!picture.load(path))
        return false;
    widget()->setPixmap(QPixmap::fromImage(picture));
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
