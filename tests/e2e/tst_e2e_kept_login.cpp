#include "desktop_session.h"
#include "screen_reader.h"
#include "support/program_setting.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <QtTest>
#include <csignal>
#include <memory>
#include <optional>

namespace {

const QString mainWindow = QStringLiteral("Skarvel - Tobrin");
const QString exitQuestion = QStringLiteral("Skarvel提醒您");
const QString pageDialog = QStringLiteral("来自网页的消息");

// The cookies of the web panel's page's login that `carried` lacks.
QList<QByteArray> loginCookiesMissingFrom(const QList<QByteArray> &carried)
{
    QList<QByteArray> missing;
    if (!carried.contains("skey=kept"))
        missing.append("skey=kept");
    for (int i = 0; i < ProgramSetting::scriptedCookies; ++i) {
        const QByteArray cookie = "c" + QByteArray::number(i) + "=v" + QByteArray::number(i);
        if (!carried.contains(cookie))
            missing.append(cookie);
    }
    return missing;
}

QList<QByteArray> cookiesSentWith(const std::optional<FakeWeb::Request> &request)
{
    QList<QByteArray> sent;
    if (request) {
        for (const QByteArray &cookie : request->header("Cookie").split(';'))
            sent.append(cookie.trimmed());
    }
    return sent;
}

// How a desktop ends the program.
enum class Ending { CloseBox, Signal };

// The web engine's flags: the tests' own (no GPU), or none, as a desktop starts it.
enum class Engine { Tests, Desktop };

QProcessEnvironment environmentFor(Engine engine)
{
    QProcessEnvironment extra;
    if (engine == Engine::Desktop)
        extra.insert("QTWEBENGINE_CHROMIUM_FLAGS", QString());
    return extra;
}

// Whether a copy of the program holds the instance lock in `setting`'s folders.
bool instanceLockHeld(const ProgramSetting &setting)
{
    return !QDir(setting.folders.temp()).entryList({"Skarvel*.lock"}, QDir::Files).isEmpty();
}

// Whether `window` comes to the state `gone` within `ms` while the ending program
// still holds its instance lock, which it lets go only once the browsers' profile is
// written. A program window is off the screen once hidden; a tray icon only once
// destroyed, as a tray keeps an icon's place until then.
bool goneWhileTheProfileIsWritten(const DesktopSession &desktop, const ProgramSetting &setting,
                                  const QString &window, DesktopSession::WindowState gone, int ms)
{
    QElapsedTimer elapsed;
    elapsed.start();
    while (!elapsed.hasExpired(ms)) {
        // The window first: a lock still held afterwards was held when it was seen.
        const bool left = desktop.state(window) == gone;
        if (!instanceLockHeld(setting))
            return false;
        if (left)
            return true;
        QThread::msleep(5);
    }
    return false;
}

// How soon the windows leave the screen once the end has begun: at once, however
// long the browsers' profile then takes to be written.
constexpr int windowsGoneMs = 1500;

} // namespace

class TestE2eKeptLogin : public QObject
{
    Q_OBJECT

private slots:
    void loginMadeJustBeforeTheEndIsThereAtTheNextStart_data();
    void loginMadeJustBeforeTheEndIsThereAtTheNextStart();
    void endWithAPageDialogOpenKeepsTheLogin_data();
    void endWithAPageDialogOpenKeepsTheLogin();
    void signalDuringASlowRequestEndsTheProgramOnceItIsOver();
};

void TestE2eKeptLogin::loginMadeJustBeforeTheEndIsThereAtTheNextStart_data()
{
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<int>("signal");
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<bool>("inTheTray");
    QTest::newRow("close box, then OK") << Ending::CloseBox << 0 << Engine::Tests << false;
    QTest::newRow("log-out or shut-down (SIGTERM)")
        << Ending::Signal << SIGTERM << Engine::Tests << false;
    QTest::newRow("terminal closed (SIGHUP)") << Ending::Signal << SIGHUP << Engine::Tests << false;
    QTest::newRow("Ctrl+C (SIGINT)") << Ending::Signal << SIGINT << Engine::Tests << false;
    QTest::newRow("close box, then OK, engine as a desktop starts it")
        << Ending::CloseBox << 0 << Engine::Desktop << false;
    QTest::newRow("SIGTERM, engine as a desktop starts it")
        << Ending::Signal << SIGTERM << Engine::Desktop << false;
    QTest::newRow("SIGTERM, main window in the tray")
        << Ending::Signal << SIGTERM << Engine::Tests << true;
}

void TestE2eKeptLogin::loginMadeJustBeforeTheEndIsThereAtTheNextStart()
{
    QFETCH(Ending, ending);
    QFETCH(int, signal);
    QFETCH(Engine, engine);
    QFETCH(bool, inTheTray);

    // A profile of this row's own, so no row sees another's login.
    ProgramSetting setting(SKARVEL_PROGRAM);
    QVERIFY(setting.ready());
    setting.serveLoggingInPanel();

    DesktopSession desktop;
    QVERIFY2(desktop.isRunning(), "no virtual display");
    if (inTheTray)
        QVERIFY2(desktop.startWindowManager(), "no window manager with a tray");

    QProcess *first = desktop.start(setting, environmentFor(engine));
    QVERIFY(desktop.waitForWindows(mainWindow, 1, 60000));
    QCOMPARE(loginCookiesMissingFrom(
                 cookiesSentWith(setting.web.firstRequestFor("/logged-in.png", 60000))),
             QList<QByteArray>());

    const QString window = desktop.window(mainWindow, 30000);
    QVERIFY(!window.isEmpty());
    QStringList trayIcons;
    if (inTheTray) {
        QVERIFY(desktop.minimizeWindow(window));
        QTRY_VERIFY_WITH_TIMEOUT(!(trayIcons = desktop.trayIcons()).isEmpty(), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(desktop.state(window), DesktopSession::WindowState::Hidden,
                                  10000);
    }
    if (ending == Ending::CloseBox) {
        QVERIFY(desktop.closeWindow(window));
        const QString question = desktop.window(exitQuestion, 30000);
        QVERIFY(!question.isEmpty());
        QVERIFY(desktop.pressKey(question, "Return"));
    } else {
        QCOMPARE(::kill(pid_t(first->processId()), signal), 0);
    }
    QVERIFY(goneWhileTheProfileIsWritten(desktop, setting, window,
                                         DesktopSession::WindowState::Hidden, windowsGoneMs));
    for (const QString &icon : trayIcons) {
        QVERIFY(goneWhileTheProfileIsWritten(
            desktop, setting, icon, DesktopSession::WindowState::Destroyed, windowsGoneMs));
    }
    QVERIFY(first->waitForFinished(30000));
    QCOMPARE(first->exitStatus(), QProcess::NormalExit);
    QCOMPARE(first->exitCode(), 0);
    // No closing question was left behind, and the next start is not taken for a
    // second copy.
    QVERIFY(desktop.windows(exitQuestion).isEmpty());
    QVERIFY(!instanceLockHeld(setting));
    QCOMPARE(loginCookiesMissingFrom(setting.cookiesInTheMirror()), QList<QByteArray>());

    setting.web.clearRequests();
    desktop.start(setting, environmentFor(engine));
    QCOMPARE(
        loginCookiesMissingFrom(cookiesSentWith(setting.web.firstRequestFor("/panel.html", 60000))),
        QList<QByteArray>());
}

void TestE2eKeptLogin::endWithAPageDialogOpenKeepsTheLogin_data()
{
    QTest::addColumn<QByteArray>("opensTheDialog");
    QTest::addColumn<bool>("afterAClick");
    QTest::newRow("alert") << QByteArray("alert('你好');") << false;
    QTest::newRow("confirm") << QByteArray("confirm('继续吗？');") << false;
    QTest::newRow("prompt") << QByteArray("prompt('名字', '');") << false;
    // A page may ask before it is left only once the user has done something in it.
    QTest::newRow("leave-page question")
        << QByteArray("window.onbeforeunload = function (e) { e.preventDefault();"
                      " e.returnValue = ''; };"
                      "document.onclick = function () { location.href = '/left.html'; };")
        << true;
}

// The end comes in the middle of the dialog's own event loop.
void TestE2eKeptLogin::endWithAPageDialogOpenKeepsTheLogin()
{
    QFETCH(QByteArray, opensTheDialog);
    QFETCH(bool, afterAClick);

    ProgramSetting setting(SKARVEL_PROGRAM);
    QVERIFY(setting.ready());
    // The dialog shows once the login's cookies are set.
    setting.serveLoggingInPanel("picture.onload = picture.onerror = function () { " +
                                opensTheDialog + " };");

    DesktopSession desktop;
    QVERIFY2(desktop.isRunning(), "no virtual display");
    ScreenReader reader;
    QVERIFY2(reader.isRunning(), "no accessibility bus");
    QProcess *first = desktop.start(setting, reader.environment());
    QVERIFY(desktop.waitForWindows(mainWindow, 1, 60000));
    QVERIFY(setting.web.firstRequestFor("/logged-in.png", 60000));
    if (afterAClick) {
        const std::optional<QRect> page = reader.find(mainWindow, "web document", {}, 10000);
        QVERIFY(page);
        QVERIFY(desktop.click(page->topLeft() + QPoint(20, 20), 1));
    }
    QVERIFY(desktop.waitForWindows(pageDialog, 1, 30000));

    QCOMPARE(::kill(pid_t(first->processId()), SIGTERM), 0);
    QVERIFY(first->waitForFinished(30000));
    QCOMPARE(first->exitStatus(), QProcess::NormalExit);
    QCOMPARE(first->exitCode(), 0);
    QVERIFY(desktop.windows(pageDialog).isEmpty());
    QCOMPARE(loginCookiesMissingFrom(setting.cookiesInTheMirror()), QList<QByteArray>());

    setting.web.route("/panel.html", "<html><body>Skarvel</body></html>");
    setting.web.clearRequests();
    desktop.start(setting);
    QCOMPARE(
        loginCookiesMissingFrom(cookiesSentWith(setting.web.firstRequestFor("/panel.html", 60000))),
        QList<QByteArray>());
}

// The start-up waits for the maker's announcement without letting events run.
void TestE2eKeptLogin::signalDuringASlowRequestEndsTheProgramOnceItIsOver()
{
    ProgramSetting setting(SKARVEL_PROGRAM);
    QVERIFY(setting.ready());
    FakeWeb::Reply announcement;
    announcement.body = "slow";
    announcement.delayMs = 3000;
    setting.web.route("/announcement.html", announcement);

    DesktopSession desktop;
    QVERIFY2(desktop.isRunning(), "no virtual display");
    QProcess *program = desktop.start(setting);
    QVERIFY(setting.web.firstRequestFor("/announcement.html", 60000));
    QCOMPARE(::kill(pid_t(program->processId()), SIGTERM), 0);

    QVERIFY(program->waitForFinished(30000));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
    QVERIFY(desktop.windows(mainWindow).isEmpty());
}

QTEST_GUILESS_MAIN(TestE2eKeptLogin)
#include "tst_e2e_kept_login.moc"
