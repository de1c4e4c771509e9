#include "main/frm_splash.h"

#include "main/maker_site.h"
#include "platform/services.h"
#include "platform/shell.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>

namespace {

QPixmap logoPicture(int size)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xff, 0x99, 0x00));
    painter.drawRoundedRect(picture.rect(), size / 6, size / 6);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(size * 2 / 3);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(picture.rect(), Qt::AlignCenter, QStringLiteral("S"));
    return picture;
}

// A head and shoulders on a coloured disc.
QPixmap profilePicture(int size, const QColor &colour)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(picture.rect());
    QPainterPath disc;
    disc.addEllipse(picture.rect());
    painter.setClipPath(disc);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(size * 0.32, size * 0.18, size * 0.36, size * 0.36));
    painter.drawEllipse(QRectF(size * 0.15, size * 0.6, size * 0.7, size * 0.6));
    return picture;
}

void placeLabel(Label &label, int left, int top, int width, int height, int points = 10,
                bool bold = false)
{
    label.setGeometryTwips(left, top, width, height);
    QFont font = label.widget()->font();
    font.setPointSize(points);
    font.setBold(bold);
    label.widget()->setFont(font);
}

} // namespace

frmSplash::frmSplash(Services &services, QWidget *parent)
    : Form(parent)
    , services(services)
{
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setCaption(QStringLiteral("Skarvel"));
    setClientSizeTwips(6600, 4800);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    setStyleSheet(QStringLiteral("frmSplash { background: white; }"));
    setAttribute(Qt::WA_StyledBackground);

    Frame1.setGeometry(twips(120), twips(120), twips(6360), twips(1560));
    Frame2.setGeometry(twips(120), twips(1800), twips(6360), twips(2880));

    imgLogo.setGeometryTwips(300, 300, 1200, 1200);
    imgLogo.widget()->setPixmap(logoPicture(twips(1200)));
    placeLabel(lblProductName, 1680, 240, 4680, 600, 22, true);
    placeLabel(Label7, 1680, 900, 4680, 315, 10, true);
    placeLabel(Label2, 1680, 1260, 4680, 315);

    Label *functions[] = {&Label1, &Label5, &Label3, &Label4, &Label8};
    int top = 2040;
    for (Label *function : functions) {
        placeLabel(*function, 360, top, 4080, 315);
        top += 480;
    }

    const struct
    {
        Image &image;
        int left;
        int top;
        QColor colour;
    } pictures[] = {
        {Image11, 4560, 2040, QColor(0x2e, 0x86, 0xc1)},
        {Image13, 5520, 2040, QColor(0x28, 0xb4, 0x63)},
        {Image14, 4560, 3120, QColor(0xc0, 0x39, 0x2b)},
        {Image15, 5520, 3120, QColor(0x8e, 0x44, 0xad)},
    };
    for (const auto &picture : pictures) {
        picture.image.setGeometryTwips(picture.left, picture.top, 840, 840);
        picture.image.widget()->setPixmap(profilePicture(twips(840), picture.colour));
        picture.image.widget()->setCursor(Qt::PointingHandCursor);
    }

    Image11.Click = [this] { Image11_Click(); };
    Image13.Click = [this] { Image13_Click(); };
    Image14.Click = [this] { Image14_Click(); };
    Image15.Click = [this] { Image15_Click(); };
}

void frmSplash::Image11_Click()
{
    openProfilePage(1);
}

void frmSplash::Image13_Click()
{
    openProfilePage(2);
}

void frmSplash::Image14_Click()
{
    openProfilePage(3);
}

void frmSplash::Image15_Click()
{
    openProfilePage(4);
}

void frmSplash::openProfilePage(int picture)
{
    services.shell->openAddress(MakerSite::profilePage(*services.endpoints, picture));
}
