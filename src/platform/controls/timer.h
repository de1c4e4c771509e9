#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// A window timer: it ticks every Interval milliseconds while it is enabled and the
// interval is above 0. A new interval starts the count afresh.
class Timer : public QObject
{
    Q_OBJECT
public:
    Timer(QObject *parent, const QString &name);

    int Interval() const { return interval; }
    void setInterval(int milliseconds);
    bool Enabled() const { return enabled; }
    void setEnabled(bool enabled);

    // The Timer event (a member cannot share the class's name).
    std::function<void()> Tick;

private:
    void apply();

    QTimer timer;
    int interval = 0;
    bool enabled = true;
};
