#include "platform/workbook.h"
#include "support/temp_folders.h"
#include "support/xlsx_reader.h"

#include <QDir>
#include <QFile>
#include <QTest>

class TestWorkbook : public QObject
{
    Q_OBJECT

private slots:
    void savesTextCellsUnderTheGivenName();
    void replacesAnOldFile();
    void failedSaveWritesNothing();
};

void TestWorkbook::savesTextCellsUnderTheGivenName()
{
    TempFolders folders;
    Workbook book;
    book.setCell(1, 1, "036000291452");
    book.setCell(2, 1, "000000000017");
    book.setCell(3, 2, QStringLiteral("买家"));
    const QString name = folders.program("UPC - Spreadsheet - Excel.xls");
    QVERIFY(book.SaveAs(name));

    const auto cells = readSpreadsheetCells(name);
    QVERIFY(cells);
    QCOMPARE(cells->value({1, 1}), QString("036000291452"));
    QCOMPARE(cells->value({2, 1}), QString("000000000017"));
    QCOMPARE(cells->value({3, 2}), QStringLiteral("买家"));
    QCOMPARE(QDir(folders.program()).entryList(QDir::Files | QDir::Hidden),
             QStringList({"UPC - Spreadsheet - Excel.xls"}));
}

void TestWorkbook::replacesAnOldFile()
{
    TempFolders folders;
    const QString name = folders.program("book.xls");
    QVERIFY(TempFolders::writeFile(name, "old"));
    Workbook book;
    book.setCell(1, 1, "new");
    QVERIFY(book.SaveAs(name));
    QCOMPARE(readSpreadsheetCells(name)->value({1, 1}), QString("new"));
}

void TestWorkbook::failedSaveWritesNothing()
{
    TempFolders folders;
    Workbook book;
    book.setCell(1, 1, "x");
    QVERIFY(!book.SaveAs(folders.program("absent/book.xls")));
    QVERIFY(!QFile::exists(folders.program("absent")));
}

QTEST_GUILESS_MAIN(TestWorkbook)
#include "tst_workbook.moc"
