#include "desktop_session.h"
#include "net/endpoints.h"
#include "support/fake_web.h"
#include "support/temp_folders.h"

#include <QDir>
#include <QFile>
#include <QThread>
#include <QtTest>

namespace {

const QString mainWindow = QStringLiteral("Skarvel - Tobrin");
const QString alreadyRunning = QStringLiteral("错误，程序已启动，请勿重复运行！");

} // namespace

class TestE2eSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void secondInstanceReportsAndEnds();
    void lockOfAnEndedProgramIsTakenOver();

private:
    void startOnDesktop(DesktopSession &desktop);

    FakeWeb web;
    TempFolders folders;
};

void TestE2eSingleInstance::initTestCase()
{
    // The maker announces the program's own version: no update question.
    web.route(
        "/announcement.html",
        QStringLiteral("最新版本：V3.90(2014.3.12更新)版本信息结束最新公告：你好公告信息结束"),
        "gb2312");
    web.route("/panel.html", QStringLiteral("<html><body>Skarvel</body></html>"));

    QString hosts = "[hosts]\n";
    for (const QString &name : Endpoints::names())
        hosts += name + "=" + web.baseUrl() + "\n";
    QVERIFY(TempFolders::writeFile(folders.temp("endpoints.ini"), hosts.toUtf8()));
    QVERIFY(DesktopSession::copyProgramTo(folders.program()));
}

void TestE2eSingleInstance::startOnDesktop(DesktopSession &desktop)
{
    QVERIFY2(desktop.isRunning(), "no virtual display");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SKARVEL_ENDPOINTS", folders.temp("endpoints.ini"));
    environment.insert("USERPROFILE", folders.profile());
    environment.insert("HOME", folders.drive());
    environment.insert("TMPDIR", folders.temp());
    environment.insert("XDG_RUNTIME_DIR", folders.temp());
    desktop.setProgramEnvironment(environment);
}

void TestE2eSingleInstance::secondInstanceReportsAndEnds()
{
    DesktopSession desktop;
    startOnDesktop(desktop);

    QProcess *first = desktop.start(folders.program());
    QVERIFY(desktop.waitForWindows(mainWindow, 1, 60000));

    QProcess *second = desktop.start(folders.program());
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
    startOnDesktop(desktop);

    QProcess *crashed = desktop.start(folders.program());
    QVERIFY(desktop.waitForWindows(mainWindow, 1, 60000));
    crashed->kill();
    QVERIFY(crashed->waitForFinished(10000));
    QVERIFY(!QDir(folders.temp()).entryList({"Skarvel*.lock"}, QDir::Files).isEmpty());

    QProcess *next = desktop.start(folders.program());
    QVERIFY(desktop.waitForWindows(mainWindow, 1, 60000));
    // The check runs right after the window appears; give a box time to show.
    QThread::msleep(2000);
    QVERIFY(desktop.windows(alreadyRunning).isEmpty());
    QCOMPARE(next->state(), QProcess::Running);
}

QTEST_GUILESS_MAIN(TestE2eSingleInstance)
#include "tst_e2e_single_instance.moc"
