#pragma once

#include "support/virtual_display.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

// A virtual X display with copies of the real program on it, seen and worked as a
// user would: through window titles and keys (xdotool).
class DesktopSession
{
public:
    ~DesktopSession();

    bool isRunning() const { return !display.name().isEmpty(); }

    // The environment every program started here gets: the display, and folders
    // pointed at the caller's.
    void setProgramEnvironment(const QProcessEnvironment &environment);

    // Starts the program in `folder` (its executable copied there first).
    QProcess *start(const QString &folder);

    // The visible windows whose title is exactly `title`.
    QStringList windows(const QString &title) const;
    // Waits up to `ms` for at least `count` such windows.
    bool waitForWindows(const QString &title, int count, int ms) const;
    // Gives the window the input focus and presses a key there.
    bool pressKey(const QString &window, const QString &key) const;

    static bool copyProgramTo(const QString &folder);

private:
    QProcessEnvironment xdotoolEnvironment() const;

    VirtualDisplay display;
    QProcessEnvironment programEnvironment;
    std::vector<std::unique_ptr<QProcess>> programs;
};
