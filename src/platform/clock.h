#pragma once

#include <QDateTime>
#include <QtGlobal>

// A monotonic millisecond clock that never wraps, so no wait hangs when a 32-bit count
// would have rolled over.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual qint64 nowMs() const;
    // The local date and time, as the wall clock shows it.
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
};

// Waits until the clock has advanced by `ms`, letting pending window events run
// on every pass that does not end the wait. Returns at once, running nothing,
// for 0 or less.
void Sleep(const Clock &clock, qint64 ms);
