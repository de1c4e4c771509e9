#include "platform/file_list.h"
#include "support/temp_folders.h"

#include <QDir>
#include <QTest>

class TestFileList : public QObject
{
    Q_OBJECT

private slots:
    void matchesLikeWindows_data();
    void matchesLikeWindows();
    void listsPlainFilesInNameOrder();
    void missingFolderIsNoList();
};

void TestFileList::matchesLikeWindows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<bool>("matches");

    QTest::newRow("extension") << "036000291452.gif"
                               << "*.gif" << true;
    QTest::newRow("extension in another case") << "036000291452.GIF"
                                               << "*.gif" << true;
    QTest::newRow("other extension") << "036000291452.jpg"
                                     << "*.gif" << false;
    QTest::newRow("all with a dot") << "a.txt"
                                    << "*.*" << true;
    QTest::newRow("all without a dot") << "README"
                                       << "*.*" << true;
    QTest::newRow("question mark") << "a1.jpg"
                                   << "a?.jpg" << true;
    QTest::newRow("question mark needs a character") << "a.jpg"
                                                     << "a?.jpg" << false;
    QTest::newRow("dot is literal") << "axgif"
                                    << "*.gif" << false;
    QTest::newRow("name.* takes the bare name") << "code"
                                                << "code.*" << true;
    QTest::newRow("name.* is no prefix") << "codes"
                                         << "code.*" << false;
}

void TestFileList::matchesLikeWindows()
{
    QFETCH(QString, name);
    QFETCH(QString, pattern);
    QFETCH(bool, matches);
    QCOMPARE(matchesWindowsPattern(name, pattern), matches);
}

void TestFileList::listsPlainFilesInNameOrder()
{
    TempFolders folders;
    for (const char *name : {"b.gif", "A.gif", "c.GIF", ".hidden.gif", "note.txt"})
        QVERIFY(TempFolders::writeFile(folders.program(name), "x"));
    QDir(folders.program()).mkdir("folder.gif");

    const auto names = listFiles(folders.program(), "*.gif");
    QVERIFY(names);
    QCOMPARE(*names, QStringList({"A.gif", "b.gif", "c.GIF"}));
}

void TestFileList::missingFolderIsNoList()
{
    TempFolders folders;
    QVERIFY(!listFiles(folders.program("absent"), "*.*"));
    QVERIFY(!listFiles(QString(), "*.*"));
}

QTEST_GUILESS_MAIN(TestFileList)
#include "tst_file_list.moc"
