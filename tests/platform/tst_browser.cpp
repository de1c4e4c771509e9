#include "platform/browser.h"
#include "platform/browser_cookies.h"
#include "platform/clock.h"
#include "platform/page_links.h"
#include "platform/page_script.h"
#include "platform/popup_browser.h"
#include "platform/web_profile.h"
#include "support/context_menu.h"
#include "support/fake_services.h"
#include "support/fake_web.h"
#include "support/test_main.h"

#include <QAction>
#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
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

FakeWeb::Reply picture()
{
    QImage image(60, 60, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    image.save(&bytes, "PNG");
    FakeWeb::Reply reply;
    reply.body = bytes.data();
    reply.contentType = "image/png";
    return reply;
}

// A second of silence, as a WAV file the engine can play.
FakeWeb::Reply sound()
{
    constexpr quint32 rate = 8000;
    const QByteArray samples(rate * 2, '\0');
    QByteArray wav;
    QDataStream out(&wav, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples.size());
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << rate << quint32(rate * 2) << quint16(2)
        << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(samples.size());
    out.writeRawData(samples.constData(), int(samples.size()));
    FakeWeb::Reply reply;
    reply.body = wav;
    reply.contentType = "audio/wav";
    return reply;
}

// Each at a place of its own, so a click at a point lands on one of them.
QByteArray placed(const QByteArray &element, int top)
{
    const QByteArray style = "position:absolute;left:0;top:" + QByteArray::number(top) +
                             "px;width:150px;height:30px;display:block";
    return element.left(element.indexOf(' ')) + " style=\"" + style + "\"" +
           element.mid(element.indexOf(' '));
}

// A point inside the element placed at `top`.
QPoint at(int top)
{
    return {20, top + 15};
}

const QPoint plainPart(300, 250);

const QString pageDialogTitle = QStringLiteral("来自网页的消息");

// Everything under `folder`, however deep.
QStringList entriesIn(const QString &folder)
{
    QStringList entries;
    QDirIterator iterator(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                          QDirIterator::Subdirectories);
    while (iterator.hasNext())
        entries << iterator.next();
    return entries;
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
    void initTestCase();
    void cleanupTestCase();
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
    void contextMenuOffersOnlyWhatWorks_data();
    void contextMenuOffersOnlyWhatWorks();
    void newWindowWithoutHandlerGoesToTheDesktop_data();
    void newWindowWithoutHandlerGoesToTheDesktop();
    void newWindowWithHandlerGoesToItsBrowser_data();
    void newWindowWithHandlerGoesToItsBrowser();
    void pageSavesNothingInTheHome_data();
    void pageSavesNothingInTheHome();
    void newWindowAddressReachesTheDesktopFullyEncoded_data();
    void newWindowAddressReachesTheDesktopFullyEncoded();
    void linkToALocalFileOpensNothing_data();
    void linkToALocalFileOpensNothing();
    void windowsNeverGivenAnAddressEnd_data();
    void windowsNeverGivenAnAddressEnd();
    void windowNavigatedAgainReachesTheDesktopOnce_data();
    void windowNavigatedAgainReachesTheDesktopOnce();
    void popupsLinkOpensAnotherPopupOnTheSameLogin();
    void pageDialogsGoThroughTheProgramsDialogs_data();
    void pageDialogsGoThroughTheProgramsDialogs();
    void leavingAPageAsksThroughTheProgramsDialogs_data();
    void leavingAPageAsksThroughTheProgramsDialogs();

private:
    void show(Browser &browser);
    bool load(Browser &browser, const QString &path);
    static void newWindowRequests_data();
    // The page asks for a new window at `address`, written into it as it is given.
    void askForNewWindow(Browser &browser, const QString &how, QPoint where, const QString &entry,
                         const QString &address = "/b");

    FakeWeb *web = nullptr;
    QWidget *window = nullptr;
    std::unique_ptr<FakeServices> fake;
    QTemporaryDir home;
    QByteArray previousHome;
};

void TstBrowser::initTestCase()
{
    // The engine takes its download folder from the home folder when the profile is made.
    QVERIFY(home.isValid());
    previousHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit());
}

void TstBrowser::cleanupTestCase()
{
    qputenv("HOME", previousHome);
}

void TstBrowser::init()
{
    web = new FakeWeb;
    web->route("/a", html("<p>a</p>"));
    web->route("/slow", html("<p>slow</p>", 1500));
    window = new QWidget;
    window->resize(400, 300);
    fake = std::make_unique<FakeServices>(web->baseUrl());
}

void TstBrowser::cleanup()
{
    delete window;
    window = nullptr;
    fake.reset();
    delete web;
    web = nullptr;
}

void TstBrowser::show(Browser &browser)
{
    browser.widget()->setGeometry(0, 0, 400, 300);
    window->show();
}

bool TstBrowser::load(Browser &browser, const QString &path)
{
    show(browser);
    browser.Navigate(web->baseUrl() + path);
    return QTest::qWaitFor([&] { return browser.ReadyState() == Browser::Complete; },
                           loadTimeoutMs);
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
    Browser browser(window, "WebBrowser1", fake->services);
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
    Browser browser(window, "WebBrowser1", fake->services);
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
    Browser browser(window, "WebBrowser1", fake->services);
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
    Browser browser(window, "WebBrowser1", fake->services);
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
    Browser browser(window, "WebBrowser1", fake->services);
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
    Browser browser(window, "WebBrowser1", fake->services);
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
    Browser browser(window, "WebBrowser1", fake->services);
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
    Browser browser(window, "WebBrowser1", fake->services);
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
    Browser browser(window, "WebBrowser1", fake->services);
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
    Browser browser(window, "WebBrowser1", fake->services);
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
    Browser browser(window, "WebBrowser1", fake->services);
    show(browser);
    const BrowserCookies &cookies = BrowserCookies::of(browser.webProfile());
    const QString target = web->baseUrl() + "/air/index/mygroup?w=n";
    QCOMPARE(cookies.requestHeaders(target), HttpHeaders());

    browser.Navigate(web->baseUrl() + "/login");
    QTRY_COMPARE_WITH_TIMEOUT(cookies.requestHeaders(target),
                              HttpHeaders({{"Cookie", "skey=abc123"}}), loadTimeoutMs);
    QCOMPARE(cookies.requestHeaders("http://elsewhere.invalid/"), HttpHeaders());
    // A second browser on the same profile sees the same login.
    Browser second(window, "WebBrowser2", fake->services);
    QCOMPARE(&second.webProfile(), &browser.webProfile());

    browser.webProfile().engineProfile()->cookieStore()->deleteAllCookies();
    QTRY_COMPARE_WITH_TIMEOUT(cookies.requestHeaders(target), HttpHeaders(), loadTimeoutMs);
}

void TstBrowser::contextMenuOffersOnlyWhatWorks_data()
{
    QTest::addColumn<QPoint>("where");
    QTest::addColumn<QStringList>("menu");

    const QStringList pageEntries{"后退", "前进", "重新加载"};
    QTest::newRow("page") << plainPart << pageEntries;
    QTest::newRow("link") << at(0)
                          << pageEntries + QStringList{"", "在新页签中打开链接",
                                                       "在新窗口中打开链接", "", "复制链接地址"};
    QTest::newRow("text field") << at(50)
                                << QStringList{"撤销", "重做",           "",    "剪切", "复制",
                                               "粘贴", "粘贴并匹配样式", "全选"};
    QTest::newRow("picture") << at(100)
                             << pageEntries + QStringList{"", "复制图片", "复制图片地址"};
    const QStringList mediaEntries = pageEntries + QStringList{"", "循环", "复制媒体链接"};
    QTest::newRow("video") << at(150) << mediaEntries;
    QTest::newRow("audio") << at(200) << mediaEntries;
}

// In Chinese, and without the entries that would save, download or show a page's
// source or inspector, which no window of the program has a place for.
void TstBrowser::contextMenuOffersOnlyWhatWorks()
{
    QFETCH(QPoint, where);
    QFETCH(QStringList, menu);
    web->route("/picture.png", picture());
    web->route("/sound.wav", sound());
    web->route("/menus",
               html(placed("<a href=\"/a\">link</a>", 0) + placed("<input type=\"text\">", 50) +
                    placed("<img src=\"/picture.png\">", 100) +
                    placed("<video controls src=\"/sound.wav\"></video>", 150) +
                    placed("<audio controls src=\"/sound.wav\"></audio>", 200)));
    Browser browser(window, "WebBrowser1", fake->services);
    QVERIFY(load(browser, "/menus"));

    QCOMPARE(pageContextMenuTexts(browser.view(), where), menu);
}

void TstBrowser::newWindowRequests_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QPoint>("where");
    QTest::addColumn<QString>("entry");

    QTest::newRow("link with a target of _blank") << "click" << at(0) << QString();
    QTest::newRow("page script window.open") << "click" << at(50) << QString();
    QTest::newRow("menu: open link in new window") << "menu" << at(100) << "在新窗口中打开链接";
    QTest::newRow("menu: open link in new tab") << "menu" << at(100) << "在新页签中打开链接";
}

void TstBrowser::askForNewWindow(Browser &browser, const QString &how, QPoint where,
                                 const QString &entry, const QString &address)
{
    const QByteArray written = address.toUtf8();
    web->route("/b", html("<p>b</p>"));
    web->route("/opener",
               html(placed("<a href=\"" + written + "\" target=\"_blank\">new window</a>", 0) +
                    placed("<button onclick=\"window.open('" + written + "')\">open</button>", 50) +
                    placed("<a href=\"" + written + "\">link</a>", 100)));
    QVERIFY(load(browser, "/opener"));
    if (how == "click") {
        QTest::mouseClick(browser.view()->focusProxy(), Qt::LeftButton, {}, where);
        return;
    }
    QMenu *menu = openPageContextMenu(browser.view(), where);
    QVERIFY(menu);
    QAction *chosen = nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text() == entry)
            chosen = action;
    }
    QVERIFY2(chosen, qPrintable(menuTexts(*menu).join(", ")));
    chosen->trigger();
    menu->close();
}

void TstBrowser::newWindowWithoutHandlerGoesToTheDesktop_data()
{
    newWindowRequests_data();
}

// As the Windows control opens the system's browser where its program has no
// NewWindow2 handler: once a request, and the page stays where it was.
void TstBrowser::newWindowWithoutHandlerGoesToTheDesktop()
{
    QFETCH(QString, how);
    QFETCH(QPoint, where);
    QFETCH(QString, entry);
    Browser browser(window, "WebBrowser1", fake->services);
    const QWidgetList windowsBefore = QApplication::topLevelWidgets();

    askForNewWindow(browser, how, where, entry);
    if (QTest::currentTestFailed())
        return;

    QTRY_COMPARE_WITH_TIMEOUT(fake->shell.addresses, QStringList{web->baseUrl() + "/b"},
                              loadTimeoutMs);
    QTest::qWait(quietMs);
    QCOMPARE(fake->shell.addresses.size(), 1);
    QCOMPARE(browser.LocationURL(), web->baseUrl() + "/opener");
    QCOMPARE(requestsFor(*web, "/b"), 0);
    // Nothing was left open for it: no page besides the browser's own, no window.
    QTRY_COMPARE_WITH_TIMEOUT(browser.view()->findChildren<QWebEnginePage *>().size(), 1,
                              loadTimeoutMs);
    QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore.size());
}

void TstBrowser::newWindowWithHandlerGoesToItsBrowser_data()
{
    newWindowRequests_data();
}

void TstBrowser::newWindowWithHandlerGoesToItsBrowser()
{
    QFETCH(QString, how);
    QFETCH(QPoint, where);
    QFETCH(QString, entry);
    Browser browser(window, "WebBrowser1", fake->services);
    Browser opened(window, "WebBrowser2", fake->services);
    int asked = 0;
    browser.NewWindow2 = [&] {
        ++asked;
        return &opened;
    };

    askForNewWindow(browser, how, where, entry);
    if (QTest::currentTestFailed())
        return;

    QTRY_COMPARE_WITH_TIMEOUT(opened.LocationURL(), web->baseUrl() + "/b", loadTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(requestsFor(*web, "/b"), 1, loadTimeoutMs);
    QTest::qWait(quietMs);
    QCOMPARE(asked, 1);
    QCOMPARE(fake->shell.addresses, QStringList());
    QCOMPARE(browser.LocationURL(), web->baseUrl() + "/opener");
}

void TstBrowser::newWindowAddressReachesTheDesktopFullyEncoded_data()
{
    newWindowRequests_data();
}

// As a browser sends it: every character outside ASCII and every space encoded.
void TstBrowser::newWindowAddressReachesTheDesktopFullyEncoded()
{
    QFETCH(QString, how);
    QFETCH(QPoint, where);
    QFETCH(QString, entry);
    Browser browser(window, "WebBrowser1", fake->services);

    askForNewWindow(browser, how, where, entry, "/页 面?q=中文 x");
    if (QTest::currentTestFailed())
        return;

    QTRY_COMPARE_WITH_TIMEOUT(
        fake->shell.addresses,
        QStringList{web->baseUrl() + "/%E9%A1%B5%20%E9%9D%A2?q=%E4%B8%AD%E6%96%87%20x"},
        loadTimeoutMs);
}

void TstBrowser::linkToALocalFileOpensNothing_data()
{
    QTest::addColumn<bool>("handler");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QPoint>("where");
    QTest::addColumn<QString>("entry");

    const struct
    {
        const char *name;
        const char *how;
        QPoint where;
        const char *entry;
    } ways[] = {
        {"link with a target of _blank", "click", at(0), ""},
        {"page script window.open", "click", at(50), ""},
        {"menu: open link in new window", "menu", at(100), "在新窗口中打开链接"},
        {"menu: open link in new tab", "menu", at(100), "在新页签中打开链接"},
    };
    for (const bool handler : {false, true}) {
        for (const auto &way : ways) {
            QTest::addRow("%s, %s", handler ? "NewWindow2 handler" : "desktop", way.name)
                << handler << QString(way.how) << way.where << QString(way.entry);
        }
    }
}

// A web page never reaches a local file, however it asks for a new window: nothing
// goes to the desktop and no window opens.
void TstBrowser::linkToALocalFileOpensNothing()
{
    QFETCH(bool, handler);
    QFETCH(QString, how);
    QFETCH(QPoint, where);
    QFETCH(QString, entry);
    QTemporaryDir files;
    QFile secret(files.filePath("secret.html"));
    QVERIFY(secret.open(QIODevice::WriteOnly));
    secret.write("<p>secret</p>");
    secret.close();
    Browser browser(window, "WebBrowser1", fake->services);
    Browser opened(window, "WebBrowser2", fake->services);
    int asked = 0;
    if (handler) {
        browser.NewWindow2 = [&] {
            ++asked;
            return &opened;
        };
    }
    const QWidgetList windowsBefore = QApplication::topLevelWidgets();

    askForNewWindow(browser, how, where, entry, QUrl::fromLocalFile(secret.fileName()).toString());
    if (QTest::currentTestFailed())
        return;

    QTest::qWait(1000);
    QCOMPARE(fake->shell.addresses, QStringList());
    QCOMPARE(asked, 0);
    QCOMPARE(opened.LocationURL(), QString());
    QCOMPARE(browser.LocationURL(), web->baseUrl() + "/opener");
    QTRY_COMPARE_WITH_TIMEOUT(browser.view()->findChildren<QWebEnginePage *>().size(), 1,
                              loadTimeoutMs);
    QCOMPARE(QApplication::topLevelWidgets().size(), windowsBefore.size());
}

void TstBrowser::windowsNeverGivenAnAddressEnd_data()
{
    QTest::addColumn<QString>("address");

    QTest::newRow("window.open('')") << "";
    QTest::newRow("window.open('about:blank')") << "about:blank";
}

// Each such window is a whole page of the engine's; kept, they would pile up until
// the program ends.
void TstBrowser::windowsNeverGivenAnAddressEnd()
{
    QFETCH(QString, address);
    web->route("/opener", html("<script>for (var i = 0; i < 50; ++i) window.open('" +
                               address.toUtf8() + "'); document.title = 'opened';</script>"));
    Browser browser(window, "WebBrowser1", fake->services);
    const auto pages = [&] { return browser.view()->findChildren<QWebEnginePage *>().size(); };

    show(browser);
    browser.Navigate(web->baseUrl() + "/opener");

    QTRY_COMPARE_WITH_TIMEOUT(browser.view()->title(), QString("opened"), loadTimeoutMs);
    QTRY_VERIFY_WITH_TIMEOUT(pages() > 1, loadTimeoutMs);
    QTRY_COMPARE_WITH_TIMEOUT(pages(), 1, loadTimeoutMs);
    QCOMPARE(fake->shell.addresses, QStringList());
}

void TstBrowser::windowNavigatedAgainReachesTheDesktopOnce_data()
{
    QTest::addColumn<QString>("opening");

    QTest::newRow("opened empty, then given an address") << "var w = window.open(''); "
                                                            "w.location.href = '/b';";
    QTest::newRow("opened at an address") << "var w = window.open('/b');";
}

void TstBrowser::windowNavigatedAgainReachesTheDesktopOnce()
{
    QFETCH(QString, opening);
    web->route("/opener", html("<script>" + opening.toUtf8() +
                               " setTimeout(function () { w.location.href = '/c'; }, 300);"
                               "</script>"));
    Browser browser(window, "WebBrowser1", fake->services);

    QVERIFY(load(browser, "/opener"));

    QTRY_COMPARE_WITH_TIMEOUT(fake->shell.addresses, QStringList{web->baseUrl() + "/b"},
                              loadTimeoutMs);
    QTest::qWait(1000);
    QCOMPARE(fake->shell.addresses.size(), 1);
    QCOMPARE(browser.LocationURL(), web->baseUrl() + "/opener");
}

// A popup's pages open further popups, on the program's one login, never the desktop.
void TstBrowser::popupsLinkOpensAnotherPopupOnTheSameLogin()
{
    FakeWeb::Reply login = html("<p>welcome</p>");
    login.headers.append(
        qMakePair(QByteArray("Set-Cookie"), QByteArray("skey=abc123; Path=/; HttpOnly")));
    web->route("/login", login);
    web->route("/b", html("<p>b</p>"));
    web->route("/opener", html(placed("<a href=\"/b\" target=\"_blank\">new window</a>", 0)));
    const QWidgetList windowsBefore = QApplication::topLevelWidgets();
    Browser *popup = openPopupBrowser(fake->services);
    const auto newWindows = [&] {
        QWidgetList shown;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (!windowsBefore.contains(top) && top->isVisible())
                shown << top;
        }
        return shown;
    };
    const auto closeThem = qScopeGuard([&] {
        for (QWidget *top : newWindows())
            top->close();
    });
    popup->Navigate(web->baseUrl() + "/login");
    QTRY_COMPARE_WITH_TIMEOUT(popup->ReadyState(), int(Browser::Complete), loadTimeoutMs);
    popup->Navigate(web->baseUrl() + "/opener");
    QTRY_COMPARE_WITH_TIMEOUT(popup->ReadyState(), int(Browser::Complete), loadTimeoutMs);

    QTest::mouseClick(popup->view()->focusProxy(), Qt::LeftButton, {}, at(0));

    QTRY_COMPARE_WITH_TIMEOUT(requestsFor(*web, "/b"), 1, loadTimeoutMs);
    QCOMPARE(newWindows().size(), 2);
    QCOMPARE(fake->shell.addresses, QStringList());
    QCOMPARE(popup->LocationURL(), web->baseUrl() + "/opener");
    for (const FakeWeb::Request &request : web->requests()) {
        if (request.path == "/b")
            QCOMPARE(request.header("Cookie"), QByteArray("skey=abc123"));
    }
}

void TstBrowser::pageSavesNothingInTheHome_data()
{
    QTest::addColumn<QString>("how");

    QTest::newRow("link to download") << "download link";
    QTest::newRow("page sent as an attachment") << "attachment";
}

// No window has a place for a saved file, and the engine's download folder in the
// user's home was made for a page saved from the menu.
void TstBrowser::pageSavesNothingInTheHome()
{
    QFETCH(QString, how);
    FakeWeb::Reply attachment = html("<p>file</p>");
    attachment.headers.append(
        qMakePair(QByteArray("Content-Disposition"), QByteArray("attachment; filename=f.html")));
    web->route("/file", attachment);
    web->route("/saving", html(placed("<a href=\"/a\" download=\"a.html\">save</a>", 0)));
    Browser browser(window, "WebBrowser1", fake->services);
    QVERIFY(load(browser, "/saving"));
    int downloads = 0;
    connect(fake->web.engineProfile(), &QWebEngineProfile::downloadRequested, this,
            [&] { ++downloads; });
    const QStringList homeBefore = entriesIn(home.path());

    if (how == "download link")
        QTest::mouseClick(browser.view()->focusProxy(), Qt::LeftButton, {}, at(0));
    else
        browser.Navigate(web->baseUrl() + "/file");

    QTRY_COMPARE_WITH_TIMEOUT(downloads, 1, loadTimeoutMs);
    QTest::qWait(quietMs);
    QCOMPARE(entriesIn(home.path()), homeBefore);
    QCOMPARE(browser.LocationURL(), web->baseUrl() + "/saving");
}

void TstBrowser::pageDialogsGoThroughTheProgramsDialogs_data()
{
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QList<MsgResult>>("answers");
    QTest::addColumn<QList<std::optional<QString>>>("typed");
    // What the page got back, as its script wrote it into the page's title.
    QTest::addColumn<QString>("pageGot");
    QTest::addColumn<QList<ScriptedDialogs::Shown>>("boxes");
    QTest::addColumn<QList<ScriptedDialogs::Asked>>("inputBoxes");

    const QList<MsgResult> none;
    const QList<std::optional<QString>> nothingTyped;
    const QList<ScriptedDialogs::Shown> noBox;
    const QList<ScriptedDialogs::Asked> noInputBox;
    const QString alert = "(alert('请先登录'), 'shown')";
    const QString confirm = "confirm('确定要删除吗？')";
    const QString prompt = "prompt('请输入群号：', '默认')";
    const ScriptedDialogs::Shown alertBox{"请先登录", MsgStyle::OkOnly | MsgStyle::Exclamation,
                                          pageDialogTitle};
    const ScriptedDialogs::Shown confirmBox{
        "确定要删除吗？", MsgStyle::OkCancel | MsgStyle::Question, pageDialogTitle};
    const ScriptedDialogs::Asked promptBox{"请输入群号：", pageDialogTitle, "默认"};

    QTest::newRow("alert") << false << alert << none << nothingTyped << "shown" << QList{alertBox}
                           << noInputBox;
    QTest::newRow("confirm answered 确定")
        << false << confirm << QList{MsgResult::Ok} << nothingTyped << "true" << QList{confirmBox}
        << noInputBox;
    QTest::newRow("confirm answered 取消")
        << false << confirm << QList{MsgResult::Cancel} << nothingTyped << "false"
        << QList{confirmBox} << noInputBox;
    QTest::newRow("prompt answered with Chinese typed")
        << false << prompt << none << QList<std::optional<QString>>{"卖家交流群 12345"}
        << "卖家交流群 12345" << noBox << QList{promptBox};
    QTest::newRow("prompt answered 取消")
        << false << prompt << none << QList<std::optional<QString>>{std::nullopt} << "null" << noBox
        << QList{promptBox};
    QTest::newRow("silent alert") << true << alert << none << nothingTyped << "shown" << noBox
                                  << noInputBox;
    QTest::newRow("silent confirm")
        << true << confirm << none << nothingTyped << "true" << noBox << noInputBox;
    QTest::newRow("silent prompt")
        << true << prompt << none << nothingTyped << "null" << noBox << noInputBox;
}

// Titled as the Windows control titles its pages' dialogs on a Chinese system, never
// with the page's address; a silent browser shows none.
void TstBrowser::pageDialogsGoThroughTheProgramsDialogs()
{
    QFETCH(bool, silent);
    QFETCH(QString, script);
    QFETCH(QList<MsgResult>, answers);
    QFETCH(QList<std::optional<QString>>, typed);
    QFETCH(QString, pageGot);
    QFETCH(QList<ScriptedDialogs::Shown>, boxes);
    QFETCH(QList<ScriptedDialogs::Asked>, inputBoxes);
    for (const MsgResult answer : answers)
        fake->dialogs.queueAnswer(answer);
    for (const std::optional<QString> &text : typed)
        fake->dialogs.queueInput(text);
    web->route("/dialog",
               html("<script>document.title = String(" + script.toUtf8() + ");</script>"));
    Browser browser(window, "WebBrowser1", fake->services);
    browser.setSilent(silent);

    QVERIFY(load(browser, "/dialog"));

    QTRY_COMPARE_WITH_TIMEOUT(browser.view()->title(), pageGot, loadTimeoutMs);
    QCOMPARE(fake->dialogs.shown().size(), boxes.size());
    for (qsizetype i = 0; i < boxes.size(); ++i) {
        QCOMPARE(fake->dialogs.shown()[i].prompt, boxes[i].prompt);
        QCOMPARE(fake->dialogs.shown()[i].style, boxes[i].style);
        QCOMPARE(fake->dialogs.shown()[i].title, boxes[i].title);
    }
    QCOMPARE(fake->dialogs.asked().size(), inputBoxes.size());
    for (qsizetype i = 0; i < inputBoxes.size(); ++i) {
        QCOMPARE(fake->dialogs.asked()[i].prompt, inputBoxes[i].prompt);
        QCOMPARE(fake->dialogs.asked()[i].title, inputBoxes[i].title);
        QCOMPARE(fake->dialogs.asked()[i].defaultText, inputBoxes[i].defaultText);
    }
}

void TstBrowser::leavingAPageAsksThroughTheProgramsDialogs_data()
{
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QList<MsgResult>>("answers");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<QString>("endsAt");

    QTest::newRow("answered 确定") << false << QList{MsgResult::Ok} << 1 << "/a";
    QTest::newRow("answered 取消") << false << QList{MsgResult::Cancel} << 1 << "/leaving";
    QTest::newRow("silent") << true << QList<MsgResult>() << 0 << "/a";
}

// The question a page asks before it is left, once the user has used it.
void TstBrowser::leavingAPageAsksThroughTheProgramsDialogs()
{
    QFETCH(bool, silent);
    QFETCH(QList<MsgResult>, answers);
    QFETCH(int, boxes);
    QFETCH(QString, endsAt);
    for (const MsgResult answer : answers)
        fake->dialogs.queueAnswer(answer);
    web->route("/leaving", html("<script>window.onbeforeunload = function (event) {"
                                " event.preventDefault(); event.returnValue = ''; };"
                                "document.onmousedown = function () { document.title = 'used'; };"
                                "</script>"));
    Browser browser(window, "WebBrowser1", fake->services);
    browser.setSilent(silent);
    QVERIFY(load(browser, "/leaving"));
    // The page takes the mouse only once it is laid out.
    for (int tries = 0; tries < 50 && browser.view()->title() != "used"; ++tries) {
        QTest::mouseClick(browser.view()->focusProxy(), Qt::LeftButton, {}, plainPart);
        QTest::qWait(200);
    }
    QCOMPARE(browser.view()->title(), QString("used"));

    browser.Navigate(web->baseUrl() + "/a");

    QTRY_COMPARE_WITH_TIMEOUT(browser.ReadyState(), int(Browser::Complete), loadTimeoutMs);
    QTest::qWait(quietMs);
    QCOMPARE(browser.LocationURL(), web->baseUrl() + endsAt);
    QCOMPARE(fake->dialogs.shown().size(), boxes);
    for (const ScriptedDialogs::Shown &box : fake->dialogs.shown()) {
        QCOMPARE(box.prompt, QString("您确定要离开此页面吗？ 您所做的更改不会被保存。"));
        QCOMPARE(box.style, MsgStyle::OkCancel | MsgStyle::Question);
        QCOMPARE(box.title, pageDialogTitle);
    }
}

SKARVEL_TEST_MAIN(TstBrowser)
#include "tst_browser.moc"
