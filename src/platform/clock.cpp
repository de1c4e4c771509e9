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
        // Under the GLib event loop, a wait nested in a handler that a posted event ran
        // (a browser's completion handler inside a button's wait) gets no posted
        // events through processEvents; the web engine's work comes as such events.
        QCoreApplication::sendPostedEvents();
        // Rest briefly so a long wait does not spin a core.
        QThread::msleep(static_cast<unsigned long>(qMin<qint64>(ms - elapsed, 2)));
    }
}
