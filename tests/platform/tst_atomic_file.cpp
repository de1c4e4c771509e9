#include "platform/atomic_file.h"
#include "support/file_size_limit.h"
#include "support/temp_folders.h"

#include <QDir>
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

} // namespace

class TestAtomicFile : public QObject
{
    Q_OBJECT

private slots:
    void leftoverOfACrashedWriteIsGone_data();
    void leftoverOfACrashedWriteIsGone();
    void fileOfAKilledWriterIsGoneAfterTheNextWrite();
    void nestedWritersOfOneFileEachWriteWhole();
    void failedWriteLeavesOnlyTheOldFile_data();
    void failedWriteLeavesOnlyTheOldFile();
    void longNamesAreWrittenAndTheirLeftoversRemoved_data();
    void longNamesAreWrittenAndTheirLeftoversRemoved();
    void nothingPlantedAtTheTemporaryNameIsWrittenThrough_data();
    void nothingPlantedAtTheTemporaryNameIsWrittenThrough();
};

void TestAtomicFile::leftoverOfACrashedWriteIsGone_data()
{
    QTest::addColumn<QString>("leftover");
    QTest::newRow("of a write alone") << ".orvo_upc.ini.skarvel-tmp0";
    QTest::newRow("of a nested write") << ".orvo_upc.ini.skarvel-tmp3";
}

void TestAtomicFile::leftoverOfACrashedWriteIsGone()
{
    QFETCH(QString, leftover);
    TempFolders folders;
    const QString target = folders.program("orvo_upc.ini");
    QVERIFY(TempFolders::writeFile(target, "[ACPW]\r\nA=1\r\n"));
    QVERIFY(TempFolders::writeFile(folders.program(leftover), "[ACPW]\r\nA=half a fi"));

    QVERIFY(writeFileAtomically(target, "[ACPW]\r\nA=2\r\n"));
    QCOMPARE(TempFolders::readFile(target), QByteArray("[ACPW]\r\nA=2\r\n"));
    QCOMPARE(everyFile(folders.program()), QStringList{"orvo_upc.ini"});
}

void TestAtomicFile::fileOfAKilledWriterIsGoneAfterTheNextWrite()
{
    TempFolders folders;
    const QString target = folders.program("suggestkeywords.txt");
    QVERIFY(TempFolders::writeFile(target, "old\r\n"));

    const pid_t writer = fork();
    QVERIFY(writer >= 0);
    if (writer == 0) {
        AtomicFile file(target);
        if (file.open() && file.write("half of the"))
            ::kill(::getpid(), SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    QCOMPARE(::waitpid(writer, &status, 0), writer);
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(everyFile(folders.program()).size(), 2);

    QVERIFY(writeFileAtomically(target, "new\r\n"));
    QCOMPARE(TempFolders::readFile(target), QByteArray("new\r\n"));
    QCOMPARE(everyFile(folders.program()), QStringList{"suggestkeywords.txt"});
}

// A wait that runs events can run a handler that writes the same file while an
// outer write of it is under way; neither may spoil the other's file.
void TestAtomicFile::nestedWritersOfOneFileEachWriteWhole()
{
    TempFolders folders;
    const QString target = folders.program("1.gif");
    AtomicFile outer(target);
    QVERIFY(outer.open());
    QVERIFY(outer.write("outer picture"));

    QVERIFY(writeFileAtomically(target, "inner picture"));
    QCOMPARE(TempFolders::readFile(target), QByteArray("inner picture"));
    QVERIFY(QFile::exists(outer.temporaryPath()));

    QVERIFY(outer.commit());
    QCOMPARE(TempFolders::readFile(target), QByteArray("outer picture"));
    QCOMPARE(everyFile(folders.program()), QStringList{"1.gif"});
}

void TestAtomicFile::failedWriteLeavesOnlyTheOldFile_data()
{
    QTest::addColumn<bool>("sizeLimit");
    QTest::newRow("abandoned before the commit") << false;
    QTest::newRow("cut short by a size limit") << true;
}

void TestAtomicFile::failedWriteLeavesOnlyTheOldFile()
{
    QFETCH(bool, sizeLimit);
    TempFolders folders;
    const QString target = folders.program("1.gif");
    QVERIFY(TempFolders::writeFile(target, "old picture"));
    {
        AtomicFile file(target);
        QVERIFY(file.open());
        if (sizeLimit) {
            const FileSizeLimit limit(64);
            QVERIFY(!(file.write(QByteArray(200, 'x')) && file.commit()));
        } else {
            QVERIFY(file.write(QByteArray(200, 'x')));
        }
    }
    QCOMPARE(TempFolders::readFile(target), QByteArray("old picture"));
    QCOMPARE(everyFile(folders.program()), QStringList{"1.gif"});
}

void TestAtomicFile::longNamesAreWrittenAndTheirLeftoversRemoved_data()
{
    QTest::addColumn<QString>("name");
    for (int bytes = 240; bytes <= 255; ++bytes)
        QTest::addRow("%d bytes", bytes) << QString(bytes - 4, 'p') + ".gif";
    const QChar picture(0x56FE);
    QTest::newRow("79 Chinese characters and .gif, 241 bytes") << QString(79, picture) + ".gif";
    QTest::newRow("80 Chinese characters and .gif, 244 bytes") << QString(80, picture) + ".gif";
    QTest::newRow("83 Chinese characters and .gif, 253 bytes") << QString(83, picture) + ".gif";
    QTest::newRow("84 Chinese characters and .gi, 255 bytes") << QString(84, picture) + ".gi";
    QTest::newRow("85 Chinese characters, 255 bytes") << QString(85, picture);
    QTest::newRow("Chinese after 230 ASCII bytes, 254 bytes")
        << QString(230, 'p') + QString(8, picture);
}

// An artwork file may be named up to the 255-byte limit; the file beside it still
// fits, stays hidden, and what a killed writer left there is found again.
void TestAtomicFile::longNamesAreWrittenAndTheirLeftoversRemoved()
{
    QFETCH(QString, name);
    TempFolders folders;
    const QString target = folders.program(name);
    QVERIFY(TempFolders::writeFile(target, "old picture"));

    QString leftover;
    {
        AtomicFile killed(target);
        QVERIFY(killed.open());
        leftover = killed.temporaryPath();
    }
    const QString leftoverName = QFileInfo(leftover).fileName();
    QVERIFY(leftoverName.startsWith('.' + name.left(40)));
    QVERIFY(!leftoverName.contains(QChar::ReplacementCharacter));
    QVERIFY(TempFolders::writeFile(leftover, "half a pic"));

    AtomicFile outer(target);
    QVERIFY(outer.open());
    QVERIFY(outer.write("outer picture"));
    QVERIFY(writeFileAtomically(target, "inner picture"));
    QCOMPARE(TempFolders::readFile(target), QByteArray("inner picture"));
    QVERIFY(outer.commit());
    QCOMPARE(TempFolders::readFile(target), QByteArray("outer picture"));
    QCOMPARE(everyFile(folders.program()), QStringList{name});
}

enum Planted { HardLink, SymbolicLink, Fifo, Folder };

void TestAtomicFile::nothingPlantedAtTheTemporaryNameIsWrittenThrough_data()
{
    QTest::addColumn<int>("planted");
    QTest::newRow("hard link to a private file") << int(HardLink);
    QTest::newRow("symbolic link to a private file") << int(SymbolicLink);
    QTest::newRow("FIFO") << int(Fifo);
    QTest::newRow("folder") << int(Folder);
}

// Whatever stands at the name where the new file is made, the write makes a file
// of its own, and a file elsewhere that a link names keeps its content and mode.
void TestAtomicFile::nothingPlantedAtTheTemporaryNameIsWrittenThrough()
{
    QFETCH(int, planted);
    TempFolders folders;
    const QString target = folders.program("1.gif");
    QVERIFY(TempFolders::writeFile(target, "old picture"));
    const QString linked = folders.drive("private.txt");
    QVERIFY(TempFolders::writeFile(linked, "private\r\n"));
    QVERIFY(::chmod(QFile::encodeName(linked).constData(), 0600) == 0);
    const QByteArray linkedName = QFile::encodeName(linked);
    const QByteArray temporary = QFile::encodeName(folders.program(".1.gif.skarvel-tmp0"));
    switch (planted) {
    case HardLink:
        QVERIFY(::link(linkedName.constData(), temporary.constData()) == 0);
        break;
    case SymbolicLink:
        QVERIFY(::symlink(linkedName.constData(), temporary.constData()) == 0);
        break;
    case Fifo:
        QVERIFY(::mkfifo(temporary.constData(), 0644) == 0);
        break;
    default:
        QVERIFY(::mkdir(temporary.constData(), 0755) == 0);
    }

    QVERIFY(writeFileAtomically(target, "new picture"));
    QCOMPARE(TempFolders::readFile(target), QByteArray("new picture"));
    QCOMPARE(TempFolders::readFile(linked), QByteArray("private\r\n"));
    QCOMPARE(TempFolders::modeOf(linked), 0600);
    QVERIFY(!QFileInfo(target).isSymLink());
}

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "tst_atomic_file.moc"
