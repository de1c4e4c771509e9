#include "support/fake_services.h"

#include "support/fake_web.h"

FakeServices::FakeServices(const QString &webBase)
    : instanceLock(folders.temp())
    , http(HttpTimeouts{timeout, timeout})
    , inet(timeout)
    , web(folders.paths().webProfileDir(), &instanceLock)
{
    const QString base = webBase.isEmpty() ? FakeWeb::refusingBaseUrl() : webBase;
    for (const QString &name : Endpoints::names())
        endpoints.set(name, base);

    services.http = &http;
    services.inet = &inet;
    services.dialogs = &dialogs;
    services.shell = &shell;
    services.clipboard = &clipboard;
    services.tray = &tray;
    services.instanceLock = &instanceLock;
    services.clock = &clock;
    services.endpoints = &endpoints;
    services.web = &web;
    services.paths = folders.paths();
    services.terminate = [] {};
}
