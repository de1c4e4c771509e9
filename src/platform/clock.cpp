#include "platform/clock.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>

qint64 Clock::nowMs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void Sleep(const Clock &clock, qint64 ms)
{
    const qint64 start = clock.nowMs();
    for (;;) {
        const qint64 elapsed = clock.nowMs() - start;
        if (elapsed >= ms)
            return;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        // Rest briefly so a long wait does not spin a core.
        QThread::msleep(static_cast<unsigned long>(qMin<qint64>(ms - elapsed, 2)));
    }
}
