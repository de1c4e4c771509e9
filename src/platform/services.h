#pragma once

#include "platform/paths.h"

#include <functional>

class Clipboard;
class Clock;
class Dialogs;
class Endpoints;
class HttpClient;
class Inet;
class InstanceLock;
class Shell;
class TrayIcon;
class WebProfile;

// Everything a window needs of the world outside it, handed to each window on
// creation. The program builds the real services, the tests fake ones; no window
// reaches a global for any of them. The pointers are not owned.
class Services
{
public:
    HttpClient *http = nullptr;
    Inet *inet = nullptr;
    Dialogs *dialogs = nullptr;
    Shell *shell = nullptr;
    Clipboard *clipboard = nullptr;
    TrayIcon *tray = nullptr;
    InstanceLock *instanceLock = nullptr;
    Clock *clock = nullptr;
    Endpoints *endpoints = nullptr;
    WebProfile *web = nullptr; // the profile of every embedded browser
    Paths paths;

    // Ends the process at once, whatever is open: the windows and the tray icon leave
    // the screen, the browsers' profile writes what it holds, the instance lock is let
    // go, and `terminate` ends the process; no closing handler of any window runs.
    // Where `terminate` returns (the tests record the end), the caller must return
    // straight away.
    std::function<void()> terminate;
    void endProgram();
    bool programEnded() const { return ended; }

private:
    bool ended = false;
};
