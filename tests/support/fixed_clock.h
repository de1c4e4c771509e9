#pragma once

#include "platform/clock.h"

// A clock whose wall-clock time is what the test sets; the millisecond count runs on.
class FixedClock : public Clock
{
public:
    explicit FixedClock(const QDateTime &time)
        : time(time)
    {}
    QDateTime now() const override { return time; }

    QDateTime time;
};
