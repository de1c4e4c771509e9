#include "platform/code_page.h"
#include "platform/profile_ini.h"
#include "support/file_size_limit.h"
#include "support/temp_folders.h"

#include <QFile>
#include <QTest>

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

QTEST_GUILESS_MAIN(TestProfileIni)
#include "tst_profile_ini.moc"
