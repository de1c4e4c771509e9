#pragma once

#include <QProcess>
#include <QString>

// A virtual X display (Xvfb) for starting the real program on, ended with the object.
class VirtualDisplay
{
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay &) = delete;
    VirtualDisplay &operator=(const VirtualDisplay &) = delete;

    // ":N", or empty when the server could not be started.
    QString name() const { return display; }

private:
    QProcess server;
    QString display;
};
