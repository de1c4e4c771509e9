#include "platform/browser.h"
#include "platform/browser_cookies.h"
#include "platform/clock.h"
#include "platform/page_links.h"
#include "platform/page_script.h"
#include "platform/web_profile.h"
#include "support/fake_web.h"
#include "support/test_main.h"

#include <QTemporaryDir>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

constexpr int loadTimeoutMs = 15000;
// How long a test waits to be sure that no further completion comes.
constexpr int quietMs = 400;

QByteArray page(const QByteArray &body)
{
    return "<html><head><meta charset=\"utf-8\"></head><body>" + body + "</body></html>";
}

FakeWeb::Reply html(const QByteArray &body, int delayMs = 0)
{
    FakeWeb::Reply reply;
    reply.body = page(body);
    reply.contentType = "text/html; charset=utf-8";
    reply.delayMs = delayMs;
    reply.headers = {{"Cache-Control", "no-store"}};
    return reply;
}

int requestsFor(const FakeWeb &web, const QByteArray &path)
{
    int count = 0;
    for (const FakeWeb::Request &request : web.requests())
        count += request.path == path;
    return count;
}

} // namespace

class TstBrowser : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void completionOncePerLoad_data();
    void completionOncePerLoad();
    void replacedNavigationReportsOnlyTheNewer();
    void refreshReloadsWithoutCompletion();
    void stopEndsTheLoadWithoutCompletion();
    void heldCompletionsComeAfterTheHold();
    void handlerWaitingInsideAWaitSeesItsRefreshEnd();
    void scriptDataIsNeverCode();
    void readsLinksInDocumentOrder();
    void shortensLinkAddresses_data();
    void shortensLinkAddresses();
    void refusesToShortenAChangedLink();
    void cookiesFollowTheProfile();

private:
    void show(Browser &browser);

    FakeWeb *web = nullptr;
    QWidget *window = nullptr;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<WebProfile> profile;
};

void TstBrowser::init()
{
    web = new FakeWeb;
    web->route("/a", html("<p>a</p>"));
    web->route("/slow", html("<p>slow</p>", 1500));
    window = new QWidget;
    window->resize(400, 300);
    folder = std::make_unique<QTemporaryDir>();
    profile = std::make_unique<WebProfile>(folder->path());
}

void TstBrowser::cleanup()
{
    delete window;
    window = nullptr;
    profile.reset();
    folder.reset();
    delete web;
    web = nullptr;
}

void TstBrowser::show(Browser &browser)
{
    browser.widget()->setGeometry(0, 0, 400, 300);
    window->show();
}

void TstBrowser::completionOncePerLoad_data()
{
    QTest::addColumn<QString>("path");

    QTest::newRow("page") << "/a";
    QTest::newRow("error page of a missing page") << "/missing";
}

void TstBrowser::completionOncePerLoad()
{
    QFETCH(QString, path);
    Browser browser(window, "WebBrowser1", *profile);
    show(browser);
    QStringList completed;
    browser.DocumentComplete = [&](const QString &url) { completed.append(url); };

    browser.Navigate(web->baseUrl() + path);
    QCOMPARE(browser.ReadyState(), int(Browser::Loading));
    QVERIFY(completed.isEmpty()); // never inside the call

    QTRY_COMPARE_WITH_TIMEOUT(completed.size(), 1, loadTimeoutMs);
    QCOMPARE(completed.first(), web->baseUrl() + path);
    QCOMPARE(browser.ReadyState(), int(Browser::Complete));
    QTest::qWait(quietMs);
    QCOMPARE(completed.size(), 1);
}

void TstBrowser::replacedNavigationReportsOnlyTheNewer()
{
    Browser browser(window, "WebBrowser1", *profile);
    show(browser);
    QStringList completed;
    browser.DocumentComplete = [&](const QString &url) { completed.append(url); };

    browser.Navigate(web->baseUrl() + "/slow");
    QTRY_COMPARE_WITH_TIMEOUT(requestsFor(*web, "/slow"), 1, loadTimeoutMs);
    browser.Navigate(web->baseUrl() + "/a");

    QTRY_COMPARE_WITH_TIMEOUT(completed.size(), 1, loadTimeoutMs);
    QCOMPARE(completed.first(), web->baseUrl() + "/a");
    QTest::qWait(1500 + quietMs);
    QCOMPARE(completed.size(), 1);
}

void TstBrowser::refreshReloadsWithoutCompletion()
{
    Browser browser(window, "WebBrowser1", *profile);
    show(browser);
    int completions = 0;
    browser.DocumentComplete = [&](const QString &) { ++completions; };
    browser.Navigate(web->baseUrl() + "/a");
    QTRY_COMPARE_WITH_TIMEOUT(completions, 1, loadTimeoutMs);

    browser.Refresh();
    QCOMPARE(browser.ReadyState(), int(Browser::Loading));
    QTRY_COMPARE_WITH_TIMEOUT(requestsFor(*web, "/a"), 2, loadTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(browser.ReadyState(), int(Browser::Complete), loadTimeoutMs);
    QTest::qWait(quietMs);
    QCOMPARE(completions, 1);

    // The next navigation is reported again.
    browser.Navigate(web->baseUrl() + "/a");
    QTRY_COMPARE_WITH_TIMEOUT(completions, 2, loadTimeoutMs);
}

void TstBrowser::stopEndsTheLoadWithoutCompletion()
{
    Browser browser(window, "WebBrowser1", *profile);
    show(browser);
    int completions = 0;
    browser.DocumentComplete = [&](const QString &) { ++completions; };

    browser.Navigate(web->baseUrl() + "/slow");
    QTRY_COMPARE_WITH_TIMEOUT(requestsFor(*web, "/slow"), 1, loadTimeoutMs);
    browser.Stop();

    QTRY_COMPARE_WITH_TIMEOUT(browser.ReadyState(), int(Browser::Complete), loadTimeoutMs);
    QTest::qWait(1500 + quietMs);
    QCOMPARE(completions, 0);
}

void TstBrowser::heldCompletionsComeAfterTheHold()
{
    Browser browser(window, "WebBrowser1", *profile);
    show(browser);
    int completions = 0;
    browser.DocumentComplete = [&](const QString &) { ++completions; };
    {
        Browser::CompletionHold hold(browser);
        browser.Navigate(web->baseUrl() + "/a");
        QTRY_COMPARE_WITH_TIMEOUT(browser.ReadyState(), int(Browser::Complete), loadTimeoutMs);
        QTest::qWait(quietMs);
        QCOMPARE(completions, 0);
    }
    QCOMPARE(completions, 0); // reported from the event loop, not inside the release
    QTRY_COMPARE_WITH_TIMEOUT(completions, 1, loadTimeoutMs);
}

// A button's handler waits; the completion handler that runs inside that wait
// refreshes the page and waits in turn, and the refresh must finish meanwhile.
void TstBrowser::handlerWaitingInsideAWaitSeesItsRefreshEnd()
{
    Browser browser(window, "WebBrowser1", *profile);
    show(browser);
    browser.Navigate(web->baseUrl() + "/a");
    QTRY_COMPARE_WITH_TIMEOUT(browser.ReadyState(), int(Browser::Complete), loadTimeoutMs);
    const Clock clock;
    std::optional<int> stateAfterWait;
    std::optional<QString> scriptAfterWait;
    browser.DocumentComplete = [&](const QString &) {
        browser.Refresh();
        Sleep(clock, 1500);
        stateAfterWait = browser.ReadyState();
        const std::optional<QVariant> title = runPageScript(browser, "return 'read';");
        scriptAfterWait = title ? title->toString() : QString();
    };

    browser.Navigate(web->baseUrl() + "/a");
    Sleep(clock, 3000);

    QCOMPARE(stateAfterWait, std::optional<int>(Browser::Complete));
    QCOMPARE(requestsFor(*web, "/a"), 3);
    QCOMPARE(scriptAfterWait, std::optional<QString>("read"));
}

void TstBrowser::scriptDataIsNeverCode()
{
    Browser browser(window, "WebBrowser1", *profile);
    show(browser);
    browser.Navigate(web->baseUrl() + "/a");
    QTRY_COMPARE_WITH_TIMEOUT(browser.ReadyState(), int(Browser::Complete), loadTimeoutMs);

    const QString hostile = "'); document.title = 'hacked'; ('\"</script>\\u2028";
    const std::optional<QVariant> echoed =
        runPageScript(browser, "return data.text + document.title;", {{"text", hostile}});
    QVERIFY(echoed);
    QCOMPARE(echoed->toString(), hostile);

    QVERIFY(!runPageScript(browser, "throw new Error('broken');"));
    QVERIFY(!runPageScript(browser, "return undefined;"));
}

void TstBrowser::readsLinksInDocumentOrder()
{
    web->route("/links", html("<a href=\"/air/#1\">一</a>"
                              "<a href=\"http://other.invalid/x\" style=\"white-space:pre\">  two "
                              "</a>"
                              "<a>no address</a>"
                              "<svg><a href=\"/svg\"><text>svg</text></a></svg>"));
    Browser browser(window, "WebBrowser1", *profile);
    show(browser);
    browser.Navigate(web->baseUrl() + "/links");
    QTRY_COMPARE_WITH_TIMEOUT(browser.ReadyState(), int(Browser::Complete), loadTimeoutMs);

    const std::optional<QList<PageLink>> links = readPageLinks(browser);
    QVERIFY(links);
    QCOMPARE(links->size(), 4);
    QCOMPARE(links->at(0).text, QString("一"));
    QCOMPARE(links->at(0).href, web->baseUrl() + "/air/#1");
    QCOMPARE(links->at(1).text, QString("  two "));
    QCOMPARE(links->at(1).href, QString("http://other.invalid/x"));
    QCOMPARE(links->at(2).href, QString());
    QCOMPARE(links->at(3).href, QString());
}

void TstBrowser::shortensLinkAddresses_data()
{
    QTest::addColumn<QString>("href");
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<QString>("shortened");

    // {base} stands for the fake server's address.
    QTest::newRow("group link") << "/air/#12345" << QStringList{"{base}/air/#"} << "12345";
    QTest::newRow("member link, three parts in turn")
        << "/air/#77/addr/detail/u/10001/type/1"
        << QStringList{"{base}/air/#77/addr/detail/u/", "/type/1", "{base}/air/#"} << "10001";
    QTest::newRow("every occurrence") << "/x/type/1/type/1" << QStringList{"/type/1"} << "{base}/x";
    QTest::newRow("parts that look like script")
        << "/a'b" << QStringList{"\"\\');", "'"} << "{base}/ab";
}

void TstBrowser::shortensLinkAddresses()
{
    QFETCH(QString, href);
    QFETCH(QStringList, parts);
    QFETCH(QString, shortened);
    web->route("/link", html("<a href=\"" + href.toUtf8() + "\">link</a>"));
    Browser browser(window, "WebBrowser1", *profile);
    show(browser);
    browser.Navigate(web->baseUrl() + "/link");
    QTRY_COMPARE_WITH_TIMEOUT(browser.ReadyState(), int(Browser::Complete), loadTimeoutMs);
    const QString base = web->baseUrl();
    parts.replaceInStrings("{base}", base);
    shortened.replace("{base}", base);
    const QString resolved = readPageLinks(browser)->first().href;
    QCOMPARE(resolved, base + href);

    const std::optional<QString> result = removeFromLinkHref(browser, 0, resolved, parts);
    QVERIFY(result);
    QCOMPARE(*result, shortened);
    // Written into the page, which resolves it like any relative address.
    const std::optional<QVariant> written = runPageScript(
        browser, "return document.getElementsByTagName('a')[0].getAttribute('href');");
    QCOMPARE(written->toString(), shortened);
    QVERIFY(!readPageLinks(browser)->first().href.contains(base + "/air/#"));
}

void TstBrowser::refusesToShortenAChangedLink()
{
    web->route("/link", html("<a href=\"/air/#1\">one</a>"));
    Browser browser(window, "WebBrowser1", *profile);
    show(browser);
    browser.Navigate(web->baseUrl() + "/link");
    QTRY_COMPARE_WITH_TIMEOUT(browser.ReadyState(), int(Browser::Complete), loadTimeoutMs);
    const QString href = web->baseUrl() + "/air/#1";
    const QStringList prefix{web->baseUrl() + "/air/#"};

    QVERIFY(!removeFromLinkHref(browser, 1, href, prefix));            // no such link
    QVERIFY(!removeFromLinkHref(browser, 0, href + "/other", prefix)); // not the link read
    QCOMPARE(removeFromLinkHref(browser, 0, href, prefix), std::optional<QString>("1"));
    // Once shortened it is no longer the link that was read.
    QVERIFY(!removeFromLinkHref(browser, 0, href, prefix));
}

void TstBrowser::cookiesFollowTheProfile()
{
    FakeWeb::Reply login = html("<p>welcome</p>");
    login.headers.append(
        qMakePair(QByteArray("Set-Cookie"), QByteArray("skey=abc123; Path=/; HttpOnly")));
    web->route("/login", login);
    Browser browser(window, "WebBrowser1", *profile);
    show(browser);
    const BrowserCookies &cookies = BrowserCookies::of(browser.webProfile());
    const QString target = web->baseUrl() + "/air/index/mygroup?w=n";
    QCOMPARE(cookies.requestHeaders(target), HttpHeaders());

    browser.Navigate(web->baseUrl() + "/login");
    QTRY_COMPARE_WITH_TIMEOUT(cookies.requestHeaders(target),
                              HttpHeaders({{"Cookie", "skey=abc123"}}), loadTimeoutMs);
    QCOMPARE(cookies.requestHeaders("http://elsewhere.invalid/"), HttpHeaders());
    // A second browser on the same profile sees the same login.
    Browser second(window, "WebBrowser2", *profile);
    QCOMPARE(&second.webProfile(), &browser.webProfile());

    browser.webProfile().engineProfile()->cookieStore()->deleteAllCookies();
    QTRY_COMPARE_WITH_TIMEOUT(cookies.requestHeaders(target), HttpHeaders(), loadTimeoutMs);
}

SKARVEL_TEST_MAIN(TstBrowser)
#include "tst_browser.moc"
