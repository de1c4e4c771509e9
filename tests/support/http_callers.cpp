#include "support/http_callers.h"

#include "platform/download.h"
#include "platform/http_client.h"
#include "platform/inet.h"
#include "support/temp_folders.h"

#include <QTest>

std::optional<QByteArray> fetchWith(HttpCaller caller, const QString &url,
                                    std::optional<std::chrono::milliseconds> total)
{
    HttpTimeouts timeouts;
    timeouts.total = total.value_or(timeouts.total);
    switch (caller) {
    case HttpCaller::PageFetch: {
        const std::optional<HttpReply> reply = HttpClient(timeouts).get(url);
        return reply ? std::optional(reply->body) : std::nullopt;
    }
    case HttpCaller::TransferControl:
        return (total ? Inet(*total) : Inet()).openUrlBytes(url);
    case HttpCaller::Download: {
        TempFolders folders;
        const QString target = folders.program("download");
        if (!downloadToFile(url, target, timeouts))
            return std::nullopt;
        return TempFolders::readFile(target);
    }
    }
    return std::nullopt;
}

const char *nameOf(HttpCaller caller)
{
    switch (caller) {
    case HttpCaller::PageFetch:
        return "page fetch";
    case HttpCaller::TransferControl:
        return "transfer control";
    case HttpCaller::Download:
        return "download";
    }
    return "";
}

void addHttpCallerRows(const char *what)
{
    QTest::addColumn<HttpCaller>("caller");
    for (HttpCaller caller : httpCallers)
        QTest::addRow("%s, %s", nameOf(caller), what) << caller;
}
