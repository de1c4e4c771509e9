#include "platform/code_page.h"
#include "platform/profile_ini.h"
#include "platform/target_lock.h"
#include "support/file_size_limit.h"
#include "support/temp_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QStringList everyFile(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

bool exitedWell(pid_t child)
{
    int status = -1;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

class TestProfileIni : public QObject
{
    Q_OBJECT

private slots:
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
    void failedWriteLeavesOldFileWhole();
    void twoProcessesWritingOneFileKeepEveryKey();
    void lockOfAKilledWriterIsTakenOver_data();
    void lockOfAKilledWriterIsTakenOver();
    void writeKeepsTheFileMode_data();
    void writeKeepsTheFileMode();
    void fileReachedThroughALinkIsWritten_data();
    void fileReachedThroughALinkIsWritten();
    void longFileNamesAreWritten_data();
    void longFileNamesAreWritten();

private:
    TempFolders folders;
};

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

void TestProfileIni::failedWriteLeavesOldFileWhole()
{
    const QString path = folders.program("full.ini");
    QVERIFY(TempFolders::writeFile(path, "[ACPW]\r\nA=1\r\n"));

    bool written = false;
    {
        const FileSizeLimit limit(64);
        written = ProfileIni(path).write("ACPW", "A", QString(200, 'x'));
    }

    QVERIFY(!written);
    QCOMPARE(TempFolders::readFile(path), QByteArray("[ACPW]\r\nA=1\r\n"));
}

// Two copies of the program, run by two users of one computer, share the settings
// file of the program folder; as with the Windows profile functions, neither may
// lose a key the other wrote, nor one written before both.
void TestProfileIni::twoProcessesWritingOneFileKeepEveryKey()
{
    constexpr int writes = 300;
    const TempFolders own;
    const QString path = own.program("orvo_upc.ini");
    QVERIFY(ProfileIni(path).write("ACPW", "Start", "kept"));

    QList<pid_t> writers;
    for (const char *key : {"First", "Second"}) {
        const pid_t writer = fork();
        QVERIFY(writer >= 0);
        if (writer == 0) {
            bool allWritten = true;
            for (int i = 1; i <= writes; ++i)
                allWritten = ProfileIni(path).write("ACPW", key, QString::number(i)) && allWritten;
            ::_exit(allWritten ? 0 : 1);
        }
        writers.append(writer);
    }
    for (const pid_t writer : writers)
        QVERIFY(exitedWell(writer));

    const ProfileIni ini(path);
    QCOMPARE(ini.read("ACPW", "Start", "missing"), QString("kept"));
    QCOMPARE(ini.read("ACPW", "First", "missing"), QString::number(writes));
    QCOMPARE(ini.read("ACPW", "Second", "missing"), QString::number(writes));
    QCOMPARE(everyFile(own.program()), QStringList{"orvo_upc.ini"});
}

void TestProfileIni::lockOfAKilledWriterIsTakenOver_data()
{
    QTest::addColumn<bool>("otherUser");
    QTest::newRow("by the same user") << false;
    QTest::newRow("by another user of the program folder") << true;
}

// A writer killed while it holds the lock leaves its lock file; the next writer,
// whoever runs it, neither waits for ever nor leaves the file behind.
void TestProfileIni::lockOfAKilledWriterIsTakenOver()
{
    QFETCH(bool, otherUser);
    if (otherUser && geteuid() != 0)
        QSKIP("needs the rights to run a writer as another user");

    const TempFolders own;
    const QString path = own.program("orvo_upc.ini");
    QVERIFY(TempFolders::writeFile(path, "[ACPW]\r\nStart=kept\r\n"));
    QVERIFY(::chmod(QFile::encodeName(QFileInfo(own.program()).path()).constData(), 0711) == 0);
    QVERIFY(::chmod(QFile::encodeName(own.program()).constData(), 0777) == 0);
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0666) == 0);

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

    const pid_t next = fork();
    QVERIFY(next >= 0);
    if (next == 0) {
        if (otherUser && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        ::_exit(ProfileIni(path).write("ACPW", "Next", "written") ? 0 : 1);
    }
    QVERIFY(exitedWell(next));
    const ProfileIni ini(path);
    QCOMPARE(ini.read("ACPW", "Next", "missing"), QString("written"));
    QCOMPARE(ini.read("ACPW", "Start", "missing"), QString("kept"));
    QCOMPARE(everyFile(own.program()), QStringList{"orvo_upc.ini"});
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
