#include "platform/code_page.h"
#include "platform/controls/list_view.h"
#include "qqgroups/list_export.h"
#include "support/temp_folders.h"
#include "support/test_main.h"

class TstListExport : public QObject
{
    Q_OBJECT
private slots:
    void fixedLength_data();
    void fixedLength();
    void cellsAreReadAsAnAnsiProgramReadsThem_data();
    void cellsAreReadAsAnAnsiProgramReadsThem();
    void exportWritesEveryColumnOfEveryRow();
    void exportOfAnEmptyListWritesNothing();
};

void TstListExport::fixedLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("fixed");

    QTest::newRow("latin padded") << "Tom" << 8 << "Tom     ";
    QTest::newRow("chinese counts two bytes") << "张三" << 8 << "张三    ";
    QTest::newRow("three chinese, two bytes left") << "卖家群" << 8 << "卖家群  ";
    QTest::newRow("exactly the width") << "欧阳娜娜" << 8 << "欧阳娜娜";
    QTest::newRow("longer is never cut") << "亚马逊运营" << 8 << "亚马逊运营";
    QTest::newRow("one byte short") << "1234567" << 8 << "1234567 ";
    QTest::newRow("blanks around dropped") << "  Tom  " << 8 << "Tom     ";
    QTest::newRow("tabs are no blanks") << "\tA" << 8 << "\tA      ";
    QTest::newRow("blank only gives empty, unpadded") << "   " << 8 << "";
    QTest::newRow("empty stays empty") << "" << 8 << "";
    QTest::newRow("no width, no padding") << "Tom" << 0 << "Tom";
    QTest::newRow("negative width, no padding") << "Tom" << -3 << "Tom";
    QTest::newRow("a character GBK lacks counts one") << "한" << 8 << "한       ";
}

void TstListExport::fixedLength()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, fixed);
    QCOMPARE(SetStringFixedLength(text, width), fixed);
}

void TstListExport::cellsAreReadAsAnAnsiProgramReadsThem_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QString>("read");

    QTest::newRow("plain") << "\t10001\t"
                           << "\t10001\t";
    QTest::newRow("a character GBK lacks") << "A한B"
                                           << "A?B";
    QTest::newRow("1023 bytes fit") << QString(1023, 'x') << QString(1023, 'x');
    QTest::newRow("cut to 1023 bytes") << QString(1500, 'x') << QString(1023, 'x');
    QTest::newRow("never half a character")
        << QString(1021, 'x') + "张三" << QString(1021, 'x') + "张";
    QTest::newRow("chinese cut at a whole character")
        << QString(600, QChar(0x5F20)) << QString(511, QChar(0x5F20));
}

void TstListExport::cellsAreReadAsAnAnsiProgramReadsThem()
{
    QFETCH(QString, cell);
    QFETCH(QString, read);
    QWidget window;
    ListView list(&window, "ListView2");
    list.addColumn("群昵称", 1000);
    list.addColumn("QQ号码", 1100);
    list.addRow("row");
    list.setSubItem(0, 1, cell);

    QCOMPARE(ansiCellText(list, 0, 1), read);
}

void TstListExport::exportWritesEveryColumnOfEveryRow()
{
    TempFolders folders;
    QWidget window;
    ListView list(&window, "ListView1");
    list.addColumn("群名称", 2500);
    list.addColumn("群号码", 1500);
    list.addColumn("状态", 1000);
    list.addRow("张三");
    list.setSubItem(0, 1, "\t1");
    list.addRow(" x ");
    const QString path = folders.profile("cache.txt");

    QCOMPARE(ExportListViewContent(list, path), ExportResult::Written);

    // Cells the rows never set are empty; every line ends in CR LF.
    QCOMPARE(TempFolders::readFile(path), encodeAnsi("张三       \t1   \r\n"
                                                     "x             \r\n"));
    QCOMPARE(ExportListViewContent(list, folders.profile("missing folder/cache.txt")),
             ExportResult::WriteFailed);
}

void TstListExport::exportOfAnEmptyListWritesNothing()
{
    TempFolders folders;
    QWidget window;
    ListView list(&window, "ListView1");
    list.addColumn("群名称", 2500);
    const QString path = folders.profile("cache.txt");
    QVERIFY(TempFolders::writeFile(path, "earlier"));

    QCOMPARE(ExportListViewContent(list, path), ExportResult::EmptyList);

    QCOMPARE(TempFolders::readFile(path), QByteArray("earlier"));
}

SKARVEL_TEST_MAIN(TstListExport)
#include "tst_list_export.moc"
