#include "platform/download.h"

#include "platform/curl_get.h"

#include <QSaveFile>

bool downloadToFile(const QString &url, const QString &path, HttpTimeouts timeouts)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    qint64 written = 0;
    CurlGet request;
    request.url = url;
    request.connectTimeout = timeouts.connect;
    request.stallTimeout = timeouts.stall;
    request.totalTimeout = timeouts.total;
    request.receive = [&](const char *data, size_t size) {
        if (file.write(data, qint64(size)) != qint64(size))
            return false;
        written += qint64(size);
        return true;
    };
    const std::optional<int> status = runCurlGet(request);
    if (!status || *status < 200 || *status > 299 || written == 0) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
