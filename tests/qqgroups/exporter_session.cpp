#include "exporter_session.h"

#include "platform/browser_cookies.h"

#include <QDeadlineTimer>
#include <QTest>

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(10);
    }
    return true;
}

ExporterSession::ExporterSession(bool serviceReachable)
    : fake(web.base())
{
    web.serve(fake);
    if (!serviceReachable)
        fake.pointAt("qqgroup", FakeWeb::refusingBaseUrl());
    window = std::make_unique<Form4>(fake.services);
    window->load();
    window->show();
    // The login page, and the refresh its first completion makes.
    const bool loaded = waitFor(
        [this] { return web.loginPageRequests() >= 2 && window->WebBrowser1.ReadyState() == 4; });
    if (!loaded)
        qWarning("the login page did not load");
}

void ExporterSession::logIn()
{
    const QString page = web.base() + "/air/index/mygroup?w=n";
    window->WebBrowser1.Navigate(web.base() + "/dologin");
    if (!waitFor(
            [&] { return !cookiesFor(page).isEmpty() && window->WebBrowser1.ReadyState() == 4; }))
        qWarning("the login did not take");
}

void ExporterSession::warmUpMemberBrowser()
{
    window->WebBrowser2.Navigate(web.base() + "/");
    if (!waitFor([this] { return window->WebBrowser2.ReadyState() == 4; }))
        qWarning("the member browser did not load");
    QTest::qWait(100);
}

void ExporterSession::listGroup(const QString &name, const QString &number)
{
    const int row = window->ListView1.addRow(name);
    window->ListView1.setSubItem(row, 1, "\t" + number);
}

HttpHeaders ExporterSession::cookiesFor(const QString &url) const
{
    return BrowserCookies::of(*fake.services.web).requestHeaders(url);
}
