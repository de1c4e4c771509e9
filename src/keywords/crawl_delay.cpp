#include "keywords/crawl_delay.h"

#include "platform/box_number.h"

#include <cmath>

std::optional<qint32> crawlWaitMs(const QString &delayText)
{
    double delay = 0;
    if (const std::optional<double> seconds = readStrict(delayText)) {
        const double ms = *seconds * 1000;
        if (std::isfinite(ms))
            delay = ms;
    }
    return toInt32(delay);
}
