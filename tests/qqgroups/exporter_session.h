#pragma once

#include "fake_group_service.h"
#include "qqgroups/form4.h"
#include "support/fake_services.h"

#include <functional>
#include <memory>

// An exporter window loaded and shown on a fake group service, with the login page
// loaded. The browsers' profile is the session's own, so each session starts
// without a login.
class ExporterSession
{
public:
    static constexpr int loadTimeoutMs = 15000;
    // The delay the tests set: long enough for a page to load and be scanned within
    // it on a busy machine, as the window's status text advises.
    static constexpr const char *delay = "1";

    // With `serviceReachable` false the window's group service refuses every
    // connection; its login host still answers.
    explicit ExporterSession(bool serviceReachable = true);

    Form4 &form() { return *window; }

    // Logs in in the visible browser, as the user does on the login page.
    void logIn();
    // Lets the member browser load a first page, so its first fetch does not wait
    // for the web engine to start a page process.
    void warmUpMemberBrowser();
    // Lists groups as the group scan does, without the service.
    void listGroup(const QString &name, const QString &number);

    HttpHeaders cookiesFor(const QString &url) const;

    FakeGroupService web;
    FakeServices fake;

private:
    std::unique_ptr<Form4> window;
};

// Waits, running events, until `condition` holds; false when it never did.
bool waitFor(const std::function<bool()> &condition,
             int timeoutMs = ExporterSession::loadTimeoutMs);
