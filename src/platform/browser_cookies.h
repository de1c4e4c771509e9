#pragma once

#include "platform/http_types.h"

#include <QNetworkCookieJar>
#include <QObject>
#include <QString>
#include <QTimer>

class WebProfile;

// The cookies of a browser profile, mirrored as the browsers set and drop them, so
// the program's own requests can carry the login made in a browser. On Windows the
// browser control and the Internet transfer control share one cookie store; this
// stands in for that. As in that store, cookies of the session last while the
// program runs, and only cookies with an expiry are kept for the next start.
class BrowserCookies : public QObject
{
    Q_OBJECT
public:
    // The mirror of a profile, made on first use (which starts the web engine); it
    // lives as long as the engine's profile.
    static BrowserCookies &of(WebProfile &profile);

    // The last changes are written when the profile ends, at the end of the program.
    ~BrowserCookies() override;

    // The request header that carries the cookies the browsers would send to
    // `url`; no header when there are none.
    HttpHeaders requestHeaders(const QString &url) const;

private:
    explicit BrowserCookies(WebProfile &profile);
    void keepSoon();
    void keep();

    // A jar whose whole content can be read and written.
    class Jar : public QNetworkCookieJar
    {
    public:
        using QNetworkCookieJar::allCookies;
    };

    Jar jar;
    // The engine tells none of the cookies a profile kept from an earlier run (its
    // loadAllCookies reports nothing in Qt 6.4), so the mirror keeps its own copy.
    QString keptFile;
    // The copy is the profile's folder's: a stand-in for the profile never writes it.
    bool writesTheCopy;
    // A page sets or drops its cookies many at a time, each reported on its own:
    // the copy is written once for all of them.
    QTimer pendingWrite;
};
