#include "platform/browser_cookies.h"

#include "platform/private_files.h"
#include "platform/web_profile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QNetworkCookie>
#include <QUrl>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>

namespace {

// The engine reports the cookies a page sets one in each round of the event loop,
// a few milliseconds apart in all, so the copy is written this long after the
// first of them (60 at once cost 32 writes when written once each round had run).
constexpr int writeDelayMs = 100;

bool keptOverARestart(const QNetworkCookie &cookie, const QDateTime &now)
{
    return !cookie.isSessionCookie() && cookie.expirationDate() > now;
}

// The engine's store takes a cookie for its domain and every domain below it; one
// that was for its host alone stays so.
void giveTo(QWebEngineCookieStore &store, QNetworkCookie cookie)
{
    if (cookie.domain().startsWith('.')) {
        store.setCookie(cookie);
        return;
    }
    QUrl origin;
    origin.setScheme(cookie.isSecure() ? QStringLiteral("https") : QStringLiteral("http"));
    origin.setHost(cookie.domain());
    cookie.setDomain(QString());
    store.setCookie(cookie, origin);
}

} // namespace

BrowserCookies &BrowserCookies::of(WebProfile &web)
{
    QWebEngineProfile *profile = web.engineProfile();
    if (auto *mirror = profile->findChild<BrowserCookies *>(QString(), Qt::FindDirectChildrenOnly))
        return *mirror;
    return *new BrowserCookies(web);
}

BrowserCookies::BrowserCookies(WebProfile &web)
    : QObject(web.engineProfile())
    , keptFile(QDir(web.folder()).filePath(QStringLiteral("MirroredCookies")))
    , writesTheCopy(web.keepsWhatItHolds())
{
    QFile kept(keptFile);
    const QDateTime now = QDateTime::currentDateTime();
    if (kept.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : kept.readAll().split('\n')) {
            for (const QNetworkCookie &cookie : QNetworkCookie::parseCookies(line)) {
                // An earlier version kept the cookies of its session too.
                if (keptOverARestart(cookie, now))
                    jar.insertCookie(cookie);
            }
        }
    }
    pendingWrite.setSingleShot(true);
    pendingWrite.setInterval(writeDelayMs);
    connect(&pendingWrite, &QTimer::timeout, this, &BrowserCookies::keep);
    QWebEngineCookieStore *store = web.engineProfile()->cookieStore();
    // A stand-in for the profile starts with the logins its folder holds.
    if (!writesTheCopy) {
        for (const QNetworkCookie &cookie : jar.allCookies())
            giveTo(*store, cookie);
    }
    connect(store, &QWebEngineCookieStore::cookieAdded, this, [this](const QNetworkCookie &cookie) {
        jar.insertCookie(cookie);
        keepSoon();
    });
    connect(store, &QWebEngineCookieStore::cookieRemoved, this,
            [this](const QNetworkCookie &cookie) {
                jar.deleteCookie(cookie);
                keepSoon();
            });
}

BrowserCookies::~BrowserCookies()
{
    if (pendingWrite.isActive())
        keep();
}

void BrowserCookies::keepSoon()
{
    if (writesTheCopy && !pendingWrite.isActive())
        pendingWrite.start();
}

void BrowserCookies::keep()
{
    const QDateTime now = QDateTime::currentDateTime();
    QByteArray lines;
    for (const QNetworkCookie &cookie : jar.allCookies()) {
        if (keptOverARestart(cookie, now))
            lines += cookie.toRawForm() + '\n';
    }
    // The copy holds the user's logins, QQ's among them.
    writePrivateFile(keptFile, lines);
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
