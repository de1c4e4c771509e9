#include "net/network_probe.h"

#include "platform/inet.h"

bool NetworkProbe(Inet &inet, const QString &url)
{
    const std::optional<QByteArray> reply = inet.openUrlBytes(url);
    return reply && !reply->isEmpty();
}
