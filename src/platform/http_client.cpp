#include "platform/http_client.h"

#include "platform/curl_get.h"

HttpClient::HttpClient(HttpTimeouts timeouts)
    : timeouts(timeouts)
{}

std::optional<HttpReply> HttpClient::get(const QString &url, const HttpHeaders &headers,
                                         HttpFailure *failure) const
{
    QByteArray body;
    CurlGet request;
    request.url = url;
    request.headers = headers;
    request.connectTimeout = timeouts.connect;
    request.stallTimeout = timeouts.stall;
    request.totalTimeout = timeouts.total;
    request.receive = [&body](const char *data, size_t size) {
        body.append(data, qsizetype(size));
        return true;
    };
    const std::optional<int> status = runCurlGet(request, failure);
    if (!status)
        return std::nullopt;
    return HttpReply{*status, body};
}
