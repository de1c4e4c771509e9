#include "desktop_session.h"
#include "support/program_setting.h"

#include <QDir>
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

QTEST_GUILESS_MAIN(TestE2eSingleInstance)
#include "tst_e2e_single_instance.moc"
