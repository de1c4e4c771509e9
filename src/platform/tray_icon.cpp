#include "platform/tray_icon.h"

#include <QApplication>
#include <QStyle>
#include <QSystemTrayIcon>

SystemTrayIcon::SystemTrayIcon(QObject *parent)
    : TrayIcon(parent)
    , icon(new QSystemTrayIcon(this))
{
    QIcon picture = QApplication::windowIcon();
    if (picture.isNull())
        picture = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
    icon->setIcon(picture);
    connect(icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
        if (why == QSystemTrayIcon::DoubleClick)
            emit doubleClicked();
        else if (why == QSystemTrayIcon::Context)
            emit menuRequested();
    });
}

bool SystemTrayIcon::isAvailable() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void SystemTrayIcon::add(const QString &toolTip)
{
    icon->setToolTip(toolTip);
    icon->show();
}

void SystemTrayIcon::remove()
{
    icon->hide();
}

bool SystemTrayIcon::isShown() const
{
    return icon->isVisible();
}
