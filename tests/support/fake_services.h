#pragma once

#include "net/endpoints.h"
#include "platform/clock.h"
#include "platform/http_client.h"
#include "platform/inet.h"
#include "platform/instance_lock.h"
#include "platform/services.h"
#include "platform/web_profile.h"
#include "support/fake_desktop.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folders.h"

// Services for a window under test: scripted dialogs, a recording desktop, folders
// of the test's own with the browsers' profile in them, and HTTP with short time-outs. Every
// outside service points at `webBase` (a FakeWeb's baseUrl()); without one, at a port where every
// connection is refused, so no request can leave the machine. Ending the program
// is only recorded: services.programEnded() tells.
class FakeServices
{
public:
    static constexpr std::chrono::milliseconds timeout{2000};

    explicit FakeServices(const QString &webBase = {});
    FakeServices(const FakeServices &) = delete;
    FakeServices &operator=(const FakeServices &) = delete;

    void pointAt(const QString &name, const QString &base) { endpoints.set(name, base); }

    TempFolders folders;
    ScriptedDialogs dialogs;
    FakeShell shell;
    MemoryClipboard clipboard;
    FakeTrayIcon tray;
    Clock clock;
    InstanceLock instanceLock;
    HttpClient http;
    Inet inet;
    // In the test's own profile folder, so no test sees another's login; made after
    // `folders`, so it ends before they are removed.
    WebProfile web;
    Endpoints endpoints;
    Services services;
};
