#include "platform/download.h"

#include "platform/atomic_file.h"
#include "platform/curl_get.h"

bool downloadToFile(const QString &url, const QString &path, HttpTimeouts timeouts)
{
    AtomicFile file(path);
    if (!file.open())
        return false;
    qint64 written = 0;
    CurlGet request;
    request.url = url;
    request.connectTimeout = timeouts.connect;
    request.stallTimeout = timeouts.stall;
    request.totalTimeout = timeouts.total;
    request.receive = [&](const char *data, size_t size) {
        if (!file.write(data, qint64(size)))
            return false;
        written += qint64(size);
        return true;
    };
    const std::optional<int> status = runCurlGet(request);
    if (!status || *status < 200 || *status > 299 || written == 0)
        return false;
    return file.commit();
}
