#pragma once

#include <QObject>
#include <QString>

class QSystemTrayIcon;

// The notification-area icon of the main window.
class TrayIcon : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // False where the desktop has no notification area: a window hidden behind
    // an icon there could never be brought back.
    virtual bool isAvailable() const = 0;
    // Shows the icon; there is never more than one.
    virtual void add(const QString &toolTip) = 0;
    virtual void remove() = 0;
    virtual bool isShown() const = 0;

signals:
    void doubleClicked();
    // The right mouse button was released over the icon.
    void menuRequested();
};

class SystemTrayIcon : public TrayIcon
{
    Q_OBJECT
public:
    explicit SystemTrayIcon(QObject *parent = nullptr);

    bool isAvailable() const override;
    void add(const QString &toolTip) override;
    void remove() override;
    bool isShown() const override;

private:
    QSystemTrayIcon *icon;
};
