#include "desktop_session.h"
#include "support/program_setting.h"

#include <QDir>
#include <QThread>
#include <QtTest>
#include <atomic>
#include <csignal>
#include <memory>

namespace {

const QString mainWindow = QStringLiteral("Skarvel - Tobrin");
const QString alreadyRunning = QStringLiteral("错误，程序已启动，请勿重复运行！");
const QString pageDialog = QStringLiteral("来自网页的消息");

// The web panel's page logs in anew at every load, with a login of that load's own
// ("login=1", "login=2", ...), so the test can tell whose login a browser sends.
// Where `alertOnceLoggedIn`, the page greets a browser that already has a login
// with an alert() as it loads.
void serveCountingPanel(ProgramSetting &setting, bool alertOnceLoggedIn = false)
{
    auto loads = std::make_shared<std::atomic<int>>(0);
    setting.web.route("/panel.html", [loads, alertOnceLoggedIn](const FakeWeb::Request &request) {
        FakeWeb::Reply reply;
        const bool loggedIn = request.header("Cookie").contains("login=");
        reply.body = "<html><body>Skarvel";
        if (alertOnceLoggedIn && loggedIn)
            reply.body += "<script>alert('欢迎回来');</script>";
        reply.body += "</body></html>";
        reply.contentType = "text/html; charset=utf-8";
        reply.headers = {
            {"Set-Cookie", "login=" + QByteArray::number(++*loads) + "; Path=/; Max-Age=86400"},
            {"Cache-Control", "no-store"}};
        return reply;
    });
}

QList<FakeWeb::Request> panelRequests(const ProgramSetting &setting)
{
    QList<FakeWeb::Request> found;
    for (const FakeWeb::Request &request : setting.web.requests()) {
        if (request.path == "/panel.html")
            found.append(request);
    }
    return found;
}

bool waitForPanelRequests(const ProgramSetting &setting, int count, int ms)
{
    return QTest::qWaitFor([&] { return panelRequests(setting).size() >= count; }, ms);
}

// The login the program's own requests take theirs from ("login=1"), or nothing.
QByteArray loginInTheMirror(const ProgramSetting &setting)
{
    for (const QByteArray &cookie : setting.cookiesInTheMirror()) {
        if (cookie.startsWith("login="))
            return cookie;
    }
    return {};
}

// The first copy, running with the panel's first login ("login=1") kept; null
// when it did not get that far.
QProcess *startLoggedIn(const ProgramSetting &setting, DesktopSession &desktop)
{
    if (!setting.ready() || !desktop.isRunning())
        return nullptr;
    QProcess *first = desktop.start(setting);
    const bool loggedIn =
        waitForPanelRequests(setting, 1, 60000) &&
        QTest::qWaitFor([&] { return loginInTheMirror(setting) == "login=1"; }, 30000);
    return loggedIn ? first : nullptr;
}

// The cookie the panel's browser sends at the next start of the program.
QByteArray loginSentAtTheNextStart(ProgramSetting &setting, DesktopSession &desktop)
{
    setting.web.clearRequests();
    desktop.start(setting);
    if (!waitForPanelRequests(setting, 1, 60000))
        return "no request";
    return panelRequests(setting).first().header("Cookie");
}

bool endsCleanly(QProcess *program)
{
    return program->waitForFinished(30000) && program->exitStatus() == QProcess::NormalExit &&
           program->exitCode() == 0;
}

} // namespace

class TestE2eSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void secondInstanceReportsAndEnds();
    void lockOfAnEndedProgramIsTakenOver();
    void secondCopyLeavesTheBrowserAndTheMirrorAgreeing();
    void copyStartedJustBeforeTheFirstEndsGoesOnWithItsLogin();
    void secondCopyGreetedByItsPageEndsCleanlyWhenTheUserAnswers();

private:
    ProgramSetting setting{SKARVEL_PROGRAM};
};

void TestE2eSingleInstance::initTestCase()
{
    QVERIFY(setting.ready());
}

void TestE2eSingleInstance::secondInstanceReportsAndEnds()
{
    DesktopSession desktop;
    QVERIFY2(desktop.isRunning(), "no virtual display");

    QProcess *first = desktop.start(setting);
    QVERIFY(desktop.waitForWindows(mainWindow, 1, 60000));

    QProcess *second = desktop.start(setting);
    QVERIFY(desktop.waitForWindows(alreadyRunning, 1, 60000));
    // The second one got as far as its own main window.
    QCOMPARE(desktop.windows(mainWindow).size(), 2);

    const QStringList boxes = desktop.windows(alreadyRunning);
    QCOMPARE(boxes.size(), 1);
    QVERIFY(desktop.pressKey(boxes.first(), "Return"));

    QVERIFY(second->waitForFinished(30000));
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);
    QVERIFY(desktop.windows(alreadyRunning).isEmpty());

    // The first runs on with its window.
    QThread::msleep(1000);
    QCOMPARE(first->state(), QProcess::Running);
    QCOMPARE(desktop.windows(mainWindow).size(), 1);
}

// A program that ended without releasing its lock never keeps the next start from
// running.
void TestE2eSingleInstance::lockOfAnEndedProgramIsTakenOver()
{
    DesktopSession desktop;
    QVERIFY2(desktop.isRunning(), "no virtual display");

    QProcess *crashed = desktop.start(setting);
    QVERIFY(desktop.waitForWindows(mainWindow, 1, 60000));
    crashed->kill();
    QVERIFY(crashed->waitForFinished(10000));
    QVERIFY(!QDir(setting.folders.temp()).entryList({"Skarvel*.lock"}, QDir::Files).isEmpty());

    QProcess *next = desktop.start(setting);
    QVERIFY(desktop.waitForWindows(mainWindow, 1, 60000));
    // The check runs right after the window appears; give a box time to show.
    QThread::msleep(2000);
    QVERIFY(desktop.windows(alreadyRunning).isEmpty());
    QCOMPARE(next->state(), QProcess::Running);
}

// The second copy's panel logs in anew before its instance check finds the first.
void TestE2eSingleInstance::secondCopyLeavesTheBrowserAndTheMirrorAgreeing()
{
    ProgramSetting own(SKARVEL_PROGRAM);
    serveCountingPanel(own);
    DesktopSession desktop;
    QProcess *first = startLoggedIn(own, desktop);
    QVERIFY(first);

    QProcess *second = desktop.start(own);
    QVERIFY(waitForPanelRequests(own, 2, 60000));
    // The second copy's browser has the first one's login.
    QCOMPARE(panelRequests(own).at(1).header("Cookie"), QByteArray("login=1"));
    const QString message = desktop.window(alreadyRunning, 60000);
    QVERIFY(!message.isEmpty());
    QVERIFY(desktop.pressKey(message, "Return"));
    QVERIFY(endsCleanly(second));
    QCOMPARE(::kill(pid_t(first->processId()), SIGTERM), 0);
    QVERIFY(endsCleanly(first));

    QCOMPARE(loginInTheMirror(own), QByteArray("login=1"));
    QCOMPARE(loginSentAtTheNextStart(own, desktop), QByteArray("login=1"));
}

// The first copy ends between the second one's start and its instance check: the
// second goes on, and from then on its browser is the first one's.
void TestE2eSingleInstance::copyStartedJustBeforeTheFirstEndsGoesOnWithItsLogin()
{
    ProgramSetting own(SKARVEL_PROGRAM);
    serveCountingPanel(own);
    DesktopSession desktop;
    QProcess *first = startLoggedIn(own, desktop);
    QVERIFY(first);

    QProcess *second = desktop.start(own);
    QVERIFY(waitForPanelRequests(own, 2, 60000));
    QCOMPARE(::kill(pid_t(first->processId()), SIGTERM), 0);
    QVERIFY(endsCleanly(first));

    // At its check the second copy finds the first gone; its panel comes again, now
    // with the login the first one left.
    QVERIFY(waitForPanelRequests(own, 3, 60000));
    QCOMPARE(panelRequests(own).at(2).header("Cookie"), QByteArray("login=1"));
    QThread::msleep(1000);
    QVERIFY(desktop.windows(alreadyRunning).isEmpty());
    QCOMPARE(second->state(), QProcess::Running);

    // What its browser did from then on is kept as the program's own login.
    QVERIFY(QTest::qWaitFor([&] { return loginInTheMirror(own) == "login=3"; }, 30000));
    QCOMPARE(::kill(pid_t(second->processId()), SIGTERM), 0);
    QVERIFY(endsCleanly(second));
    QCOMPARE(loginSentAtTheNextStart(own, desktop), QByteArray("login=3"));
}

// The user answers the copy's message while its page's alert is still open.
void TestE2eSingleInstance::secondCopyGreetedByItsPageEndsCleanlyWhenTheUserAnswers()
{
    ProgramSetting own(SKARVEL_PROGRAM);
    serveCountingPanel(own, true);
    DesktopSession desktop;
    QProcess *first = startLoggedIn(own, desktop);
    QVERIFY(first);

    QProcess *second = desktop.start(own);
    QVERIFY(desktop.waitForWindows(pageDialog, 1, 60000));
    const QString message = desktop.window(alreadyRunning, 60000);
    QVERIFY(!message.isEmpty());
    QVERIFY(desktop.pressKey(message, "Return"));
    QVERIFY(endsCleanly(second));
    QCOMPARE(first->state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TestE2eSingleInstance)
#include "tst_e2e_single_instance.moc"
