#include "net/fetch.h"

#include "platform/code_page.h"
#include "platform/http_client.h"

QString GetBody(const HttpClient &http, const QString &url, const QString &coding)
{
    const std::optional<HttpReply> reply = http.get(url, {{"If-Modified-Since", "0"}});
    if (!reply)
        return {};
    const std::optional<QString> text = BytesToBstr(reply->body, coding);
    return text ? *text : decodeAnsi(reply->body);
}

QString GetBody1(const HttpClient &http, const QString &url, const QString &coding)
{
    return GetBody(http, url, coding);
}

std::optional<QString> BytesToBstr(const QByteArray &body, const QString &charset)
{
    return decodeBytes(body, charset);
}
