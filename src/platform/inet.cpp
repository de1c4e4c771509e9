#include "platform/inet.h"

#include "platform/code_page.h"
#include "platform/curl_get.h"

#include <QCoreApplication>

Inet::Inet(std::chrono::milliseconds timeout)
    : timeout(timeout)
{}

std::optional<QByteArray> Inet::openUrlBytes(const QString &url, const HttpHeaders &headers)
{
    QByteArray body;
    CurlGet request;
    request.url = url;
    request.headers = headers;
    request.totalTimeout = timeout;
    request.receive = [&body](const char *data, size_t size) {
        body.append(data, qsizetype(size));
        return true;
    };
    if (runsEvents)
        request.betweenWaits = [] { QCoreApplication::processEvents(QEventLoop::AllEvents); };
    if (!runCurlGet(request))
        return std::nullopt;
    return body;
}

std::optional<QString> Inet::openUrl(const QString &url, const HttpHeaders &headers)
{
    const std::optional<QByteArray> body = openUrlBytes(url, headers);
    if (!body)
        return std::nullopt;
    return decodeAnsi(*body);
}
