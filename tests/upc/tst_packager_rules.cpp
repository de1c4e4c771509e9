#include "support/temp_folders.h"
#include "upc/code_spreadsheet.h"
#include "upc/package_count.h"
#include "upc/package_name.h"
#include "upc/package_run.h"

#include <QDir>
#include <QTest>

class TestPackagerRules : public QObject
{
    Q_OBJECT

private slots:
    void folderName_data();
    void folderName();
    void folderNamePart_data();
    void folderNamePart();
    void firstPosition_data();
    void firstPosition();
    void codesLeft_data();
    void codesLeft();
    void countsPlainFilesOnly();
    void codesComeFromNamesUpToTheFirstDot();
};

void TestPackagerRules::folderName_data()
{
    QTest::addColumn<QString>("buyer");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("name");

    QTest::newRow("generator") << "buyer" << QStringLiteral("生成器UPC码") << "10"
                               << QStringLiteral("2014-03-12_093005-buyer-生成器UPC码10个");
    QTest::newRow("gs1") << QStringLiteral("小李") << QStringLiteral("GS1授权UPC码") << "2"
                         << QStringLiteral("2014-03-12_093005-小李-GS1授权UPC码2个");
    QTest::newRow("empty count") << "buyer" << QStringLiteral("生成器UPC码") << ""
                                 << QStringLiteral("2014-03-12_093005-buyer-生成器UPC码个");
}

void TestPackagerRules::folderName()
{
    QFETCH(QString, buyer);
    QFETCH(QString, word);
    QFETCH(QString, count);
    QFETCH(QString, name);
    const QDateTime when(QDate(2014, 3, 12), QTime(9, 30, 5));
    QCOMPARE(packageFolderName(when, buyer, word, count), name);
}

void TestPackagerRules::folderNamePart_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("latin") << "buyer-2" << true;
    QTest::newRow("chinese and blanks") << QStringLiteral("小李 的店") << true;
    QTest::newRow("dots inside") << "a..b" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("parent") << ".." << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("leaves the folder") << "../../x" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    for (const char *c : {"<", ">", ":", "\"", "|", "?", "*"})
        QTest::newRow(c) << QString("a%1b").arg(c) << false;
    QTest::newRow("tab") << "a\tb" << false;
    QTest::newRow("line feed") << "a\nb" << false;
    QTest::newRow("delete") << "a\x7f" << false;
}

void TestPackagerRules::folderNamePart()
{
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QCOMPARE(isFolderNamePart(text), accepted);
}

void TestPackagerRules::firstPosition_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("filesPerCode");
    QTest::addColumn<double>("first");

    QTest::newRow("last ten of 25") << 25 << "10" << 1 << 16.0;
    QTest::newRow("all of them") << 25 << "25" << 1 << 1.0;
    QTest::newRow("one too many") << 25 << "26" << 1 << 0.0;
    QTest::newRow("blanks around") << 25 << " 10 " << 1 << 16.0;
    QTest::newRow("half goes to even up") << 25 << "2.5" << 1 << 24.0;
    QTest::newRow("half goes to even down") << 10 << "0.5" << 1 << 10.0;
    QTest::newRow("empty") << 25 << "" << 1 << 0.0;
    QTest::newRow("letters") << 25 << "abc" << 1 << 0.0;
    QTest::newRow("digits then letters") << 25 << "2a" << 1 << 0.0;
    QTest::newRow("three files a code") << 30 << "2" << 3 << 25.0;
    QTest::newRow("eleven of ten codes") << 30 << "11" << 3 << -2.0;
}

void TestPackagerRules::firstPosition()
{
    QFETCH(int, files);
    QFETCH(QString, count);
    QFETCH(int, filesPerCode);
    QFETCH(double, first);
    QCOMPARE(::firstPosition(files, count, filesPerCode), first);
}

void TestPackagerRules::codesLeft_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("filesPerCode");
    QTest::addColumn<QString>("text");

    QTest::newRow("one file a code") << 25 << 1 << QStringLiteral("25个");
    QTest::newRow("none left") << 0 << 1 << QStringLiteral("0个");
    QTest::newRow("whole codes") << 30 << 3 << QStringLiteral("10个");
    QTest::newRow("a part code") << 31 << 3 << QStringLiteral("10.3333333333333个");
}

void TestPackagerRules::codesLeft()
{
    QFETCH(int, files);
    QFETCH(int, filesPerCode);
    QFETCH(QString, text);
    QCOMPARE(codesLeftText(files, filesPerCode), text);
}

void TestPackagerRules::countsPlainFilesOnly()
{
    TempFolders folders;
    for (const char *name : {"1.gif", "2.jpg", "README", ".hidden"})
        QVERIFY(TempFolders::writeFile(folders.program(name), "x"));
    QVERIFY(QDir(folders.program()).mkdir("sub"));
    QCOMPARE(GetFileCount(folders.program(), "*.*"), 3);
    QCOMPARE(GetFileCount(folders.program("absent"), "*.*"), 0);
    QVERIFY(entryExists(folders.program("README")));
    QVERIFY(!entryExists(folders.program("absent")));
    QVERIFY(!entryExists(""));
}

void TestPackagerRules::codesComeFromNamesUpToTheFirstDot()
{
    TempFolders folders;
    for (const char *name : {"0123.gif", "123.45.gif", "B.GIF", "note.txt", "9.jpg"})
        QVERIFY(TempFolders::writeFile(folders.program(name), "x"));
    QCOMPARE(artworkCodes(folders.program(), "*.gif"), QStringList({"0123", "123", "B"}));
    QCOMPARE(artworkCodes(folders.program(), "*.jpg"), QStringList({"9"}));
    QCOMPARE(artworkCodes(folders.program("absent"), "*.gif"), QStringList());
}

QTEST_GUILESS_MAIN(TestPackagerRules)
#include "tst_packager_rules.moc"
