#pragma once

#include "platform/controls/click_filter.h"
#include "platform/controls/control.h"

class QLabel;

// A picture box. Scaling the picture to the box is QLabel::setScaledContents on widget().
class Image : public Control
{
    Q_OBJECT
public:
    Image(QWidget *parent, const QString &name);

    QLabel *widget() const;

    // Shows the picture in the file; a file that cannot be read as a picture leaves
    // the former picture and answers false.
    bool LoadPicture(const QString &path);
    void clearPicture();
    bool hasPicture() const;

    std::function<void()> Click;

private:
    ClickFilter clicks;
};
