#include "support/read_only_folder.h"
#include "support/temp_folders.h"
#include "support/xlsx_reader.h"
#include "upc/artwork_move.h"
#include "upc/package_run.h"

#include <QDir>
#include <QTest>

namespace {

const QString upcFolder = QStringLiteral("UPC-A (USA & Canada)");
const QString eanFolder = QStringLiteral("EAN-13 (Europe and Other Countries)");
const QString packageName = QStringLiteral("2014-03-12_093005-buyer-生成器UPC码2个");

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// Files named after codes 0..count-1, zero-padded to 12 digits, each holding its own name.
QStringList codeFiles(int count, const QString &ending)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QString("%1%2").arg(i, 12, 10, QChar('0')).arg(ending));
    return names;
}

bool fill(const QString &folder, const QStringList &names)
{
    QDir().mkpath(folder);
    for (const QString &name : names) {
        if (!TempFolders::writeFile(QDir(folder).filePath(name), name.toUtf8()))
            return false;
    }
    return true;
}

QStringList columnA(const QString &spreadsheet)
{
    QStringList codes;
    const auto cells = readSpreadsheetCells(spreadsheet);
    if (!cells)
        return {"no spreadsheet"};
    for (int row = 1; cells->contains({row, 1}); ++row)
        codes.append(cells->value({row, 1}));
    return codes;
}

PackageOrder generatorOrder(const QString &source, const QString &count)
{
    PackageOrder order;
    order.sourceFolder = source;
    order.packageName = packageName;
    order.sides = {{"Artwork", "UPC-A", "UPC - Spreadsheet - Excel.xls"}};
    order.countText = count;
    order.spreadsheetPattern = "*.gif";
    return order;
}

PackageOrder gs1Order(const QString &source, const QString &count)
{
    PackageOrder order;
    order.sourceFolder = source;
    order.packageName = packageName;
    order.sides = {{upcFolder + "/Artwork", upcFolder, "UPC - Spreadsheet - Excel.xls"},
                   {eanFolder + "/Artwork", eanFolder, "EAN - Spreadsheet - Excel.xls"}};
    order.filesPerCode = 3;
    order.countText = count;
    order.spreadsheetPattern = "*.jpg";
    return order;
}

} // namespace

class TestPackagerRun : public QObject
{
    Q_OBJECT

private slots:
    void movesTheLastFilesInNameOrder();
    void movesEveryFileForTheWholeCount();
    void refusesACountBeyondWhatIsLeft_data();
    void refusesACountBeyondWhatIsLeft();
    void refusesABuyerTextThatIsNoFolderName_data();
    void refusesABuyerTextThatIsNoFolderName();
    void refusesAMissingSource();
    void movesOtherFilesWithoutARow();
    void failedCopyKeepsTheSource();
    void moveReplacesAnOlderCopy();
    void gs1MovesThreeFilesACodeOnEachSide();
    void gs1MovesNothingWhenTheSidesDiffer_data();
    void gs1MovesNothingWhenTheSidesDiffer();
    void gs1MovesNothingWhenTheEanSideCannotBeMade();
};

void TestPackagerRun::movesTheLastFilesInNameOrder()
{
    TempFolders folders;
    const QString source = folders.program("orvoupc");
    QVERIFY(fill(source + "/Artwork", {"c.gif", "a.gif", "b.gif"}));

    const PackageOrder order = generatorOrder(source, "2");
    QCOMPARE(packOrder(order), PackOutcome::Packed);

    const QString package = source + '/' + packageName;
    QCOMPARE(entries(source + "/Artwork"), QStringList({"a.gif"}));
    QCOMPARE(entries(package), QStringList({"UPC-A"}));
    QCOMPARE(entries(package + "/UPC-A"),
             QStringList({"Artwork", "UPC - Spreadsheet - Excel.xls"}));
    QCOMPARE(entries(package + "/UPC-A/Artwork"), QStringList({"b.gif", "c.gif"}));
    QCOMPARE(TempFolders::readFile(package + "/UPC-A/Artwork/c.gif"), QByteArray("c.gif"));
    QCOMPARE(columnA(package + "/UPC-A/UPC - Spreadsheet - Excel.xls"), QStringList({"b", "c"}));
}

void TestPackagerRun::movesEveryFileForTheWholeCount()
{
    TempFolders folders;
    const QString source = folders.program("orvoupc");
    const QStringList codes = codeFiles(5, ".gif");
    QVERIFY(fill(source + "/Artwork", codes));

    QCOMPARE(packOrder(generatorOrder(source, "5")), PackOutcome::Packed);
    QCOMPARE(entries(source + "/Artwork"), QStringList());
    const QString upc = source + '/' + packageName + "/UPC-A";
    QCOMPARE(entries(upc + "/Artwork"), codes);
    QCOMPARE(columnA(upc + "/UPC - Spreadsheet - Excel.xls").first(), QString("000000000000"));
}

void TestPackagerRun::refusesACountBeyondWhatIsLeft_data()
{
    QTest::addColumn<QString>("count");
    QTest::newRow("one more than left") << "4";
    QTest::newRow("zero") << "0";
    QTest::newRow("empty") << "";
    QTest::newRow("no number") << "2x";
    QTest::newRow("negative") << "-1";
}

void TestPackagerRun::refusesACountBeyondWhatIsLeft()
{
    QFETCH(QString, count);
    TempFolders folders;
    const QString source = folders.program("orvoupc");
    QVERIFY(fill(source + "/Artwork", {"a.gif", "b.gif", "c.gif"}));

    QCOMPARE(packOrder(generatorOrder(source, count)), PackOutcome::CountError);
    QCOMPARE(entries(source + "/Artwork"), QStringList({"a.gif", "b.gif", "c.gif"}));
    // The package's folders stay behind, empty.
    QCOMPARE(entries(source + '/' + packageName + "/UPC-A"), QStringList({"Artwork"}));
    QCOMPARE(entries(source + '/' + packageName + "/UPC-A/Artwork"), QStringList());
}

void TestPackagerRun::refusesABuyerTextThatIsNoFolderName_data()
{
    QTest::addColumn<QString>("buyer");
    QTest::newRow("nested folders") << "shop/buyer";
    QTest::newRow("out of the source folder") << "../../elsewhere";
    QTest::newRow("backslash") << "shop\\buyer";
    QTest::newRow("colon") << "buyer:2";
    QTest::newRow("line break") << "buyer\r\n";
}

void TestPackagerRun::refusesABuyerTextThatIsNoFolderName()
{
    QFETCH(QString, buyer);
    TempFolders folders;
    const QString source = folders.program("orvoupc");
    QVERIFY(fill(source + "/Artwork", {"a.gif", "b.gif"}));

    PackageOrder order = generatorOrder(source, "1");
    order.packageName = "2014-03-12_093005-" + buyer + QStringLiteral("-生成器UPC码1个");
    QCOMPARE(packOrder(order), PackOutcome::CountError);
    QCOMPARE(entries(source), QStringList({"Artwork"}));
    QCOMPARE(entries(source + "/Artwork"), QStringList({"a.gif", "b.gif"}));
    QCOMPARE(entries(folders.program()), QStringList({"orvoupc"}));
}

void TestPackagerRun::refusesAMissingSource()
{
    TempFolders folders;
    const QString source = folders.program("orvoupc");
    QVERIFY(QDir().mkpath(source));
    QCOMPARE(packOrder(generatorOrder(source, "1")), PackOutcome::CountError);
}

void TestPackagerRun::movesOtherFilesWithoutARow()
{
    TempFolders folders;
    const QString source = folders.program("orvoupc");
    QVERIFY(fill(source + "/Artwork", {"1.gif", "123.45.gif", "9.txt"}));

    QCOMPARE(packOrder(generatorOrder(source, "2")), PackOutcome::Packed);
    const QString upc = source + '/' + packageName + "/UPC-A";
    QCOMPARE(entries(upc + "/Artwork"), QStringList({"123.45.gif", "9.txt"}));
    QCOMPARE(columnA(upc + "/UPC - Spreadsheet - Excel.xls"), QStringList({"123"}));
}

void TestPackagerRun::failedCopyKeepsTheSource()
{
    TempFolders folders;
    const QString source = folders.program("orvoupc");
    QVERIFY(fill(source + "/Artwork", {"a.gif", "b.gif", "c.gif"}));
    const QString artwork = source + '/' + packageName + "/UPC-A/Artwork";
    QVERIFY(QDir().mkpath(artwork));
    ReadOnlyFolder readOnly(artwork);
    if (!readOnly.isReadOnly())
        QSKIP("this file system cannot make a folder read-only");

    QCOMPARE(packOrder(generatorOrder(source, "2")), PackOutcome::Packed);
    QCOMPARE(entries(source + "/Artwork"), QStringList({"a.gif", "b.gif", "c.gif"}));
    QCOMPARE(entries(artwork), QStringList());
    QCOMPARE(TempFolders::readFile(source + "/Artwork/c.gif"), QByteArray("c.gif"));
}

void TestPackagerRun::moveReplacesAnOlderCopy()
{
    TempFolders folders;
    QVERIFY(TempFolders::writeFile(folders.program("from/1.gif"), "new picture"));
    QVERIFY(TempFolders::writeFile(folders.program("to/1.gif"), "old"));

    QVERIFY(moveFileSafely(folders.program("from/1.gif"), folders.program("to")));
    QCOMPARE(TempFolders::readFile(folders.program("to/1.gif")), QByteArray("new picture"));
    QCOMPARE(entries(folders.program("from")), QStringList());
    QCOMPARE(entries(folders.program("to")), QStringList({"1.gif"}));

    QVERIFY(!moveFileSafely(folders.program("from/absent.gif"), folders.program("to")));
    QVERIFY(TempFolders::writeFile(folders.program("from/2.gif"), "x"));
    QVERIFY(!moveFileSafely(folders.program("from/2.gif"), folders.program("absent")));
    QCOMPARE(entries(folders.program("from")), QStringList({"2.gif"}));
}

void TestPackagerRun::gs1MovesThreeFilesACodeOnEachSide()
{
    TempFolders folders;
    const QString pack = folders.program("pack");
    const QStringList upcFiles = codeFiles(30, ".jpg");
    QStringList eanFiles;
    for (const QString &name : upcFiles)
        eanFiles.append('0' + name);
    QVERIFY(fill(pack + '/' + upcFolder + "/Artwork", upcFiles));
    QVERIFY(fill(pack + '/' + eanFolder + "/Artwork", eanFiles));

    QCOMPARE(packOrder(gs1Order(pack, "2")), PackOutcome::Packed);

    const QString package = pack + '/' + packageName;
    QCOMPARE(entries(package), QStringList({eanFolder, upcFolder}));
    QCOMPARE(entries(package + '/' + upcFolder + "/Artwork"), upcFiles.mid(24));
    QCOMPARE(entries(package + '/' + eanFolder + "/Artwork"), eanFiles.mid(24));
    QCOMPARE(entries(pack + '/' + upcFolder + "/Artwork"), upcFiles.mid(0, 24));
    QCOMPARE(entries(pack + '/' + eanFolder + "/Artwork"), eanFiles.mid(0, 24));
    QCOMPARE(columnA(package + '/' + upcFolder + "/UPC - Spreadsheet - Excel.xls"),
             QStringList({"000000000024", "000000000025", "000000000026", "000000000027",
                          "000000000028", "000000000029"}));
    QCOMPARE(columnA(package + '/' + eanFolder + "/EAN - Spreadsheet - Excel.xls"),
             QStringList({"0000000000024", "0000000000025", "0000000000026", "0000000000027",
                          "0000000000028", "0000000000029"}));
}

void TestPackagerRun::gs1MovesNothingWhenTheSidesDiffer_data()
{
    QTest::addColumn<int>("eanFiles");
    QTest::addColumn<bool>("eanFolderThere");
    QTest::newRow("one file more on the UPC side") << 30 << true;
    QTest::newRow("no EAN artwork folder") << 0 << false;
}

void TestPackagerRun::gs1MovesNothingWhenTheSidesDiffer()
{
    QFETCH(int, eanFiles);
    QFETCH(bool, eanFolderThere);
    TempFolders folders;
    const QString pack = folders.program("pack");
    QVERIFY(fill(pack + '/' + upcFolder + "/Artwork", codeFiles(31, ".jpg")));
    if (eanFolderThere)
        QVERIFY(fill(pack + '/' + eanFolder + "/Artwork", codeFiles(eanFiles, ".jpg")));

    QCOMPARE(packOrder(gs1Order(pack, "2")), PackOutcome::CountsDiffer);
    QCOMPARE(entries(pack + '/' + upcFolder + "/Artwork").size(), 31);
    QCOMPARE(entries(pack + '/' + eanFolder + "/Artwork").size(), eanFiles);
    QCOMPARE(entries(pack + '/' + packageName + '/' + upcFolder + "/Artwork"), QStringList());
}

void TestPackagerRun::gs1MovesNothingWhenTheEanSideCannotBeMade()
{
    TempFolders folders;
    const QString pack = folders.program("pack");
    QVERIFY(fill(pack + '/' + upcFolder + "/Artwork", codeFiles(6, ".jpg")));
    QVERIFY(fill(pack + '/' + eanFolder + "/Artwork", codeFiles(6, ".jpg")));
    // A file where the package's EAN folder belongs keeps that folder from being made.
    QVERIFY(TempFolders::writeFile(pack + '/' + packageName + '/' + eanFolder, "x"));

    QCOMPARE(packOrder(gs1Order(pack, "1")), PackOutcome::CountError);
    QCOMPARE(entries(pack + '/' + upcFolder + "/Artwork").size(), 6);
    QCOMPARE(entries(pack + '/' + eanFolder + "/Artwork").size(), 6);
    QCOMPARE(entries(pack + '/' + packageName + '/' + upcFolder + "/Artwork"), QStringList());
}

QTEST_GUILESS_MAIN(TestPackagerRun)
#include "tst_packager_run.moc"
