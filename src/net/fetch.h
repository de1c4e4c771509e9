#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class HttpClient;

// Fetches `url` with a GET carrying "If-Modified-Since: 0", so that no cache
// answers in place of the server, and returns the body decoded in the charset
// `coding` whatever the reply's status (an error page is returned like any page).
// A request that got no reply gives the empty text. When only the decoding fails
// (a charset name not known), the body comes back undecoded, its bytes read in
// the ANSI code page (GBK) as the system reads text of no stated charset.
QString GetBody(const HttpClient &http, const QString &url, const QString &coding);
// The same fetch under its second name.
QString GetBody1(const HttpClient &http, const QString &url, const QString &coding);

// The bytes decoded in the named charset ("gb2312" read as GBK, "utf-8" without
// its byte order mark); nothing for a charset name not known.
std::optional<QString> BytesToBstr(const QByteArray &body, const QString &charset);
