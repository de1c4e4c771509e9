#include "platform/clock.h"
#include "platform/end_signals.h"
#include "platform/instance_lock.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "platform/web_profile.h"
#include "support/fake_desktop.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folders.h"
#include "support/test_main.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <memory>
#include <thread>
#include <vector>

// A clock the test moves by hand, one step for every reading.
class SteppingClock : public Clock
{
public:
    qint64 nowMs() const override { return now += step; }
    mutable qint64 now = 0;
    qint64 step = 1;
};

class TestServices : public QObject
{
    Q_OBJECT

private slots:
    void sleepRunsEventsUntilTheTimeHasPassed();
    void sleepOfNothingRunsNoEvents_data();
    void sleepOfNothingRunsNoEvents();
    void sleepSurvivesAClockPastThirtyTwoBits();
    void dialogsWithoutTitleShowTheApplicationTitle();
    void endProgramRemovesTheTrayIconAndTheInstanceLock();
    void endProgramLeavesTheScreenAtOnceAndTheLockOnceTheProfileIsWritten_data();
    void endProgramLeavesTheScreenAtOnceAndTheLockOnceTheProfileIsWritten();
    void endingSignalEndsTheProgram_data();
    void endingSignalEndsTheProgram();
    void signalAfterTheEndRunsNothingMore();
    void instanceLockRefusesASecondHolder();
    void instanceLockTakesOverALockOfADeadProcess();
    void driveFolderIsUnderTheHomeFolder();
};

void TestServices::sleepRunsEventsUntilTheTimeHasPassed()
{
    Clock clock;
    bool ran = false;
    QTimer::singleShot(0, this, [&] { ran = true; });
    const qint64 start = clock.nowMs();
    Sleep(clock, 50);
    QVERIFY(clock.nowMs() - start >= 50);
    QVERIFY(ran);
}

void TestServices::sleepOfNothingRunsNoEvents_data()
{
    QTest::addColumn<qint64>("ms");
    QTest::newRow("zero") << qint64(0);
    QTest::newRow("negative") << qint64(-5);
}

void TestServices::sleepOfNothingRunsNoEvents()
{
    QFETCH(qint64, ms);
    Clock clock;
    bool ran = false;
    QTimer::singleShot(0, this, [&] { ran = true; });
    Sleep(clock, ms);
    QVERIFY(!ran);
    QCoreApplication::processEvents();
    QVERIFY(ran);
}

void TestServices::sleepSurvivesAClockPastThirtyTwoBits()
{
    SteppingClock clock;
    clock.now = 0xFFFFFFF0LL; // a 32-bit millisecond count would wrap within the wait
    Sleep(clock, 100);
    QVERIFY(clock.now >= 0xFFFFFFF0LL + 100);
}

void TestServices::dialogsWithoutTitleShowTheApplicationTitle()
{
    ScriptedDialogs dialogs;
    dialogs.queueAnswer(MsgResult::Cancel);
    QCOMPARE(
        dialogs.msgBox(QStringLiteral("确认退出软件吗？"), 33, QStringLiteral("Skarvel提醒您")),
        MsgResult::Cancel);
    QCOMPARE(dialogs.msgBox("plain"), MsgResult::Ok);
    QCOMPARE(dialogs.shown().size(), 2);
    QCOMPARE(dialogs.shown().at(0).style, 33);
    QCOMPARE(dialogs.shown().at(1).title, QString("Skarvel"));
}

void TestServices::endProgramRemovesTheTrayIconAndTheInstanceLock()
{
    TempFolders folders;
    FakeTrayIcon tray;
    tray.add("tip");
    InstanceLock instanceLock(folders.temp());
    QVERIFY(instanceLock.claim("Skarvel"));
    int terminations = 0;
    Services services;
    services.tray = &tray;
    services.instanceLock = &instanceLock;
    services.terminate = [&] { ++terminations; };
    services.endProgram();
    QVERIFY(!tray.isShown());
    QVERIFY(services.programEnded());
    QCOMPARE(terminations, 1);
    QVERIFY(!QFile::exists(folders.temp("Skarvel.lock")));
    QVERIFY(InstanceLock(folders.temp()).claim("Skarvel"));
}

void TestServices::endProgramLeavesTheScreenAtOnceAndTheLockOnceTheProfileIsWritten_data()
{
    QTest::addColumn<int>("windowCount");
    QTest::newRow("the main window") << 1;
    QTest::newRow("a tool window beside the main window") << 2;
}

// The engine writes the ended profile on threads of its own; a thread of the test
// stands in for it, holding a file of the profile's folder open for a while.
void TestServices::endProgramLeavesTheScreenAtOnceAndTheLockOnceTheProfileIsWritten()
{
    QFETCH(int, windowCount);
    TempFolders folders;
    InstanceLock instanceLock(folders.temp());
    QVERIFY(instanceLock.claim("Skarvel"));
    WebProfile web(folders.paths().webProfileDir());
    web.engineProfile();
    FakeTrayIcon tray;
    tray.add("tip");
    std::vector<std::unique_ptr<QWidget>> windows;
    for (int i = 0; i < windowCount; ++i) {
        windows.push_back(std::make_unique<QWidget>());
        windows.back()->show();
    }
    QFile held(QDir(web.folder()).filePath("Cookies-journal"));
    QVERIFY(held.open(QIODevice::WriteOnly));
    std::atomic<int> windowsShownWhileWriting = windowCount;
    std::atomic<bool> trayShownWhileWriting = true;
    std::atomic<bool> lockHeldWhileWriting = false;
    std::thread engine([&] {
        QThread::msleep(300);
        windowsShownWhileWriting =
            int(std::count_if(windows.cbegin(), windows.cend(),
                              [](const auto &window) { return window->isVisible(); }));
        trayShownWhileWriting = tray.isShown();
        lockHeldWhileWriting = !InstanceLock(folders.temp()).claim("Skarvel");
        held.close();
    });
    bool lockHeldAtTheEnd = true;
    Services services;
    services.web = &web;
    services.tray = &tray;
    services.instanceLock = &instanceLock;
    services.terminate = [&] { lockHeldAtTheEnd = !InstanceLock(folders.temp()).claim("Skarvel"); };

    services.endProgram();
    engine.join();

    QCOMPARE(windowsShownWhileWriting, 0);
    QVERIFY(!trayShownWhileWriting);
    QVERIFY(lockHeldWhileWriting);
    QVERIFY(!lockHeldAtTheEnd);
}

void TestServices::endingSignalEndsTheProgram_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("log-out or shut-down (SIGTERM)") << SIGTERM;
    QTest::newRow("terminal closed (SIGHUP)") << SIGHUP;
    QTest::newRow("Ctrl+C (SIGINT)") << SIGINT;
}

void TestServices::endingSignalEndsTheProgram()
{
    QFETCH(int, signal);
    FakeTrayIcon tray;
    tray.add("tip");
    int terminations = 0;
    Services services;
    services.tray = &tray;
    services.terminate = [&] { ++terminations; };
    const EndSignals endSignals(services);

    // The signal lands in the middle of a handler: the end waits for the event loop.
    QVERIFY(std::raise(signal) == 0);
    QCOMPARE(terminations, 0);
    QTRY_COMPARE(terminations, 1);
    QVERIFY(services.programEnded());
    QVERIFY(!tray.isShown());
}

void TestServices::signalAfterTheEndRunsNothingMore()
{
    int terminations = 0;
    Services services;
    services.terminate = [&] { ++terminations; };
    const EndSignals endSignals(services);
    services.endProgram();
    QVERIFY(std::raise(SIGTERM) == 0);
    QVERIFY(std::raise(SIGINT) == 0);
    QTest::qWait(50);
    QCOMPARE(terminations, 1);
}

void TestServices::instanceLockRefusesASecondHolder()
{
    TempFolders folders;
    InstanceLock first(folders.temp());
    QVERIFY(first.claim("Skarvel"));
    QVERIFY(first.claim("Skarvel")); // the holder asking again still holds it
    InstanceLock second(folders.temp());
    QVERIFY(!second.claim("Skarvel"));
}

void TestServices::instanceLockTakesOverALockOfADeadProcess()
{
    TempFolders folders;
    QProcess finished;
    finished.start("sleep", {"0.1"});
    QVERIFY(finished.waitForStarted());
    const QByteArray deadPid = QByteArray::number(finished.processId());
    QVERIFY(finished.waitForFinished());
    QVERIFY(TempFolders::writeFile(folders.temp("Skarvel.lock"),
                                   deadPid + "\nSkarvel\n" + QSysInfo::machineHostName().toUtf8() +
                                       "\n"));
    InstanceLock lock(folders.temp());
    QVERIFY(lock.claim("Skarvel"));
}

void TestServices::driveFolderIsUnderTheHomeFolder()
{
    Paths paths;
    paths.driveRoot = "/home/li";
    QCOMPARE(paths.driveFolder("orvokeywords"), QString("/home/li/orvokeywords/"));
}

SKARVEL_TEST_MAIN(TestServices)
#include "tst_services.moc"
