#include "platform/controls/timer.h"

Timer::Timer(QObject *parent, const QString &name)
    : QObject(parent)
    , timer(this)
{
    setObjectName(name);
    timer.setObjectName(name);
    // A window timer never ticks before its interval is up; Qt's default coarse
    // timers may fire up to 5% early.
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, this, [this] {
        if (Tick)
            Tick();
    });
}

void Timer::setInterval(int milliseconds)
{
    interval = milliseconds;
    apply();
}

void Timer::setEnabled(bool on)
{
    if (on == enabled)
        return;
    enabled = on;
    apply();
}

void Timer::apply()
{
    if (enabled && interval > 0)
        timer.start(interval);
    else
        timer.stop();
}
