#include "main/form1.h"
#include "net/endpoints.h"
#include "platform/application_setup.h"
#include "platform/clipboard.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/end_signals.h"
#include "platform/http_client.h"
#include "platform/inet.h"
#include "platform/instance_lock.h"
#include "platform/services.h"
#include "platform/shell.h"
#include "platform/tray_icon.h"
#include "platform/web_profile.h"

#include <QApplication>
#include <cstdlib>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Chromium refuses its sandbox when run as root; the embedded browsers then
    // start without it.
    if (geteuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.contains("--no-sandbox"))
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --no-sandbox").trimmed());
    }
    prepareApplication();
    QApplication app(argc, argv);
    setUpApplication();

    MessageBoxDialogs dialogs;
    DesktopShell shell;
    SystemClipboard clipboard;
    SystemTrayIcon tray;
    Clock clock;
    HttpClient http;
    Inet inet;
    Endpoints endpoints = Endpoints::fromEnvironment();

    Services services;
    services.paths = Paths::fromEnvironment();
    InstanceLock instanceLock(services.paths.runtimeDir);
    WebProfile web(services.paths.webProfileDir(), &instanceLock);
    services.dialogs = &dialogs;
    services.shell = &shell;
    services.clipboard = &clipboard;
    services.tray = &tray;
    services.instanceLock = &instanceLock;
    services.clock = &clock;
    services.http = &http;
    services.inet = &inet;
    services.endpoints = &endpoints;
    services.web = &web;
    // The process ends in the middle of a handler, so nothing may unwind into the
    // windows.
    services.terminate = [] { std::_Exit(0); };
    const EndSignals endSignals(services);

    // The main window starts the program: its load shows the splash, and its
    // timer shows the window itself.
    Form1 form1(services);
    form1.load();
    return app.exec();
}
