#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// The wait after each keyword, from the delay box's seconds: times 1000, rounded
// to whole milliseconds with halves to the even neighbour. A text that is no
// number, or a product that overflows, waits 0. No value when the rounded wait
// does not fit in 32 bits: then the crawl does not wait at all.
std::optional<qint32> crawlWaitMs(const QString &delayText);
