#include "desktop_session.h"
#include "support/program_setting.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <csignal>
#include <memory>
#include <optional>

namespace {

const QString mainWindow = QStringLiteral("Skarvel - Tobrin");
const QString exitQuestion = QStringLiteral("Skarvel提醒您");
constexpr int scriptedCookies = 60;

// The cookies of the web panel's page's login that `carried` lacks.
QList<QByteArray> loginCookiesMissingFrom(const QList<QByteArray> &carried)
{
    QList<QByteArray> missing;
    if (!carried.contains("skey=kept"))
        missing.append("skey=kept");
    for (int i = 0; i < scriptedCookies; ++i) {
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

// The cookies in the copy that the program's own requests take theirs from.
QList<QByteArray> cookiesInTheMirror(const ProgramSetting &setting)
{
    QFile mirror(QDir(setting.folders.paths().webProfileDir()).filePath("MirroredCookies"));
    QList<QByteArray> kept;
    if (mirror.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : mirror.readAll().split('\n'))
            kept.append(line.left(line.indexOf(';')));
    }
    return kept;
}

// How a desktop ends the program.
enum class Ending { CloseBox, Signal };

} // namespace

class TestE2eKeptLogin : public QObject
{
    Q_OBJECT

private slots:
    void loginMadeJustBeforeTheEndIsThereAtTheNextStart_data();
    void loginMadeJustBeforeTheEndIsThereAtTheNextStart();
    void signalDuringASlowRequestEndsTheProgramOnceItIsOver();
};

void TestE2eKeptLogin::loginMadeJustBeforeTheEndIsThereAtTheNextStart_data()
{
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<int>("signal");
    QTest::newRow("close box, then OK") << Ending::CloseBox << 0;
    QTest::newRow("log-out or shut-down (SIGTERM)") << Ending::Signal << SIGTERM;
    QTest::newRow("terminal closed (SIGHUP)") << Ending::Signal << SIGHUP;
    QTest::newRow("Ctrl+C (SIGINT)") << Ending::Signal << SIGINT;
}

void TestE2eKeptLogin::loginMadeJustBeforeTheEndIsThereAtTheNextStart()
{
    QFETCH(Ending, ending);
    QFETCH(int, signal);

    // A profile of this row's own, so no row sees another's login.
    ProgramSetting setting(SKARVEL_PROGRAM);
    QVERIFY(setting.ready());
    // The web panel's page logs in with a cookie that has an expiry (one of the
    // session ends with the program) and its script sets many more at once; the
    // picture it then shows is asked for with all of them.
    FakeWeb::Reply panel;
    QByteArray script = "<script>for (var i = 0; i < " + QByteArray::number(scriptedCookies) +
                        "; ++i) document.cookie = 'c' + i + '=v' + i + '; Max-Age=86400; Path=/';"
                        "var picture = new Image(); picture.src = '/logged-in.png';"
                        "document.body.appendChild(picture);</script>";
    panel.body = "<html><body>Skarvel" + script + "</body></html>";
    panel.headers = {{"Set-Cookie", "skey=kept; Path=/; Max-Age=86400; HttpOnly"},
                     {"Cache-Control", "no-store"}};
    setting.web.route("/panel.html", panel);

    DesktopSession desktop;
    QVERIFY2(desktop.isRunning(), "no virtual display");

    QProcess *first = desktop.start(setting);
    QVERIFY(desktop.waitForWindows(mainWindow, 1, 60000));
    QCOMPARE(loginCookiesMissingFrom(
                 cookiesSentWith(setting.web.firstRequestFor("/logged-in.png", 60000))),
             QList<QByteArray>());

    if (ending == Ending::CloseBox) {
        QVERIFY(desktop.closeWindow(desktop.windows(mainWindow).first()));
        QVERIFY(desktop.waitForWindows(exitQuestion, 1, 30000));
        QVERIFY(desktop.pressKey(desktop.windows(exitQuestion).first(), "Return"));
    } else {
        QCOMPARE(::kill(pid_t(first->processId()), signal), 0);
    }
    QVERIFY(first->waitForFinished(30000));
    QCOMPARE(first->exitStatus(), QProcess::NormalExit);
    QCOMPARE(first->exitCode(), 0);
    // No closing question was left behind, and the next start is not taken for a
    // second copy.
    QVERIFY(desktop.windows(exitQuestion).isEmpty());
    QVERIFY(QDir(setting.folders.temp()).entryList({"Skarvel*.lock"}, QDir::Files).isEmpty());
    QCOMPARE(loginCookiesMissingFrom(cookiesInTheMirror(setting)), QList<QByteArray>());

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
