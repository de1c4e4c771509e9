#include "main/maker_site.h"

#include "net/endpoints.h"

static QString onMakerSite(const Endpoints &endpoints, const QString &path)
{
    return endpoints.base(QStringLiteral("maker")) + path;
}

QString MakerSite::announcementPage(const Endpoints &endpoints)
{
    return onMakerSite(endpoints, QStringLiteral("/announcement.html"));
}

QString MakerSite::updatePackage(const Endpoints &endpoints)
{
    return onMakerSite(endpoints, QStringLiteral("/Skarvel.rar"));
}

QString MakerSite::homePage(const Endpoints &endpoints)
{
    return onMakerSite(endpoints, QStringLiteral("/"));
}

QString MakerSite::downloadPage(const Endpoints &endpoints)
{
    return onMakerSite(endpoints, QStringLiteral("/thread-28-1-1.html"));
}

QString MakerSite::webPanelPage(const Endpoints &endpoints)
{
    return onMakerSite(endpoints, QStringLiteral("/panel.html"));
}

QString MakerSite::profilePage(const Endpoints &endpoints, int picture)
{
    return onMakerSite(endpoints, QStringLiteral("/profile/%1.html").arg(picture));
}
