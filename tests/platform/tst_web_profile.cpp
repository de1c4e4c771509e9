#include "platform/browser.h"
#include "platform/browser_cookies.h"
#include "platform/instance_lock.h"
#include "platform/page_script.h"
#include "platform/services.h"
#include "platform/web_profile.h"
#include "support/fake_desktop.h"
#include "support/fake_web.h"
#include "support/file_replacements.h"
#include "support/temp_folders.h"
#include "support/test_main.h"

#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QMap>
#include <QNetworkCookie>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWebEngineCookieStore>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>
#include <atomic>
#include <memory>
#include <thread>

namespace {

constexpr int loadTimeoutMs = 15000;
const QByteArray keptLogin = "skey=abc123; Path=/; Max-Age=86400; HttpOnly";

FakeWeb::Reply html(const QByteArray &body)
{
    FakeWeb::Reply reply;
    reply.body = "<html><head><meta charset=\"utf-8\"></head><body>" + body + "</body></html>";
    reply.contentType = "text/html; charset=utf-8";
    reply.headers = {{"Cache-Control", "no-store"}};
    return reply;
}

QList<FakeWeb::Request> requestsFor(const FakeWeb &web, const QByteArray &path)
{
    QList<FakeWeb::Request> found;
    for (const FakeWeb::Request &request : web.requests()) {
        if (request.path == path)
            found.append(request);
    }
    return found;
}

QString mirrorIn(const WebProfile &profile)
{
    return QDir(profile.folder()).filePath("MirroredCookies");
}

// What a browser on `profile` needs of the program's services.
struct BrowserServices
{
    explicit BrowserServices(WebProfile &profile)
    {
        services.web = &profile;
        services.shell = &shell;
    }
    FakeShell shell;
    Services services;
};

// Runs the events as the program's event loop does, with no pause between them
// (QTest's waits sleep between rounds), until `done` holds; false when it never did.
bool runEventsUntil(const std::function<bool()> &done)
{
    QEventLoop loop;
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start(5);
    QTimer::singleShot(loadTimeoutMs, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}

// Loads `url` and waits until the page is complete.
bool load(Browser &browser, const QString &url)
{
    bool completed = false;
    browser.DocumentComplete = [&](const QString &) { completed = true; };
    browser.Navigate(url);
    return QTest::qWaitFor([&] { return completed; }, loadTimeoutMs);
}

// What is in a folder, file by file: enough to see that nothing was written.
QMap<QString, QByteArray> contentOf(const QString &folder)
{
    QMap<QString, QByteArray> content;
    QDirIterator files(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QFileInfo file(files.next());
        content.insert(file.filePath(), file.isFile() ? TempFolders::readFile(file.filePath())
                                                      : QByteArray("folder"));
    }
    return content;
}

// "/login" sets the kept login, "/other" one more cookie with an expiry.
void serveLoginPages(FakeWeb &web)
{
    FakeWeb::Reply login = html("<p>welcome</p>");
    login.headers.append(qMakePair(QByteArray("Set-Cookie"), keptLogin));
    web.route("/login", login);
    FakeWeb::Reply other = html("<p>other</p>");
    other.headers.append(
        qMakePair(QByteArray("Set-Cookie"), QByteArray("b=2; Path=/; Max-Age=86400")));
    web.route("/other", other);
}

// A copy of the program that logged in and ended, leaving its login in `folder`.
void logInAndEnd(const QString &folder, const QString &loginUrl, QWidget *window)
{
    WebProfile profile(folder);
    BrowserServices on(profile);
    Browser browser(window, "WebBrowser1", on.services);
    QVERIFY(load(browser, loginUrl));
    QTRY_VERIFY_WITH_TIMEOUT(TempFolders::readFile(mirrorIn(profile)).contains("skey=abc123"),
                             loadTimeoutMs);
    profile.close();
}

// A copy of the program and its browser, started alone on `folder` or beside
// another copy that runs on it; beside one, the browser is on the stand-in.
struct ProgramCopy
{
    ProgramCopy(const TempFolders &folders, const QString &folder, QWidget *window,
                bool besideARunningCopy)
        : running(folders.temp())
        , otherRunning(besideARunningCopy && running.claim("Skarvel"))
        , mine(folders.temp())
        , profile(folder, &mine)
        , on(profile)
        , browser(window, "WebBrowser1", on.services)
    {}
    InstanceLock running;
    bool otherRunning;
    InstanceLock mine;
    WebProfile profile;
    BrowserServices on;
    Browser browser;
};

} // namespace

class TstWebProfile : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void asksForPagesInChinese_data();
    void asksForPagesInChinese();
    void showsItsErrorPagesInChinese();
    void profileIsPrivateToItsUser_data();
    void profileIsPrivateToItsUser();
    void loginIsKeptForTheNextStartOfTheSameUser_data();
    void loginIsKeptForTheNextStartOfTheSameUser();
    void mirrorFromBeforeKeepsOnlyCookiesWithAnExpiry_data();
    void mirrorFromBeforeKeepsOnlyCookiesWithAnExpiry();
    void burstOfCookiesIsWrittenAFewTimes();
    void cookieSetJustBeforeTheEndIsKept();
    void copyBesideARunningOneWritesNothingOfTheFolder();
    void copyBesideARunningOneSendsEachLoginWhereItWasFor_data();
    void copyBesideARunningOneSendsEachLoginWhereItWasFor();
    void copyThatGoesOnMovesOntoTheFolderWithTheLoginLeft();
    void pageMovesOnlyOnceNoDialogIsOpen();
    void endWaitsForFilesTheEngineHoldsOpen_data();
    void endWaitsForFilesTheEngineHoldsOpen();

private:
    FakeWeb *web = nullptr;
    QWidget *window = nullptr;
};

void TstWebProfile::init()
{
    web = new FakeWeb;
    web->route("/a", html("<p>a</p>"));
    window = new QWidget;
    window->resize(400, 300);
    window->show();
}

void TstWebProfile::cleanup()
{
    delete window;
    window = nullptr;
    delete web;
    web = nullptr;
}

void TstWebProfile::asksForPagesInChinese_data()
{
    QTest::addColumn<bool>("besideARunningCopy");

    QTest::newRow("the folder's profile") << false;
    QTest::newRow("a second copy's stand-in") << true;
}

void TstWebProfile::asksForPagesInChinese()
{
    QFETCH(bool, besideARunningCopy);
    TempFolders folders;
    ProgramCopy copy(folders, folders.paths().webProfileDir(), window, besideARunningCopy);
    QCOMPARE(copy.otherRunning, besideARunningCopy);

    QVERIFY(load(copy.browser, web->baseUrl() + "/a"));
    QCOMPARE(copy.profile.keepsWhatItHolds(), !besideARunningCopy);
    const QList<FakeWeb::Request> requests = requestsFor(*web, "/a");
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().header("Accept-Language"), QByteArray("zh-CN,zh;q=0.9"));
}

void TstWebProfile::showsItsErrorPagesInChinese()
{
    TempFolders folders;
    WebProfile profile(folders.paths().webProfileDir());
    BrowserServices on(profile);
    Browser browser(window, "WebBrowser1", on.services);

    QVERIFY(load(browser, FakeWeb::refusingBaseUrl() + "/"));
    const std::optional<QVariant> text = runPageScript(browser, "return document.body.innerText;");
    QVERIFY(text);
    QVERIFY2(text->toString().contains(QStringLiteral("无法访问此网站")),
             qPrintable(text->toString()));
}

void TstWebProfile::profileIsPrivateToItsUser_data()
{
    QTest::addColumn<bool>("existing");

    QTest::newRow("new folder") << false;
    QTest::newRow("folder and mirror open to all from before") << true;
}

// The profile holds the user's logins: nobody else may enter its folder or read the mirror.
void TstWebProfile::profileIsPrivateToItsUser()
{
    QFETCH(bool, existing);
    TempFolders folders;
    const QString folder = folders.paths().webProfileDir();
    const QString mirror = QDir(folder).filePath("MirroredCookies");
    if (existing) {
        QVERIFY(TempFolders::writeFile(mirror, "old=1; expires=Fri, 01-Jan-2100 00:00:00 GMT\n"));
        QVERIFY(QFile::setPermissions(mirror, QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(QFile::setPermissions(
            folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                        QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        QCOMPARE(TempFolders::modeOf(folder), 0755);
    }
    WebProfile profile(folder);
    BrowserCookies::of(profile);
    QCOMPARE(TempFolders::modeOf(folder), 0700);
    if (!existing) {
        // The folders made on the way there are the program's own too.
        for (const char *made : {".local", ".local/share", ".local/share/Skarvel"})
            QCOMPARE(TempFolders::modeOf(folders.profile(made)), 0700);
    }

    FakeWeb::Reply login = html("<p>welcome</p>");
    login.headers.append(qMakePair(QByteArray("Set-Cookie"), keptLogin));
    web->route("/login", login);
    BrowserServices on(profile);
    Browser browser(window, "WebBrowser1", on.services);
    QVERIFY(load(browser, web->baseUrl() + "/login"));
    QTRY_VERIFY_WITH_TIMEOUT(TempFolders::readFile(mirror).contains("skey=abc123"), loadTimeoutMs);
    QCOMPARE(TempFolders::modeOf(mirror), 0600);

    // What the engine wrote there is as private once the profile has ended.
    profile.close();
    QDirIterator entries(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString entry = entries.next();
        QVERIFY2((TempFolders::modeOf(entry) & 077) == 0, qPrintable(entry));
    }
}

void TstWebProfile::loginIsKeptForTheNextStartOfTheSameUser_data()
{
    QTest::addColumn<bool>("sameUser");
    QTest::addColumn<QByteArray>("setCookie");
    QTest::addColumn<QString>("logout");
    QTest::addColumn<bool>("mirrored");
    QTest::addColumn<QByteArray>("cookie");

    QTest::newRow("same user folder")
        << true << keptLogin << QString() << true << QByteArray("skey=abc123");
    QTest::newRow("another user folder") << false << keptLogin << QString() << true << QByteArray();
    // As QQ's login cookies: they end with the program, and never reach the disk.
    QTest::newRow("cookie of the session") << true << QByteArray("skey=abc123; Path=/; HttpOnly")
                                           << QString() << false << QByteArray();
    QTest::newRow("logged out by the site") << true << keptLogin << "site" << false << QByteArray();
    QTest::newRow("dropped from the browsers' store")
        << true << keptLogin << "store" << false << QByteArray();
}

// A login made just before the end, and maybe ended again.
void TstWebProfile::loginIsKeptForTheNextStartOfTheSameUser()
{
    QFETCH(bool, sameUser);
    QFETCH(QByteArray, setCookie);
    QFETCH(QString, logout);
    QFETCH(bool, mirrored);
    QFETCH(QByteArray, cookie);
    FakeWeb::Reply login = html("<p>welcome</p>");
    login.headers.append(qMakePair(QByteArray("Set-Cookie"), setCookie));
    web->route("/login", login);
    FakeWeb::Reply loggedOut = html("<p>bye</p>");
    loggedOut.headers.append(
        qMakePair(QByteArray("Set-Cookie"), QByteArray("skey=; Path=/; Max-Age=0")));
    web->route("/logout", loggedOut);
    const QString target = web->baseUrl() + "/a";
    TempFolders firstUser;
    TempFolders secondUser;
    {
        WebProfile profile(firstUser.paths().webProfileDir());
        BrowserServices on(profile);
        Browser browser(window, "WebBrowser1", on.services);
        QVERIFY(load(browser, web->baseUrl() + "/login"));
        // While the program runs, its own requests carry every login.
        QTRY_VERIFY_WITH_TIMEOUT(!BrowserCookies::of(profile).requestHeaders(target).isEmpty(),
                                 loadTimeoutMs);
        if (logout == "site")
            QVERIFY(load(browser, web->baseUrl() + "/logout"));
        if (logout == "store") {
            profile.engineProfile()->cookieStore()->deleteCookie(QNetworkCookie("skey", "abc123"),
                                                                 QUrl(web->baseUrl()));
        }
        if (!logout.isEmpty()) {
            QTRY_VERIFY_WITH_TIMEOUT(BrowserCookies::of(profile).requestHeaders(target).isEmpty(),
                                     loadTimeoutMs);
        }
        profile.close();
        QCOMPARE(TempFolders::readFile(mirrorIn(profile)).contains("skey=abc123"), mirrored);
    }

    const TempFolders &next = sameUser ? firstUser : secondUser;
    WebProfile profile(next.paths().webProfileDir());
    BrowserServices on(profile);
    Browser browser(window, "WebBrowser1", on.services);
    QVERIFY(load(browser, target));
    QCOMPARE(requestsFor(*web, "/a").first().header("Cookie"), cookie);
    // The program's own requests carry the kept login too, and no other.
    const HttpHeaders expected =
        cookie.isEmpty() ? HttpHeaders() : HttpHeaders({{"Cookie", cookie}});
    QCOMPARE(BrowserCookies::of(profile).requestHeaders(target), expected);
}

void TstWebProfile::mirrorFromBeforeKeepsOnlyCookiesWithAnExpiry_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<HttpHeaders>("sent");

    QTest::newRow("cookie with an expiry")
        << QByteArray("skey=abc123; expires=Fri, 01-Jan-2100 00:00:00 GMT; domain=127.0.0.1; "
                      "path=/")
        << HttpHeaders({{"Cookie", "skey=abc123"}});
    // As an earlier version wrote them.
    QTest::newRow("cookie of the session")
        << QByteArray("skey=abc123; domain=127.0.0.1; path=/") << HttpHeaders();
}

// The mirror from an earlier run, written by hand here, is read at the start.
void TstWebProfile::mirrorFromBeforeKeepsOnlyCookiesWithAnExpiry()
{
    QFETCH(QByteArray, line);
    QFETCH(HttpHeaders, sent);
    TempFolders folders;
    WebProfile profile(folders.paths().webProfileDir());
    QVERIFY(TempFolders::writeFile(mirrorIn(profile), line + '\n'));

    QCOMPARE(BrowserCookies::of(profile).requestHeaders(web->baseUrl() + "/a"), sent);
}

// A page that sets many cookies at once has them reported one by one; the mirror
// is written a few times for them and holds them all at the next start.
void TstWebProfile::burstOfCookiesIsWrittenAFewTimes()
{
    constexpr int cookieCount = 60;
    FakeWeb::Reply many = html("<p>many</p>");
    for (int i = 0; i < cookieCount; ++i) {
        many.headers.append(qMakePair(QByteArray("Set-Cookie"),
                                      "c" + QByteArray::number(i) + "=v; Path=/; Max-Age=86400"));
    }
    web->route("/many", many);
    const QString target = web->baseUrl() + "/a";
    const auto cookiesSent = [&](const BrowserCookies &cookies) {
        const HttpHeaders headers = cookies.requestHeaders(target);
        return headers.isEmpty() ? 0 : int(headers.first().second.count('='));
    };
    TempFolders folders;
    int writes = 0;
    {
        WebProfile profile(folders.paths().webProfileDir());
        const BrowserCookies &cookies = BrowserCookies::of(profile);
        FileReplacements replacements(mirrorIn(profile));
        BrowserServices on(profile);
        Browser browser(window, "WebBrowser1", on.services);
        browser.Navigate(web->baseUrl() + "/many");
        QVERIFY(runEventsUntil([&] { return cookiesSent(cookies) == cookieCount; }));
        profile.close();
        writes = replacements.count();
    }
    QVERIFY2(writes >= 1 && writes <= 5, qPrintable(QString::number(writes)));

    WebProfile profile(folders.paths().webProfileDir());
    QCOMPARE(cookiesSent(BrowserCookies::of(profile)), cookieCount);
}

// The program ends in the middle of a handler, with the mirror's write still to
// come: the events that report the cookie run, the timers do not.
void TstWebProfile::cookieSetJustBeforeTheEndIsKept()
{
    const QString target = web->baseUrl() + "/a";
    TempFolders folders;
    {
        WebProfile profile(folders.paths().webProfileDir());
        const BrowserCookies &cookies = BrowserCookies::of(profile);
        BrowserServices on(profile);
        Browser browser(window, "WebBrowser1", on.services);
        QVERIFY(load(browser, target));
        QNetworkCookie login("skey", "abc123");
        login.setExpirationDate(QDateTime::currentDateTime().addDays(1));
        profile.engineProfile()->cookieStore()->setCookie(login, QUrl(target));
        const QDeadlineTimer deadline(loadTimeoutMs);
        while (cookies.requestHeaders(target).isEmpty() && !deadline.hasExpired()) {
            QCoreApplication::sendPostedEvents();
            QThread::msleep(1);
        }
        QVERIFY(!cookies.requestHeaders(target).isEmpty());
        profile.close();
    }

    WebProfile profile(folders.paths().webProfileDir());
    QCOMPARE(BrowserCookies::of(profile).requestHeaders(target),
             HttpHeaders({{"Cookie", "skey=abc123"}}));
}

// Another copy runs on the folder: this one's browsers have the login the folder
// holds, and what they do is theirs alone.
void TstWebProfile::copyBesideARunningOneWritesNothingOfTheFolder()
{
    serveLoginPages(*web);
    TempFolders folders;
    const QString folder = folders.paths().webProfileDir();
    logInAndEnd(folder, web->baseUrl() + "/login", window);
    const QMap<QString, QByteArray> before = contentOf(folder);
    ProgramCopy copy(folders, folder, window, true);
    QVERIFY(copy.otherRunning);

    QVERIFY(load(copy.browser, web->baseUrl() + "/a"));
    QCOMPARE(requestsFor(*web, "/a").first().header("Cookie"), QByteArray("skey=abc123"));
    QVERIFY(!copy.profile.keepsWhatItHolds());
    QVERIFY(load(copy.browser, web->baseUrl() + "/other"));
    // The program's own requests carry what this copy's browsers set.
    QTRY_COMPARE_WITH_TIMEOUT(
        BrowserCookies::of(copy.profile).requestHeaders(web->baseUrl() + "/a"),
        HttpHeaders({{"Cookie", "skey=abc123; b=2"}}), loadTimeoutMs);
    QTest::qWait(300); // longer than the mirror waits before it writes
    copy.profile.close();

    QCOMPARE(contentOf(folder), before);
}

void TstWebProfile::copyBesideARunningOneSendsEachLoginWhereItWasFor_data()
{
    QTest::addColumn<QByteArray>("setCookie");
    QTest::addColumn<QByteArray>("sentToAnotherHost");

    QTest::newRow("login for its host alone") << keptLogin << QByteArray();
    QTest::newRow("login for the whole domain")
        << keptLogin + "; Domain=skarvel.localhost" << QByteArray("skey=abc123");
}

// The stand-in has the folder's logins from the mirror: a login a site gave its own
// host alone must not reach the other hosts of its domain.
void TstWebProfile::copyBesideARunningOneSendsEachLoginWhereItWasFor()
{
    QFETCH(QByteArray, setCookie);
    QFETCH(QByteArray, sentToAnotherHost);
    FakeWeb::Reply login = html("<p>welcome</p>");
    login.headers.append(qMakePair(QByteArray("Set-Cookie"), setCookie));
    web->route("/login", login);
    // Two hosts of one domain; the engine takes names under "localhost" to this
    // computer by itself, asking no name server.
    const auto at = [&](const char *host) {
        return QStringLiteral("http://%1:%2").arg(host).arg(web->port());
    };
    TempFolders folders;
    const QString folder = folders.paths().webProfileDir();
    logInAndEnd(folder, at("skarvel.localhost") + "/login", window);
    ProgramCopy copy(folders, folder, window, true);
    QVERIFY(copy.otherRunning);

    QVERIFY(load(copy.browser, at("www.skarvel.localhost") + "/a"));
    QVERIFY(load(copy.browser, at("skarvel.localhost") + "/a"));
    QVERIFY(!copy.profile.keepsWhatItHolds());
    const QList<FakeWeb::Request> asked = requestsFor(*web, "/a");
    QCOMPARE(asked.size(), 2);
    QCOMPARE(asked.first().header("Cookie"), sentToAnotherHost);
    QCOMPARE(asked.last().header("Cookie"), QByteArray("skey=abc123"));
}

// The other copy ended before this one's instance check: from then on this copy's
// browsers are on the folder, with the login the other copy left.
void TstWebProfile::copyThatGoesOnMovesOntoTheFolderWithTheLoginLeft()
{
    serveLoginPages(*web);
    TempFolders folders;
    const QString folder = folders.paths().webProfileDir();
    auto running = std::make_unique<InstanceLock>(folders.temp());
    QVERIFY(running->claim("Skarvel"));
    InstanceLock mine(folders.temp());
    {
        WebProfile profile(folder, &mine);
        BrowserServices on(profile);
        Browser browser(window, "WebBrowser1", on.services);
        int completions = 0;
        browser.DocumentComplete = [&](const QString &) { ++completions; };
        browser.Navigate(web->baseUrl() + "/a");
        QTRY_COMPARE_WITH_TIMEOUT(completions, 1, loadTimeoutMs);
        QCOMPARE(requestsFor(*web, "/a").first().header("Cookie"), QByteArray());

        // The running copy logs in and ends; this one's check finds it gone.
        running.reset();
        logInAndEnd(folder, web->baseUrl() + "/login", window);
        QVERIFY(mine.claim("Skarvel"));

        QTRY_COMPARE_WITH_TIMEOUT(requestsFor(*web, "/a").size(), 2, loadTimeoutMs);
        QCOMPARE(requestsFor(*web, "/a").last().header("Cookie"), QByteArray("skey=abc123"));
        QTRY_COMPARE_WITH_TIMEOUT(browser.ReadyState(), int(Browser::Complete), loadTimeoutMs);
        QTest::qWait(100);
        QCOMPARE(completions, 1); // the user's page came again, as a refresh does
        QVERIFY(profile.keepsWhatItHolds());
        QVERIFY(load(browser, web->baseUrl() + "/other"));
        profile.close();
    }

    WebProfile next(folder);
    BrowserServices on(next);
    Browser browser(window, "WebBrowser1", on.services);
    QVERIFY(load(browser, web->baseUrl() + "/a"));
    QCOMPARE(requestsFor(*web, "/a").last().header("Cookie"), QByteArray("skey=abc123; b=2"));
    QCOMPARE(BrowserCookies::of(next).requestHeaders(web->baseUrl() + "/a"),
             HttpHeaders({{"Cookie", "skey=abc123; b=2"}}));
}

// A page's script dialog, or a message of the program, runs an event loop of its own
// on top of the page's: the page must not end under it.
void TstWebProfile::pageMovesOnlyOnceNoDialogIsOpen()
{
    TempFolders folders;
    auto running = std::make_unique<InstanceLock>(folders.temp());
    QVERIFY(running->claim("Skarvel"));
    InstanceLock mine(folders.temp());
    WebProfile profile(folders.paths().webProfileDir(), &mine);
    BrowserServices on(profile);
    Browser browser(window, "WebBrowser1", on.services);
    QVERIFY(load(browser, web->baseUrl() + "/a"));
    const QPointer<QWebEnginePage> standInPage = browser.view()->page();
    QVERIFY(standInPage->profile()->isOffTheRecord());

    QDialog box;
    bool movedUnderTheBox = true;
    QTimer::singleShot(0, &box, [&] {
        running.reset();
        QVERIFY(mine.claim("Skarvel"));
        QTest::qWait(500);
        movedUnderTheBox = standInPage.isNull();
        box.accept();
    });
    box.exec();

    QVERIFY(!movedUnderTheBox);
    QTRY_VERIFY_WITH_TIMEOUT(standInPage.isNull(), loadTimeoutMs);
    QVERIFY(!browser.view()->page()->profile()->isOffTheRecord());
}

// The engine writes the ended profile on threads of its own, and may still have a
// file of the folder open after a pause longer than the quiet time the end waits
// for: the end waits for that file as well. Its caches it keeps open until the
// process ends (the GPU's from the start), so the end never waits for those. A
// thread of the test holds the file here.
void TstWebProfile::endWaitsForFilesTheEngineHoldsOpen_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("heldMs");
    QTest::addColumn<bool>("waitedFor");
    QTest::newRow("a store of the user's") << "held" << 300 << true;
    QTest::newRow("a store in a folder") << "Local Storage/leveldb/LOG" << 300 << true;
    // What a site keeps for itself to work offline: its own data, though named so.
    QTest::newRow("a site's CacheStorage")
        << "Service Worker/CacheStorage/4c1f9e0a7d3b/index" << 300 << true;
    QTest::newRow("the GPU's shader cache") << "GPUCache/data_0" << 3000 << false;
    QTest::newRow("the scripts' cache") << "Code Cache/js/index" << 3000 << false;
    QTest::newRow("the pages' cache") << "Cache/Cache_Data/index" << 3000 << false;
}

void TstWebProfile::endWaitsForFilesTheEngineHoldsOpen()
{
    QFETCH(QString, file);
    QFETCH(int, heldMs);
    QFETCH(bool, waitedFor);
    TempFolders folders;
    WebProfile profile(folders.paths().webProfileDir());
    BrowserCookies::of(profile);
    const QString path = QDir(profile.folder()).filePath(file);
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile held(path);
    QVERIFY(held.open(QIODevice::WriteOnly));
    std::atomic<bool> closed = false;
    std::thread engine([&] {
        QThread::msleep(heldMs);
        held.close();
        closed = true;
    });

    profile.close();
    const bool closedBeforeTheEnd = closed;
    engine.join();

    QCOMPARE(closedBeforeTheEnd, waitedFor);
}

SKARVEL_TEST_MAIN(TstWebProfile)
#include "tst_web_profile.moc"
