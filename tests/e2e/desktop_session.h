#pragma once

#include "support/virtual_display.h"

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class ProgramSetting;

// A virtual X display with copies of the real program on it, seen and worked as a
// user would: through window titles and keys (xdotool).
class DesktopSession
{
public:
    ~DesktopSession();

    bool isRunning() const { return !display.name().isEmpty(); }

    QProcess *start(const ProgramSetting &setting);

    // The visible windows whose title is exactly `title`.
    QStringList windows(const QString &title) const;
    // Waits up to `ms` for at least `count` such windows.
    bool waitForWindows(const QString &title, int count, int ms) const;
    // Gives the window the input focus and presses a key there.
    bool pressKey(const QString &window, const QString &key) const;
    // Asks the window to close, as a window manager does when the user clicks its
    // close button.
    bool closeWindow(const QString &window) const;

private:
    QProcessEnvironment xdotoolEnvironment() const;

    VirtualDisplay display;
    std::vector<std::unique_ptr<QProcess>> programs;
};
