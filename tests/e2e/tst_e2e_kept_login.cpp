#include "desktop_session.h"
#include "support/program_setting.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QtTest>
#include <optional>

namespace {

const QString mainWindow = QStringLiteral("Skarvel - Tobrin");
const QString exitQuestion = QStringLiteral("Skarvel提醒您");

// The cookie header of the first request for `path`, waiting up to `ms` for one;
// no value when none came.
std::optional<QByteArray> cookieSentFor(const FakeWeb &web, const QByteArray &path, int ms)
{
    const QDeadlineTimer deadline(ms);
    do {
        for (const FakeWeb::Request &request : web.requests()) {
            if (request.path == path)
                return request.header("Cookie");
        }
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

} // namespace

class TestE2eKeptLogin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void loginMadeJustBeforeTheEndIsThereAtTheNextStart();

private:
    ProgramSetting setting{SKARVEL_PROGRAM};
};

void TestE2eKeptLogin::initTestCase()
{
    QVERIFY(setting.ready());
    // The web panel's page logs in with a cookie that has an expiry (one of the
    // session ends with the program); the picture it shows is asked for with that
    // cookie once the login took.
    FakeWeb::Reply panel;
    panel.body = "<html><body>Skarvel<img src=\"/logged-in.png\"></body></html>";
    panel.headers = {{"Set-Cookie", "skey=kept; Path=/; Max-Age=86400; HttpOnly"},
                     {"Cache-Control", "no-store"}};
    setting.web.route("/panel.html", panel);
}

void TestE2eKeptLogin::loginMadeJustBeforeTheEndIsThereAtTheNextStart()
{
    DesktopSession desktop;
    QVERIFY2(desktop.isRunning(), "no virtual display");

    QProcess *first = desktop.start(setting);
    QVERIFY(desktop.waitForWindows(mainWindow, 1, 60000));
    QCOMPARE(cookieSentFor(setting.web, "/logged-in.png", 60000),
             std::optional<QByteArray>("skey=kept"));

    QVERIFY(desktop.closeWindow(desktop.windows(mainWindow).first()));
    QVERIFY(desktop.waitForWindows(exitQuestion, 1, 30000));
    QVERIFY(desktop.pressKey(desktop.windows(exitQuestion).first(), "Return"));
    QVERIFY(first->waitForFinished(30000));
    QCOMPARE(first->exitStatus(), QProcess::NormalExit);
    QCOMPARE(first->exitCode(), 0);

    setting.web.clearRequests();
    desktop.start(setting);
    QCOMPARE(cookieSentFor(setting.web, "/panel.html", 60000),
             std::optional<QByteArray>("skey=kept"));
}

QTEST_GUILESS_MAIN(TestE2eKeptLogin)
#include "tst_e2e_kept_login.moc"
