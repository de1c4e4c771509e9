#include "platform/code_page.h"
#include "platform/lock_wait_budget.h"
#include "platform/profile_ini.h"
#include "platform/target_lock.h"
#include "support/file_size_limit.h"
#include "support/network_file_system_locks.h"
#include "support/temp_folders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// Any unprivileged users: other users of the program folder.
constexpr uid_t nobody = 65534;
constexpr uid_t someoneElse = 65533;
constexpr uid_t aThirdUser = 4242;

// What a user action may wait in all is the code's; this bound only tells a
// bounded wait from one that adds up per key.
constexpr qint64 actionBoundMs = 3000;
// Well under the wait limit: no wait at all, a fork and a write.
constexpr qint64 noWaitBoundMs = 500;

QStringList everyFile(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// The exit code of a child; -1 when it ended otherwise or did not end within a
// generous bound (it is killed then, so that a hang fails the test rather than
// stopping it).
int exitCodeOf(pid_t child)
{
    if (child < 0)
        return -1;
    const auto bound = std::chrono::steady_clock::now() + 10s;
    int status = 0;
    pid_t ended = 0;
    while ((ended = ::waitpid(child, &status, WNOHANG)) == 0 &&
           std::chrono::steady_clock::now() < bound)
        std::this_thread::sleep_for(10ms);
    if (ended == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        return -1;
    }
    return ended == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool exitedWell(pid_t child)
{
    return exitCodeOf(child) == 0;
}

bool becameUser(uid_t user)
{
    return ::setgid(user) == 0 && ::setuid(user) == 0;
}

bool becameAnotherUser()
{
    return becameUser(nobody);
}

// The user's next action: the event loop waits for input in between.
void nextUserAction()
{
    QEventLoop loop;
    QTimer::singleShot(1, &loop, &QEventLoop::quit);
    loop.exec();
}

// Lets another user reach and write into the program folder.
bool shareProgramFolder(const TempFolders &folders)
{
    const QByteArray program = QFile::encodeName(folders.program());
    const QByteArray root = QFile::encodeName(QFileInfo(folders.program()).path());
    return ::chmod(root.constData(), 0711) == 0 && ::chmod(program.constData(), 0777) == 0;
}

// A process of its own that writes one key and exits 0 when written, 1 when not.
pid_t writing(const QString &path, const QString &key, const QString &value, bool otherUser)
{
    const pid_t writer = fork();
    if (writer == 0) {
        LockWaitBudget::renew();
        if (otherUser && !becameAnotherUser())
            ::_exit(2);
        ::_exit(ProfileIni(path).write("ACPW", key, value) ? 0 : 1);
    }
    return writer;
}

// A writer under umask 077 that writes again and again until it is killed, at
// whatever moment of a write the pause ends.
bool killedWhileWriting(const QString &path, std::chrono::microseconds pause)
{
    const pid_t writer = fork();
    if (writer < 0)
        return false;
    if (writer == 0) {
        ::umask(077);
        for (int i = 0;; ++i) {
            LockWaitBudget::renew();
            ProfileIni(path).write("ACPW", "Killed", QString::number(i));
        }
    }
    std::this_thread::sleep_for(pause);
    ::kill(writer, SIGKILL);
    int status = 0;
    return ::waitpid(writer, &status, 0) == writer && WIFSIGNALED(status);
}

enum LeftBehind { KilledHolder, KilledWriters, PrivateLockFile, EveryTemporaryName };

enum Holder { StoppedWriter, ProgramsLock, OtherUsersLock };

enum Planted { LinkToAFile, LinkToNothing, Fifo, Folder, HardLinkToAFile };

// A process that takes the lock, or a lock of its own on the lock file, and
// stops there: it never lets go until it is killed, at the latest as the test
// ends, failed or not.
class StoppedHolder
{
public:
    StoppedHolder(const QString &path, const QString &lockName, int kind)
    {
        const pid_t holder = fork();
        if (holder == 0) {
            if (kind == OtherUsersLock && !becameAnotherUser())
                ::_exit(2);
            if (kind == StoppedWriter) {
                const TargetLock lock(path);
                if (lock.held())
                    ::raise(SIGSTOP);
                ::_exit(1);
            }
            const int file = ::open(QFile::encodeName(lockName).constData(),
                                    O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
            if (file >= 0 && flock(file, LOCK_EX) == 0)
                ::raise(SIGSTOP);
            ::_exit(1);
        }
        int status = 0;
        if (holder > 0 && ::waitpid(holder, &status, WUNTRACED) == holder && WIFSTOPPED(status))
            pid = holder;
    }
    ~StoppedHolder() { kill(); }
    StoppedHolder(const StoppedHolder &) = delete;
    StoppedHolder &operator=(const StoppedHolder &) = delete;

    bool stopped() const { return pid > 0; }

    bool kill()
    {
        const bool killed =
            pid > 0 && ::kill(pid, SIGKILL) == 0 && ::waitpid(pid, nullptr, 0) == pid;
        pid = -1;
        return killed;
    }

private:
    pid_t pid = -1;
};

} // namespace

class TestProfileIni : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void readsWindowsProfileFormat_data();
    void readsWindowsProfileFormat();
    void missingFileGivesDefaults();
    void capsValuesAt254Bytes_data();
    void capsValuesAt254Bytes();
    void replacesKeyInPlace();
    void addsKeysAndSections();
    void lineBreaksAddNoLines_data();
    void lineBreaksAddNoLines();
    void roundTripsChineseThroughGbk();
    void failedWriteLeavesOldFileWhole_data();
    void failedWriteLeavesOldFileWhole();
    void copiesOfOneUserWritingOneFileKeepEveryKey_data();
    void copiesOfOneUserWritingOneFileKeepEveryKey();
    void lockIsHeldByOneWriterAtATime_data();
    void lockIsHeldByOneWriterAtATime();
    void lockOfAKilledWriterIsTakenOver_data();
    void lockOfAKilledWriterIsTakenOver();
    void heldLockCostsAnActionTheWaitLimitAtMost_data();
    void heldLockCostsAnActionTheWaitLimitAtMost();
    void writeGoesPastWhatIsPlantedAtTheLockFileName_data();
    void writeGoesPastWhatIsPlantedAtTheLockFileName();
    void hardLinkAtATemporaryNameLeavesTheLinkedFileAsItWas_data();
    void hardLinkAtATemporaryNameLeavesTheLinkedFileAsItWas();
    void writersOfTwoUsersKeepBothKeys_data();
    void writersOfTwoUsersKeepBothKeys();
    void olderCopyLockingTheFileAloneWaitsItsTurn();
    void lockFileIsReadableByEveryUserWheneverItHasItsName();
    void writeKeepsTheFileMode_data();
    void writeKeepsTheFileMode();
    void fileReachedThroughALinkIsWritten_data();
    void fileReachedThroughALinkIsWritten();
    void longFileNamesAreWritten_data();
    void longFileNamesAreWritten();

private:
    TempFolders folders;
};

// Each test starts as a user action of its own.
void TestProfileIni::init()
{
    LockWaitBudget::renew();
}

void TestProfileIni::readsWindowsProfileFormat_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("exact case") << "ACPW"
                                << "Text2"
                                << "0361";
    QTest::newRow("section in another case") << "acpw"
                                             << "Text2"
                                             << "0361";
    QTest::newRow("key in another case") << "ACPW"
                                         << "TEXT2"
                                         << "0361";
    QTest::newRow("Chinese value in GBK") << "ACPW"
                                          << "buyer"
                                          << "张三";
    QTest::newRow("blanks around the value") << "ACPW"
                                             << "spaced"
                                             << "a b";
    QTest::newRow("empty value is no default") << "ACPW"
                                               << "empty"
                                               << "";
    QTest::newRow("quoted value") << "ACPW"
                                  << "quoted"
                                  << "x y";
    QTest::newRow("key of another section") << "ACPW"
                                            << "other"
                                            << "fallback";
    QTest::newRow("missing key") << "ACPW"
                                 << "nothing"
                                 << "fallback";
    QTest::newRow("missing section") << "NONE"
                                     << "Text2"
                                     << "fallback";
}

void TestProfileIni::readsWindowsProfileFormat()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const QString path = folders.program("read.ini");
    QByteArray file = "[Other]\r\nother=1\r\n[Acpw]\r\ntext2=0361\r\nbuyer=";
    file += encodeAnsi(QStringLiteral("张三"));
    file += "\r\nspaced =  a b  \r\nempty=\r\nquoted=\"x y\"\r\n";
    QVERIFY(TempFolders::writeFile(path, file));

    QCOMPARE(ProfileIni(path).read(section, key, "fallback"), expected);
}

void TestProfileIni::missingFileGivesDefaults()
{
    const ProfileIni ini(folders.program("absent.ini"));
    QCOMPARE(ini.read("ACPW", "Text2", "8"), QString("8"));
    QVERIFY(!QFile::exists(ini.path()));
}

void TestProfileIni::capsValuesAt254Bytes_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");

    const QString ascii254(254, 'a');
    QTest::newRow("254 bytes stay whole") << ascii254 << ascii254;
    QTest::newRow("255 bytes lose the last") << ascii254 + "b" << ascii254;
    // 127 Chinese characters are 254 bytes; one more would need 256.
    const QString chinese127(127, QChar(0x4E2D));
    QTest::newRow("Chinese at the limit") << chinese127 + QChar(0x6587) << chinese127;
    // 253 ASCII bytes then a character of two bytes: the lead byte alone would be
    // byte 254, so it is dropped rather than left without its trail byte.
    QTest::newRow("no half character")
        << QString(253, 'a') + QChar(0x4E2D) + "z" << QString(253, 'a');
    // An invisible character the code page lacks takes the byte of its "?".
    QTest::newRow("invisible character counts")
        << QString(253, 'a') + QChar(0x200B) + "z" << QString(253, 'a') + "?";
}

void TestProfileIni::capsValuesAt254Bytes()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);

    const ProfileIni ini(folders.program("cap.ini"));
    QVERIFY(ini.write("ACPW", "long", value));
    QCOMPARE(ini.read("ACPW", "long", "x"), expected);
}

void TestProfileIni::replacesKeyInPlace()
{
    const QString path = folders.program("replace.ini");
    QVERIFY(TempFolders::writeFile(path, "[ACPW]\r\nA=1\r\nB=2\r\nC=3\r\n"));
    QVERIFY(ProfileIni(path).write("acpw", "b", "20"));
    QCOMPARE(TempFolders::readFile(path), QByteArray("[ACPW]\r\nA=1\r\nB=20\r\nC=3\r\n"));
}

void TestProfileIni::addsKeysAndSections()
{
    const QString path = folders.program("add.ini");
    QFile::remove(path);
    const ProfileIni ini(path);
    QVERIFY(ini.write("ACPW", "Text2", "0361"));
    QVERIFY(ini.write("ACPW", "Text5", "1"));
    QVERIFY(ini.write("More", "x", "y"));
    QCOMPARE(TempFolders::readFile(path),
             QByteArray("[ACPW]\r\nText2=0361\r\nText5=1\r\n[More]\r\nx=y\r\n"));
}

void TestProfileIni::lineBreaksAddNoLines_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("readBack");

    const QByteArray before = "[ACPW]\r\nA=1\r\n";
    QTest::newRow("LF in a value") << "ACPW"
                                   << "Text1"
                                   << "x\nAfter=evil" << before + "Text1=x\r\n"
                                   << "x";
    QTest::newRow("CR LF in a value") << "ACPW"
                                      << "Text1"
                                      << "x\r\nAfter=evil" << before + "Text1=x\r\n"
                                      << "x";
    QTest::newRow("CR in a value") << "ACPW"
                                   << "Text1"
                                   << "x\rAfter=evil" << before + "Text1=x\r\n"
                                   << "x";
    QTest::newRow("value that starts with a line break") << "ACPW"
                                                         << "Text1"
                                                         << "\nAfter=evil" << before + "Text1=\r\n"
                                                         << "";
    QTest::newRow("line break in a key") << "ACPW"
                                         << "Text1\nAfter"
                                         << "evil" << before + "Text1=evil\r\n"
                                         << "evil";
    QTest::newRow("line break in a section") << "More\r\n[Evil]"
                                             << "Text1"
                                             << "y" << before + "[More]\r\nText1=y\r\n"
                                             << "y";
}

// A buyer name or a folder pasted with a line break reaches the settings file.
void TestProfileIni::lineBreaksAddNoLines()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, file);
    QFETCH(QString, readBack);

    const QString path = folders.program("breaks.ini");
    QVERIFY(TempFolders::writeFile(path, "[ACPW]\r\nA=1\r\n"));
    const ProfileIni ini(path);
    QVERIFY(ini.write(section, key, value));
    QCOMPARE(TempFolders::readFile(path), file);
    QCOMPARE(ini.read(section, key, "fallback"), readBack);
    QCOMPARE(ini.read("ACPW", "After", "fallback"), QString("fallback"));
    QCOMPARE(ini.read("Evil", "Text1", "fallback"), QString("fallback"));
}

void TestProfileIni::roundTripsChineseThroughGbk()
{
    const ProfileIni ini(folders.program("chinese.ini"));
    QVERIFY(ini.write("ACPW", "Text1", QStringLiteral("买家李四")));
    QCOMPARE(ini.read("ACPW", "Text1", ""), QStringLiteral("买家李四"));
    QVERIFY(TempFolders::readFile(ini.path()).contains(encodeAnsi(QStringLiteral("买家李四"))));
}

void TestProfileIni::failedWriteLeavesOldFileWhole_data()
{
    QTest::addColumn<bool>("unreadable"); // else the disk is full
    QTest::newRow("disk full") << false;
    // Another user may write the file but not read it: a write from nothing would
    // drop every other key.
    QTest::newRow("file the writer cannot read") << true;
}

void TestProfileIni::failedWriteLeavesOldFileWhole()
{
    QFETCH(bool, unreadable);
    if (unreadable && geteuid() != 0)
        QSKIP("needs the rights to run a writer as another user");

    const TempFolders own;
    const QString path = own.program("full.ini");
    QVERIFY(TempFolders::writeFile(path, "[ACPW]\r\nA=1\r\n"));

    bool written = false;
    if (unreadable) {
        QVERIFY(shareProgramFolder(own));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0222) == 0);
        written = exitCodeOf(writing(path, "B", "2", true)) == 0;
    } else {
        const FileSizeLimit limit(64);
        written = ProfileIni(path).write("ACPW", "A", QString(200, 'x'));
    }

    QVERIFY(!written);
    QCOMPARE(TempFolders::readFile(path), QByteArray("[ACPW]\r\nA=1\r\n"));
}

void TestProfileIni::copiesOfOneUserWritingOneFileKeepEveryKey_data()
{
    QTest::addColumn<bool>("networkFileSystem");
    QTest::newRow("on a local disk") << false;
    QTest::newRow("on a network file system") << true;
}

// Copies of the program run at once share the settings file of the program
// folder; as with the Windows profile functions, none may lose a key another
// wrote, nor one written before them, and each waits its turn rather than fail.
void TestProfileIni::copiesOfOneUserWritingOneFileKeepEveryKey()
{
    QFETCH(bool, networkFileSystem);
    const NetworkFileSystemLocks locks(networkFileSystem);
    constexpr int writes = 300;
    const TempFolders own;
    const QString path = own.program("orvo_upc.ini");
    QVERIFY(ProfileIni(path).write("ACPW", "Start", "kept"));

    const QStringList keys{"First", "Second", "Third"};
    QList<pid_t> writers;
    for (const QString &key : keys) {
        const pid_t writer = fork();
        QVERIFY(writer >= 0);
        if (writer == 0) {
            int failed = 0;
            for (int i = 1; i <= writes; ++i) {
                LockWaitBudget::renew();
                failed += ProfileIni(path).write("ACPW", key, QString::number(i)) ? 0 : 1;
            }
            ::_exit(std::min(failed, 100));
        }
        writers.append(writer);
    }
    for (const pid_t writer : writers)
        QCOMPARE(exitCodeOf(writer), 0);

    const ProfileIni ini(path);
    QCOMPARE(ini.read("ACPW", "Start", "missing"), QString("kept"));
    for (const QString &key : keys)
        QCOMPARE(ini.read("ACPW", key, "missing"), QString::number(writes));
    QCOMPARE(everyFile(own.program()), QStringList{"orvo_upc.ini"});
}

void TestProfileIni::lockIsHeldByOneWriterAtATime_data()
{
    QTest::addColumn<bool>("otherUsers");
    QTest::addColumn<bool>("networkFileSystem");
    QTest::newRow("writers of one user") << false << false;
    QTest::newRow("writers of two users") << true << false;
    QTest::newRow("writers of one user on a network file system") << false << true;
}

// Each holder lets go by removing the lock file, and the next one makes it
// again: a waiter that wakes holding the removed file must not count as a holder.
void TestProfileIni::lockIsHeldByOneWriterAtATime()
{
    QFETCH(bool, otherUsers);
    QFETCH(bool, networkFileSystem);
    if (otherUsers && geteuid() != 0)
        QSKIP("needs the rights to run a writer as another user");

    const NetworkFileSystemLocks locks(networkFileSystem);
    const TempFolders own;
    QVERIFY(shareProgramFolder(own));
    const QString path = own.program("orvo_upc.ini");
    const QByteArray inside = QFile::encodeName(own.program("inside"));

    QList<pid_t> writers;
    for (int number = 0; number < 4; ++number) {
        const pid_t writer = fork();
        QVERIFY(writer >= 0);
        if (writer == 0) {
            ::umask(077);
            if (otherUsers && number % 2 == 1 && !becameAnotherUser())
                ::_exit(2);
            for (int turn = 0; turn < 150; ++turn) {
                LockWaitBudget::renew();
                const TargetLock lock(path);
                if (!lock.held())
                    ::_exit(3);
                const int marker =
                    ::open(inside.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
                if (marker < 0)
                    ::_exit(4);
                ::close(marker);
                std::this_thread::sleep_for(200us);
                ::unlink(inside.constData());
            }
            ::_exit(0);
        }
        writers.append(writer);
    }
    for (const pid_t writer : writers)
        QCOMPARE(exitCodeOf(writer), 0);
    QCOMPARE(everyFile(own.program()), QStringList{});
}

void TestProfileIni::lockOfAKilledWriterIsTakenOver_data()
{
    QTest::addColumn<bool>("otherUser");
    QTest::addColumn<int>("leftBehind");
    QTest::addColumn<int>("rounds");
    QTest::addColumn<bool>("networkFileSystem");
    QTest::newRow("by the same user") << false << int(KilledHolder) << 1 << false;
    QTest::newRow("by another user of the program folder")
        << true << int(KilledHolder) << 1 << false;
    QTest::newRow("by another user, writers killed at any moment under umask 077")
        << true << int(KilledWriters) << 200 << false;
    QTest::newRow("by another user, over a private lock file of root's")
        << true << int(PrivateLockFile) << 1 << false;
    QTest::newRow("a lock file and a file at every temporary name")
        << false << int(EveryTemporaryName) << 1 << false;
    QTest::newRow("on a network file system, by the same user")
        << false << int(KilledHolder) << 1 << true;
    QTest::newRow("on a network file system, writers killed at any moment")
        << false << int(KilledWriters) << 100 << true;
    QTest::newRow("on a network file system, a lock file and a file at every temporary name")
        << false << int(EveryTemporaryName) << 1 << true;
}

// A writer killed while it holds the lock leaves its lock file, and one killed
// while it writes its new file leaves that too; the next writer, whoever runs it,
// neither waits for ever nor fails for them, and leaves nothing of its own user's
// behind.
void TestProfileIni::lockOfAKilledWriterIsTakenOver()
{
    QFETCH(bool, otherUser);
    QFETCH(int, leftBehind);
    QFETCH(int, rounds);
    QFETCH(bool, networkFileSystem);
    if (otherUser && geteuid() != 0)
        QSKIP("needs the rights to run a writer as another user");

    const NetworkFileSystemLocks locks(networkFileSystem);
    const TempFolders own;
    const QString path = own.program("orvo_upc.ini");
    const QString lockName = own.program(".orvo_upc.ini.skarvel-lock");
    QVERIFY(TempFolders::writeFile(path, "[ACPW]\r\nStart=kept\r\n"));
    QVERIFY(shareProgramFolder(own));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);

    for (int round = 1; round <= rounds; ++round) {
        if (leftBehind == KilledHolder) {
            const pid_t killed = fork();
            QVERIFY(killed >= 0);
            if (killed == 0) {
                ::umask(077);
                const TargetLock lock(path);
                if (lock.held())
                    ::kill(::getpid(), SIGKILL);
                ::_exit(1);
            }
            int status = 0;
            QCOMPARE(::waitpid(killed, &status, 0), killed);
            QVERIFY(WIFSIGNALED(status));
            QCOMPARE(everyFile(own.program()).size(), 2);
        } else if (leftBehind == KilledWriters) {
            QVERIFY(killedWhileWriting(path, std::chrono::microseconds(100 + round * 397 % 4000)));
        } else if (leftBehind == EveryTemporaryName) {
            QVERIFY(TempFolders::writeFile(lockName, {}));
            for (int number = 0; number < 8; ++number)
                QVERIFY(TempFolders::writeFile(
                    own.program(QStringLiteral(".orvo_upc.ini.skarvel-tmp%1").arg(number)),
                    "[ACPW]\r\nSta"));
        } else {
            QVERIFY(TempFolders::writeFile(lockName, {}));
            QVERIFY(::chmod(QFile::encodeName(lockName).constData(), 0600) == 0);
        }
        QVERIFY2(exitedWell(writing(path, "Next", QString::number(round), otherUser)),
                 qPrintable(QStringLiteral("round %1").arg(round)));
    }

    const ProfileIni ini(path);
    QCOMPARE(ini.read("ACPW", "Next", "missing"), QString::number(rounds));
    QCOMPARE(ini.read("ACPW", "Start", "missing"), QString("kept"));
    // A private new file of a writer killed at any moment is left for its own
    // user's next write to take over. A private lock file of another user is
    // passed over as it is: the folder's lock keeps the writers apart.
    if (otherUser && leftBehind == KilledWriters) {
        QCOMPARE(everyFile(own.program()).filter(".skarvel-lock"), QStringList{});
    } else if (leftBehind == PrivateLockFile) {
        QCOMPARE(everyFile(own.program()),
                 (QStringList{".orvo_upc.ini.skarvel-lock", "orvo_upc.ini"}));
        QCOMPARE(TempFolders::modeOf(lockName), 0600);
    } else {
        QCOMPARE(everyFile(own.program()), QStringList{"orvo_upc.ini"});
    }
}

void TestProfileIni::heldLockCostsAnActionTheWaitLimitAtMost_data()
{
    QTest::addColumn<int>("holder");
    QTest::addColumn<int>("keys");
    const QList<std::pair<const char *, Holder>> holders{
        {"writer stopped inside its write", StoppedWriter},
        {"lock of another program on the lock file", ProgramsLock},
        {"lock of another user on the lock file", OtherUsersLock}};
    for (const auto &[name, holder] : holders) {
        QTest::addRow("%s, one key", name) << int(holder) << 1;
        // The generator's 立即生成 writes six.
        QTest::addRow("%s, six keys", name) << int(holder) << 6;
    }
}

// A window writes its settings on each keystroke and click: a lock that is
// never let go fails the action's writes within about the wait limit in all,
// however many keys it writes, and leaves the file as it was. The rest of that
// action fails at once; the next action writes again.
void TestProfileIni::heldLockCostsAnActionTheWaitLimitAtMost()
{
    QFETCH(int, holder);
    QFETCH(int, keys);
    if (holder == OtherUsersLock && geteuid() != 0)
        QSKIP("needs the rights to run a writer as another user");

    const TempFolders own;
    QVERIFY(shareProgramFolder(own));
    const QString path = own.program("orvo_upc.ini");
    const QByteArray before = "[ACPW]\r\nStart=kept\r\n";
    QVERIFY(TempFolders::writeFile(path, before));
    StoppedHolder stopped(path, own.program(".orvo_upc.ini.skarvel-lock"), holder);
    QVERIFY(stopped.stopped());

    QElapsedTimer timer;
    timer.start();
    bool anyWritten = false;
    for (int key = 1; key <= keys; ++key)
        anyWritten =
            ProfileIni(path).write("ACPW", QStringLiteral("Key%1").arg(key), "1") || anyWritten;
    const qint64 took = timer.elapsed();
    QVERIFY(!anyWritten);
    QVERIFY2(took < actionBoundMs, qPrintable(QStringLiteral("%1 ms").arg(took)));
    QCOMPARE(TempFolders::readFile(path), before);

    QVERIFY(stopped.kill());
    timer.restart();
    QVERIFY(!ProfileIni(path).write("ACPW", "Next", "written"));
    QVERIFY(timer.elapsed() < noWaitBoundMs);

    nextUserAction();
    QVERIFY(ProfileIni(path).write("ACPW", "Next", "written"));
    QCOMPARE(ProfileIni(path).read("ACPW", "Next", "missing"), QString("written"));
    QCOMPARE(ProfileIni(path).read("ACPW", "Start", "missing"), QString("kept"));
    QCOMPARE(everyFile(own.program()), QStringList{"orvo_upc.ini"});
}

void TestProfileIni::writeGoesPastWhatIsPlantedAtTheLockFileName_data()
{
    QTest::addColumn<int>("planted");
    QTest::addColumn<bool>("otherUser");
    QTest::newRow("link to a file") << int(LinkToAFile) << false;
    QTest::newRow("link to nothing") << int(LinkToNothing) << false;
    QTest::newRow("FIFO") << int(Fifo) << false;
    QTest::newRow("folder") << int(Folder) << false;
    QTest::newRow("hard link to a private file") << int(HardLinkToAFile) << false;
    QTest::newRow("hard link to a private file, written by another user")
        << int(HardLinkToAFile) << true;
}

// Whatever stands at the lock file's name and is no lock file neither keeps
// the writers apart nor stops them: the write goes on at once under the folder's
// lock, and the planted thing, and any file it names, stay as they were.
void TestProfileIni::writeGoesPastWhatIsPlantedAtTheLockFileName()
{
    QFETCH(int, planted);
    QFETCH(bool, otherUser);
    if (otherUser && geteuid() != 0)
        QSKIP("needs the rights to run a writer as another user");

    const TempFolders own;
    QVERIFY(shareProgramFolder(own));
    const QString path = own.program("orvo_upc.ini");
    QVERIFY(TempFolders::writeFile(path, "[ACPW]\r\nStart=kept\r\n"));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
    const QString lockName = own.program(".orvo_upc.ini.skarvel-lock");
    const QByteArray native = QFile::encodeName(lockName);
    const QString linked = own.drive("linked.ini");
    const QByteArray linkedBytes = "[ACPW]\r\nOther=file\r\n";
    QVERIFY(TempFolders::writeFile(linked, linkedBytes));
    QVERIFY(::chmod(QFile::encodeName(linked).constData(), 0600) == 0);

    switch (planted) {
    case LinkToAFile:
        QVERIFY(QFile::link(linked, lockName));
        break;
    case LinkToNothing:
        QVERIFY(QFile::link(own.drive("nothing"), lockName));
        break;
    case Fifo:
        QVERIFY(::mkfifo(native.constData(), 0644) == 0);
        break;
    case Folder:
        QVERIFY(QDir().mkdir(lockName));
        break;
    default:
        QVERIFY(::link(QFile::encodeName(linked).constData(), native.constData()) == 0);
    }
    struct stat plantedBefore
    {
    };
    QVERIFY(::lstat(native.constData(), &plantedBefore) == 0);

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(exitCodeOf(writing(path, "Next", "written", otherUser)), 0);
    QVERIFY(timer.elapsed() < noWaitBoundMs);

    QCOMPARE(ProfileIni(path).read("ACPW", "Next", "missing"), QString("written"));
    QCOMPARE(ProfileIni(path).read("ACPW", "Start", "missing"), QString("kept"));
    QCOMPARE(TempFolders::readFile(linked), linkedBytes);
    QCOMPARE(TempFolders::modeOf(linked), 0600);
    QVERIFY(!QFileInfo::exists(own.drive("nothing")));
    struct stat plantedAfter
    {
    };
    QVERIFY(::lstat(native.constData(), &plantedAfter) == 0);
    QCOMPARE(plantedAfter.st_ino, plantedBefore.st_ino);
    QCOMPARE(plantedAfter.st_mode, plantedBefore.st_mode);
    QStringList others = everyFile(own.program());
    others.removeAll(".orvo_upc.ini.skarvel-lock");
    QCOMPARE(others, QStringList{"orvo_upc.ini"});
}

void TestProfileIni::hardLinkAtATemporaryNameLeavesTheLinkedFileAsItWas_data()
{
    QTest::addColumn<bool>("otherUser");
    QTest::newRow("written by the linked file's owner") << false;
    QTest::newRow("written by another user") << true;
}

// A link planted where a write makes its new file must not lead the write into
// the file it names: that file is neither truncated nor filled with the
// settings, nor renamed into place, nor made readable.
void TestProfileIni::hardLinkAtATemporaryNameLeavesTheLinkedFileAsItWas()
{
    QFETCH(bool, otherUser);
    if (otherUser && geteuid() != 0)
        QSKIP("needs the rights to run a writer as another user");

    const TempFolders own;
    QVERIFY(shareProgramFolder(own));
    const QString path = own.program("orvo_upc.ini");
    QVERIFY(TempFolders::writeFile(path, "[ACPW]\r\nStart=kept\r\n"));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
    const QString linked = own.drive("linked.ini");
    const QByteArray linkedBytes = "private\r\n";
    QVERIFY(TempFolders::writeFile(linked, linkedBytes));
    QVERIFY(::chmod(QFile::encodeName(linked).constData(), 0600) == 0);
    for (const char *name : {".orvo_upc.ini.skarvel-tmp0", ".orvo_upc.ini.skarvel-tmp1"})
        QVERIFY(::link(QFile::encodeName(linked).constData(),
                       QFile::encodeName(own.program(name)).constData()) == 0);

    QCOMPARE(exitCodeOf(writing(path, "Next", "written", otherUser)), 0);

    QCOMPARE(ProfileIni(path).read("ACPW", "Next", "missing"), QString("written"));
    QCOMPARE(ProfileIni(path).read("ACPW", "Start", "missing"), QString("kept"));
    QCOMPARE(TempFolders::readFile(linked), linkedBytes);
    QCOMPARE(TempFolders::modeOf(linked), 0600);
    QCOMPARE(TempFolders::modeOf(path), 0666);
}

void TestProfileIni::writersOfTwoUsersKeepBothKeys_data()
{
    QTest::addColumn<bool>("privateLeftover");
    QTest::addColumn<int>("folderMode");
    QTest::addColumn<bool>("networkFileSystem");
    QTest::newRow("beside a private lock file of a third user") << true << 0777 << false;
    // Without the folder's lock, the lock file keeps them apart.
    QTest::newRow("in a folder they may write but not list") << false << 0333 << false;
    // Neither may lock the other's lock file there: a write that finds it fails.
    QTest::newRow("on a network file system") << false << 0777 << true;
}

// Two users' copies of the program write the shared settings file at the same
// moment, each write a key of its own; every write that reports success keeps
// the other's keys, whatever was left at the lock file's name. On a local disk
// every write succeeds.
void TestProfileIni::writersOfTwoUsersKeepBothKeys()
{
    QFETCH(bool, privateLeftover);
    QFETCH(int, folderMode);
    QFETCH(bool, networkFileSystem);
    if (geteuid() != 0)
        QSKIP("needs the rights to run writers as other users");

    constexpr int writes = 200;
    const TempFolders own;
    QVERIFY(shareProgramFolder(own));
    const QString path = own.program("orvo_upc.ini");
    QVERIFY(TempFolders::writeFile(path, "[ACPW]\r\nStart=kept\r\n"));
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);
    const QByteArray lockName = QFile::encodeName(own.program(".orvo_upc.ini.skarvel-lock"));
    if (privateLeftover) {
        QVERIFY(TempFolders::writeFile(QFile::decodeName(lockName), {}));
        QVERIFY(::chown(lockName.constData(), aThirdUser, aThirdUser) == 0);
        QVERIFY(::chmod(lockName.constData(), 0600) == 0);
    }
    QVERIFY(::chmod(QFile::encodeName(own.program()).constData(), mode_t(folderMode)) == 0);
    const NetworkFileSystemLocks locks(networkFileSystem);

    // Each writer exits with the number of its writes that reported success.
    QList<std::pair<QString, pid_t>> writers;
    for (const auto &[user, key] : {std::pair{nobody, "First"}, std::pair{someoneElse, "Second"}}) {
        const pid_t writer = fork();
        QVERIFY(writer >= 0);
        if (writer == 0) {
            if (!becameUser(user))
                ::_exit(255);
            int written = 0;
            for (int i = 1; i <= writes; ++i) {
                LockWaitBudget::renew();
                written += ProfileIni(path).write("ACPW", key + QString::number(i), "1") ? 1 : 0;
            }
            ::_exit(written);
        }
        writers.append({key, writer});
    }

    const ProfileIni ini(path);
    for (const auto &[key, writer] : writers) {
        const int written = exitCodeOf(writer);
        QVERIFY(written >= 0 && written <= writes);
        if (!networkFileSystem)
            QCOMPARE(written, writes);
        int kept = 0;
        for (int i = 1; i <= writes; ++i)
            kept += ini.read("ACPW", key + QString::number(i), "missing") == "1" ? 1 : 0;
        QCOMPARE(kept, written);
    }
    QCOMPARE(ini.read("ACPW", "Start", "missing"), QString("kept"));
    if (privateLeftover) {
        struct stat leftover
        {
        };
        QVERIFY(::lstat(lockName.constData(), &leftover) == 0);
        QCOMPARE(leftover.st_uid, aThirdUser);
        QCOMPARE(leftover.st_mode & 07777, mode_t(0600));
    } else {
        QCOMPARE(everyFile(own.program()), QStringList{"orvo_upc.ini"});
    }
}

// An older copy of the program, still running beside a newer one, locks the
// lock file alone, makes it when missing and removes it as it lets go; the
// newer copy holds that file too, so neither loses the other's key.
void TestProfileIni::olderCopyLockingTheFileAloneWaitsItsTurn()
{
    constexpr int writes = 300;
    const TempFolders own;
    const QString path = own.program("orvo_upc.ini");
    const QByteArray lockName = QFile::encodeName(own.program(".orvo_upc.ini.skarvel-lock"));
    QVERIFY(TempFolders::writeFile(path, "[ACPW]\r\nStart=kept\r\n"));

    const pid_t older = fork();
    QVERIFY(older >= 0);
    if (older == 0) {
        for (int i = 1; i <= writes; ++i) {
            int lock = -1;
            for (;;) {
                lock =
                    ::open(lockName.constData(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
                if (lock < 0 || flock(lock, LOCK_EX) != 0)
                    ::_exit(2);
                struct stat opened
                {
                };
                struct stat named
                {
                };
                if (fstat(lock, &opened) == 0 && ::lstat(lockName.constData(), &named) == 0 &&
                    opened.st_ino == named.st_ino)
                    break;
                ::close(lock);
            }
            QByteArray text = TempFolders::readFile(path);
            const qsizetype at = text.indexOf("\r\nOlder=");
            if (at >= 0)
                text.remove(at, text.indexOf("\r\n", at + 2) - at);
            text += "Older=" + QByteArray::number(i) + "\r\n";
            if (!TempFolders::writeFile(path + ".older", text) ||
                ::rename(QFile::encodeName(path + ".older").constData(),
                         QFile::encodeName(path).constData()) != 0)
                ::_exit(3);
            ::unlink(lockName.constData());
            ::close(lock);
        }
        ::_exit(0);
    }
    const pid_t newer = fork();
    QVERIFY(newer >= 0);
    if (newer == 0) {
        bool allWritten = true;
        for (int i = 1; i <= writes; ++i) {
            LockWaitBudget::renew();
            allWritten = ProfileIni(path).write("ACPW", "Newer", QString::number(i)) && allWritten;
        }
        ::_exit(allWritten ? 0 : 1);
    }
    QCOMPARE(exitCodeOf(older), 0);
    QCOMPARE(exitCodeOf(newer), 0);

    const ProfileIni ini(path);
    QCOMPARE(ini.read("ACPW", "Start", "missing"), QString("kept"));
    QCOMPARE(ini.read("ACPW", "Older", "missing"), QString::number(writes));
    QCOMPARE(ini.read("ACPW", "Newer", "missing"), QString::number(writes));
    QCOMPARE(everyFile(own.program()), QStringList{"orvo_upc.ini"});
}

// Another user's copy that finds the lock file must be able to open it: under
// umask 077 too, the file is never seen at its name with a mode that keeps
// others out.
void TestProfileIni::lockFileIsReadableByEveryUserWheneverItHasItsName()
{
    const TempFolders own;
    const QString path = own.program("orvo_upc.ini");
    const QByteArray lockName = QFile::encodeName(own.program(".orvo_upc.ini.skarvel-lock"));
    std::atomic<bool> done = false;
    std::atomic<int> seen = 0;
    std::atomic<int> otherModes = 0;
    std::thread watcher([&] {
        while (!done) {
            struct stat file
            {
            };
            if (::lstat(lockName.constData(), &file) == 0) {
                ++seen;
                if (file.st_mode != (S_IFREG | 0644))
                    ++otherModes;
            }
        }
    });

    const mode_t savedMask = ::umask(077);
    bool allWritten = true;
    for (int i = 1; i <= 300; ++i)
        allWritten = ProfileIni(path).write("ACPW", "Text2", QString::number(i)) && allWritten;
    ::umask(savedMask);
    done = true;
    watcher.join();

    QVERIFY(allWritten);
    QVERIFY(seen > 0);
    QCOMPARE(otherModes.load(), 0);
}

void TestProfileIni::writeKeepsTheFileMode_data()
{
    QTest::addColumn<int>("oldMode"); // -1: no file yet
    QTest::addColumn<int>("newMode");
    QTest::newRow("private settings file") << 0600 << 0600;
    QTest::newRow("read by the group") << 0640 << 0640;
    QTest::newRow("written by the group") << 0664 << 0664;
    QTest::newRow("written by all") << 0666 << 0666;
    QTest::newRow("new file takes the default") << -1 << 0644;
}

// Whoever made the settings file private, or shared it with a group, keeps it so
// after the program's next write.
void TestProfileIni::writeKeepsTheFileMode()
{
    QFETCH(int, oldMode);
    QFETCH(int, newMode);

    const TempFolders own;
    const QString path = own.program("orvo_upc.ini");
    if (oldMode >= 0) {
        QVERIFY(TempFolders::writeFile(path, "[ACPW]\r\nStart=kept\r\n"));
        QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(oldMode)) == 0);
    }
    const mode_t savedMask = ::umask(022);
    const bool written = ProfileIni(path).write("ACPW", "Text2", "0361");
    ::umask(savedMask);

    QVERIFY(written);
    QCOMPARE(ProfileIni(path).read("ACPW", "Text2", "missing"), QString("0361"));
    QCOMPARE(TempFolders::modeOf(path), newMode);
}

void TestProfileIni::fileReachedThroughALinkIsWritten_data()
{
    QTest::addColumn<QString>("linkTarget"); // relative to the program folder
    QTest::addColumn<bool>("chained");
    QTest::addColumn<bool>("fileThere");
    QTest::newRow("link with a full path") << "" << false << true;
    QTest::newRow("relative link") << "../drive/settings/orvo_upc.ini" << false << true;
    QTest::newRow("link to a link") << "" << true << true;
    QTest::newRow("link to a file not made yet") << "" << false << false;
}

// A settings file kept elsewhere and linked into the program folder stays linked,
// and the file the link names gets the keys.
void TestProfileIni::fileReachedThroughALinkIsWritten()
{
    QFETCH(QString, linkTarget);
    QFETCH(bool, chained);
    QFETCH(bool, fileThere);

    const TempFolders own;
    const QString real = own.drive("settings/orvo_upc.ini");
    QVERIFY(QDir().mkpath(own.drive("settings")));
    if (fileThere) {
        QVERIFY(TempFolders::writeFile(real, "[ACPW]\r\nStart=kept\r\n"));
        QVERIFY(::chmod(QFile::encodeName(real).constData(), 0600) == 0);
    }
    const QString link = own.program("orvo_upc.ini");
    const QString named = linkTarget.isEmpty() ? real : linkTarget;
    if (chained) {
        QVERIFY(QFile::link(real, own.drive("settings/link.ini")));
        QVERIFY(QFile::link(own.drive("settings/link.ini"), link));
    } else {
        QVERIFY(QFile::link(named, link));
    }

    QVERIFY(ProfileIni(link).write("ACPW", "Text2", "0361"));

    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(ProfileIni(real).read("ACPW", "Text2", "missing"), QString("0361"));
    if (fileThere) {
        QCOMPARE(ProfileIni(real).read("ACPW", "Start", "missing"), QString("kept"));
        QCOMPARE(TempFolders::modeOf(real), 0600);
    }
    QCOMPARE(everyFile(own.program()), QStringList{"orvo_upc.ini"});
    QStringList besideReal{"orvo_upc.ini"};
    if (chained)
        besideReal.prepend("link.ini");
    QCOMPARE(everyFile(own.drive("settings")), besideReal);
}

void TestProfileIni::longFileNamesAreWritten_data()
{
    QTest::addColumn<QString>("name");
    for (const int bytes : {241, 242, 250, 255})
        QTest::addRow("%d bytes", bytes) << QString(bytes - 4, 'u') + ".ini";
    QTest::newRow("85 Chinese characters") << QString(85, QChar(0x8BBE));
}

// The lock file and the new file beside a settings file are named after it; a
// name near the limit still leaves room for both.
void TestProfileIni::longFileNamesAreWritten()
{
    QFETCH(QString, name);
    const TempFolders own;
    const ProfileIni ini(own.program(name));
    QVERIFY(ini.write("ACPW", "Start", "kept"));
    QVERIFY(ini.write("ACPW", "Text2", "0361"));
    QCOMPARE(ini.read("ACPW", "Start", "missing"), QString("kept"));
    QCOMPARE(ini.read("ACPW", "Text2", "missing"), QString("0361"));
    QCOMPARE(everyFile(own.program()), QStringList{name});
}

QTEST_GUILESS_MAIN(TestProfileIni)
#include "tst_profile_ini.moc"
