#pragma once

#include "support/virtual_display.h"

#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

class ProgramSetting;

// A virtual X display with copies of the real program on it, seen and worked as a
// user would: through window titles and keys (xdotool). Everything it starts ends
// with it, and with the test process however that ends.
class DesktopSession
{
public:
    DesktopSession() = default;
    ~DesktopSession();
    DesktopSession(const DesktopSession &) = delete;
    DesktopSession &operator=(const DesktopSession &) = delete;

    bool isRunning() const { return !display.name().isEmpty(); }

    // A window manager with a system tray, as a user's desktop has; without one, a
    // window cannot be minimised and the program finds no tray.
    bool startWindowManager();

    // `extra` is added to the program's environment.
    QProcess *start(const ProgramSetting &setting, const QProcessEnvironment &extra = {});

    // The visible windows whose title is exactly `title`, as the screen shows them
    // now; a window that goes away while they are read is left out.
    QStringList windows(const QString &title) const;
    // The first visible window titled `title`, waiting up to `ms` for one to show;
    // empty when none did.
    QString window(const QString &title, int ms) const;
    // Waits up to `ms` for at least `count` such windows.
    bool waitForWindows(const QString &title, int count, int ms) const;
    // Gives the window the input focus and presses a key there.
    bool pressKey(const QString &window, const QString &key) const;
    // Presses a mouse button (1 left, 3 right) at a point of the screen.
    bool click(const QPoint &point, int button) const;
    // Minimises the window, as its title bar's button does.
    bool minimizeWindow(const QString &window) const;
    enum class WindowState { Shown, Hidden, Destroyed };
    // Whether the window is on the screen, off it, or no longer there at all (its
    // program has ended, or the display cannot be asked).
    WindowState state(const QString &window) const;
    // The icons in the window manager's tray, shown or not: a tray gives up an
    // icon's place only once its window is destroyed.
    QStringList trayIcons() const;
    // Whether the window manager lists the window among the windows it manages (its
    // task bar shows them, minimised or not); a window hidden into the tray is not.
    bool isOnTaskBar(const QString &window) const;
    // Asks the window to close, as a window manager does when the user clicks its
    // close button.
    bool closeWindow(const QString &window) const;

private:
    QProcessEnvironment xdotoolEnvironment() const;
    bool xdotool(const QStringList &arguments) const;

    VirtualDisplay display;
    std::vector<std::unique_ptr<QProcess>> programs;
    QTemporaryDir windowManagerHome;
    QProcess windowManager;
};
