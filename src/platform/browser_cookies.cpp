#include "platform/browser_cookies.h"

#include "platform/web_profile.h"

#include <QNetworkCookie>
#include <QUrl>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

BrowserCookies &BrowserCookies::of(WebProfile &web)
{
    QWebEngineProfile *profile = web.engineProfile();
    if (auto *mirror = profile->findChild<BrowserCookies *>(QString(), Qt::FindDirectChildrenOnly))
        return *mirror;
    return *new BrowserCookies(profile);
}

BrowserCookies::BrowserCookies(QWebEngineProfile *profile)
    : QObject(profile)
{
    QWebEngineCookieStore *store = profile->cookieStore();
    connect(store, &QWebEngineCookieStore::cookieAdded, this,
            [this](const QNetworkCookie &cookie) { jar.insertCookie(cookie); });
    connect(store, &QWebEngineCookieStore::cookieRemoved, this,
            [this](const QNetworkCookie &cookie) { jar.deleteCookie(cookie); });
    // Cookies the profile held before the mirror existed arrive as additions too.
    store->loadAllCookies();
}

HttpHeaders BrowserCookies::requestHeaders(const QString &url) const
{
    QByteArray value;
    for (const QNetworkCookie &cookie :
         jar.cookiesForUrl(QUrl::fromEncoded(url.toUtf8(), QUrl::TolerantMode))) {
        if (!value.isEmpty())
            value += "; ";
        value += cookie.name() + '=' + cookie.value();
    }
    if (value.isEmpty())
        return {};
    return {{"Cookie", value}};
}
