#include "upc/barcode_service.h"
#include "upc/code_list.h"
#include "upc/code_type_table.h"
#include "upc/flag_digits.h"
#include "upc/upc_generation.h"

#include <QTest>
#include <limits>

namespace {

const CodeType &type(const QString &name)
{
    const CodeType *found = findCodeType(name);
    if (!found)
        qFatal("no code type %s", qPrintable(name));
    return *found;
}

QString joined(const QStringList &codes)
{
    return codes.join(QStringLiteral("\r\n"));
}

} // namespace

class TestGeneratorRules : public QObject
{
    Q_OBJECT

private slots:
    void codeTypes_data();
    void codeTypes();
    void unknownTypeNames_data();
    void unknownTypeNames();
    void generation_data();
    void generation();
    void runsEndWhateverTheValues_data();
    void runsEndWhateverTheValues();
    void publishedCheckDigits_data();
    void publishedCheckDigits();
    void digitsOfFractions_data();
    void digitsOfFractions();
    void lockMarkers_data();
    void lockMarkers();
    void previousPosition_data();
    void previousPosition();
    void nextPosition_data();
    void nextPosition();
    void continuedProductCode_data();
    void continuedProductCode();
    void digitCodes_data();
    void digitCodes();
    void howToTextLines();
    void requestAddress();
    void pictureName_data();
    void pictureName();
};

void TestGeneratorRules::codeTypes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("codeWidth");
    QTest::addColumn<int>("manufacturerWidth");
    QTest::addColumn<int>("productWidth");
    QTest::addColumn<int>("productFirst");
    QTest::addColumn<int>("stride");
    QTest::addColumn<bool>("hasBarcode");

    QTest::newRow("8 digits") << QStringLiteral("UPC-8位") << 8 << 3 << 3 << 5 << 10 << false;
    QTest::newRow("12 digits") << QStringLiteral("UPC-12位") << 12 << 5 << 5 << 7 << 14 << true;
    QTest::newRow("13 digits") << QStringLiteral("UPC-13位") << 13 << 6 << 5 << 8 << 15 << false;
    QTest::newRow("14 digits") << QStringLiteral("UPC-14位") << 14 << 6 << 6 << 8 << 16 << false;
}

void TestGeneratorRules::codeTypes()
{
    QFETCH(QString, name);
    const CodeType &row = type(name);
    QTEST(row.codeWidth, "codeWidth");
    QTEST(row.manufacturerWidth, "manufacturerWidth");
    QTEST(row.productWidth, "productWidth");
    QTEST(row.productFirst(), "productFirst");
    QTEST(row.stride(), "stride");
    QTEST(row.hasBarcode, "hasBarcode");
    QCOMPARE(row.codeWidth, 1 + row.manufacturerWidth + row.productWidth + 1);
}

void TestGeneratorRules::unknownTypeNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty") << QString();
    QTest::newRow("trailing blank") << QStringLiteral("UPC-12位 ");
    QTest::newRow("lower case") << QStringLiteral("upc-12位");
    QTest::newRow("no such width") << QStringLiteral("UPC-10位");
}

void TestGeneratorRules::unknownTypeNames()
{
    QFETCH(QString, name);
    QVERIFY(!findCodeType(name));
}

void TestGeneratorRules::generation_data()
{
    QTest::addColumn<QString>("typeName");
    QTest::addColumn<double>("flag");
    QTest::addColumn<double>("manufacturer");
    QTest::addColumn<double>("product");
    QTest::addColumn<double>("count");
    QTest::addColumn<double>("interval");
    QTest::addColumn<QString>("run");

    const QString upc12 = QStringLiteral("UPC-12位");
    QTest::newRow("12 digits, three codes")
        << upc12 << 0.0 << 36000.0 << 29145.0 << 3.0 << 1.0
        << joined({"036000291452", "036000291469", "036000291476"});
    QTest::newRow("13 digits") << QStringLiteral("UPC-13位") << 4.0 << 6381.0 << 33393.0 << 1.0
                               << 1.0 << "4006381333931";
    QTest::newRow("8 digits") << QStringLiteral("UPC-8位") << 9.0 << 638.0 << 507.0 << 1.0 << 1.0
                              << "96385074";
    QTest::newRow("14 digits") << QStringLiteral("UPC-14位") << 1.0 << 1234.0 << 678901.0 << 2.0
                               << 1.0 << joined({"10012346789010", "10012346789027"});
    QTest::newRow("product wraps without carry")
        << upc12 << 5.0 << 12.0 << 99998.0 << 4.0 << 1.0
        << joined({"500012999984", "500012999991", "500012000000", "500012000017"});
    QTest::newRow("interval 0 repeats the code")
        << upc12 << 0.0 << 36000.0 << 29145.0 << 3.0 << 0.0
        << joined({"036000291452", "036000291452", "036000291452"});
    QTest::newRow("interval 10") << upc12 << 0.0 << 36000.0 << 29145.0 << 2.0 << 10.0
                                 << joined({"036000291452", "036000291551"});
    QTest::newRow("count 2.5 makes three")
        << upc12 << 0.0 << 36000.0 << 29145.0 << 2.5 << 1.0
        << joined({"036000291452", "036000291469", "036000291476"});
    QTest::newRow("no flag digit reads 0")
        << upc12 << 0.0 << 36000.0 << 29145.0 << 1.0 << 1.0 << "036000291452";
    QTest::newRow("count 0 makes none")
        << upc12 << 0.0 << 36000.0 << 29145.0 << 0.0 << 1.0 << QString();
    QTest::newRow("negative count makes none")
        << upc12 << 0.0 << 36000.0 << 29145.0 << -3.0 << 1.0 << QString();
    QTest::newRow("manufacturer keeps its last digits")
        << upc12 << 0.0 << 1236000.0 << 29145.0 << 1.0 << 1.0 << "036000291452";
    QTest::newRow("product keeps its last digits")
        << upc12 << 0.0 << 36000.0 << 729145.0 << 1.0 << 1.0 << "036000291452";
    QTest::newRow("fractional product digits") << QStringLiteral("UPC-8位") << 9.0 << 638.0 << 12.5
                                               << 2.0 << 1.0 << joined({"96380123", "96380147"});
}

void TestGeneratorRules::generation()
{
    QFETCH(QString, typeName);
    QFETCH(double, flag);
    QFETCH(double, manufacturer);
    QFETCH(double, product);
    QFETCH(double, count);
    QFETCH(double, interval);
    QTEST(generateRun(type(typeName), {flag, manufacturer, product, count, interval}), "run");
}

void TestGeneratorRules::runsEndWhateverTheValues_data()
{
    QTest::addColumn<double>("count");
    QTest::addColumn<double>("product");
    QTest::addColumn<double>("interval");
    QTest::addColumn<int>("codes");

    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("count 9E99") << 9e99 << 29145.0 << 1.0 << maxRunCodes;
    QTest::newRow("count 1e308") << 1e308 << 29145.0 << 1.0 << maxRunCodes;
    QTest::newRow("count -1e308") << -1e308 << 29145.0 << 1.0 << 0;
    QTest::newRow("count inf") << inf << 29145.0 << 1.0 << maxRunCodes;
    QTest::newRow("count -inf") << -inf << 29145.0 << 1.0 << 0;
    QTest::newRow("count nan") << nan << 29145.0 << 1.0 << 0;
    QTest::newRow("count 9999 is whole") << 9999.0 << 29145.0 << 1.0 << 9999;
    QTest::newRow("count 9999.5 stops at the bound") << 9999.5 << 29145.0 << 1.0 << maxRunCodes;
    QTest::newRow("product 9E99") << 3.0 << 9e99 << 1.0 << 3;
    QTest::newRow("product 1e308") << 3.0 << 1e308 << 0.0 << 3;
    QTest::newRow("product -1e308") << 3.0 << -1e308 << 0.0 << 3;
    QTest::newRow("product inf") << 3.0 << inf << 1.0 << 0;
    QTest::newRow("product -inf") << 3.0 << -inf << 1.0 << 0;
    QTest::newRow("product nan") << 3.0 << nan << 1.0 << 0;
    QTest::newRow("product grows past 1e308") << 3.0 << 1e308 << 1e308 << 1;
    QTest::newRow("product falls past -1e308") << 3.0 << -1e308 << -1e308 << 1;
    QTest::newRow("interval 9E99") << 3.0 << 29145.0 << 9e99 << 3;
    QTest::newRow("interval inf") << 3.0 << 29145.0 << inf << 1;
    QTest::newRow("interval nan") << 3.0 << 29145.0 << nan << 1;
    QTest::newRow("count and product without bound") << inf << 1e308 << 1e308 << 1;
}

void TestGeneratorRules::runsEndWhateverTheValues()
{
    QFETCH(double, count);
    QFETCH(double, product);
    QFETCH(double, interval);
    QFETCH(int, codes);

    const QString run =
        generateRun(type(QStringLiteral("UPC-12位")), {0, 36000, product, count, interval});
    const QStringList made = run.isEmpty() ? QStringList() : run.split(QStringLiteral("\r\n"));
    QCOMPARE(made.size(), codes);
    for (const QString &code : made) {
        QCOMPARE(code.size(), 12);
        QVERIFY2(isDigitCode(code), qPrintable(code));
        QCOMPARE(gs1CheckDigit(code.chopped(1)), code.back().digitValue());
    }
}

void TestGeneratorRules::publishedCheckDigits_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("UPC-A") << "036000291452";
    QTest::newRow("UPC-A with check 0") << "012345678905";
    QTest::newRow("EAN-13") << "4006381333931";
    QTest::newRow("EAN-13 book") << "9780306406157";
    QTest::newRow("EAN-8") << "96385074";
    QTest::newRow("EAN-8 second") << "73513537";
    QTest::newRow("GTIN-14") << "10012345678902";
}

void TestGeneratorRules::publishedCheckDigits()
{
    QFETCH(QString, code);
    QCOMPARE(gs1CheckDigit(code.chopped(1)), code.back().digitValue());
}

void TestGeneratorRules::digitsOfFractions_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("digit");

    QTest::newRow("units of 12.5 round to even") << 12.5 << 0 << 2;
    QTest::newRow("units of 13.5 round to even") << 13.5 << 0 << 4;
    QTest::newRow("units of 19.6 round up and wrap") << 19.6 << 0 << 0;
    QTest::newRow("tens of 19.6 are truncated") << 19.6 << 1 << 1;
    QTest::newRow("hundreds of 12.5") << 12.5 << 2 << 0;
    QTest::newRow("negative gives the magnitude's digit") << -37.0 << 0 << 7;
}

void TestGeneratorRules::digitsOfFractions()
{
    QFETCH(double, value);
    QFETCH(int, k);
    QTEST(digitOf(value, k), "digit");
}

void TestGeneratorRules::lockMarkers_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("digits");

    QTest::newRow("empty page offers all") << QString() << "0123456789";
    QTest::newRow("Lock5 withholds 5") << "公告Lock5结束"
                                       << "012346789";
    QTest::newRow("Lock12 withholds 1") << "xLock12x"
                                        << "023456789";
    QTest::newRow("lower-case lock withholds nothing") << "lock1"
                                                       << "0123456789";
    QTest::newRow("several markers") << "Lock0 Lock9 Lock3"
                                     << "1245678";
    QTest::newRow("Lock without digit") << "Lock Lockx"
                                        << "0123456789";
}

void TestGeneratorRules::lockMarkers()
{
    QFETCH(QString, page);
    QTEST(offeredFlagDigits(page).join(QString()), "digits");
}

void TestGeneratorRules::previousPosition_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("previous");
    QTest::newRow("first code stays") << 0 << 0;
    QTest::newRow("second to first") << 14 << 0;
    QTest::newRow("tenth to ninth") << 126 << 112;
    QTest::newRow("inside the first stride") << 5 << 0;
}

void TestGeneratorRules::previousPosition()
{
    QFETCH(int, start);
    QTEST(previousCodeStart(start, type(QStringLiteral("UPC-12位"))), "previous");
}

void TestGeneratorRules::nextPosition_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<double>("count");
    QTest::addColumn<int>("codesInList");
    QTest::addColumn<int>("next");

    QTest::newRow("first to second") << 0 << 10.0 << 10 << 14;
    QTest::newRow("ninth to last") << 112 << 10.0 << 10 << 126;
    QTest::newRow("last stays") << 126 << 10.0 << 10 << 126;
    QTest::newRow("one code stays") << 0 << 1.0 << 1 << 0;
    QTest::newRow("count box lowered to 5") << 98 << 5.0 << 10 << 56;
    QTest::newRow("count box above the list") << 126 << 20.0 << 10 << 126;
    QTest::newRow("count box 0") << 14 << 0.0 << 10 << 0;
    QTest::newRow("empty list") << 0 << 10.0 << 0 << 0;
}

void TestGeneratorRules::nextPosition()
{
    QFETCH(int, start);
    QFETCH(double, count);
    QFETCH(int, codesInList);
    const CodeType &upc12 = type(QStringLiteral("UPC-12位"));
    const QString list = generateRun(upc12, {0, 36000, 29145, double(codesInList), 1});
    QTEST(nextCodeStart(start, upc12, count, list), "next");
}

void TestGeneratorRules::continuedProductCode_data()
{
    QTest::addColumn<QString>("typeName");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("product");

    QTest::newRow("12 digits") << QStringLiteral("UPC-12位") << "036000000427"
                               << "00043";
    QTest::newRow("8 digits") << QStringLiteral("UPC-8位") << "51234560"
                              << "457";
    QTest::newRow("8 digits padded") << QStringLiteral("UPC-8位") << "51230070"
                                     << "008";
    QTest::newRow("13 digits") << QStringLiteral("UPC-13位") << "4006381333931"
                               << "33394";
    QTest::newRow("14 digits") << QStringLiteral("UPC-14位") << "10012346789010"
                               << "678902";
    QTest::newRow("more digits kept") << QStringLiteral("UPC-12位") << "036000999995"
                                      << "100000";
    QTest::newRow("short code") << QStringLiteral("UPC-12位") << "0360002"
                                << "00003";
    QTest::newRow("empty code") << QStringLiteral("UPC-12位") << ""
                                << "00001";
}

void TestGeneratorRules::continuedProductCode()
{
    QFETCH(QString, typeName);
    QFETCH(QString, code);
    QTEST(::continuedProductCode(type(typeName), code), "product");
}

void TestGeneratorRules::digitCodes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("digits");
    QTest::newRow("code") << "036000291452" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("path") << "../x" << false;
    QTest::newRow("blank") << "0360 0" << false;
    QTest::newRow("line break") << "036\r\n000" << false;
    QTest::newRow("full-width digit") << QStringLiteral("03６") << false;
}

void TestGeneratorRules::digitCodes()
{
    QFETCH(QString, code);
    QTEST(isDigitCode(code), "digits");
}

void TestGeneratorRules::howToTextLines()
{
    const QStringList lines = howToText().split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines.first(), QStringLiteral("【新手必读】"));
    QCOMPARE(lines.at(7),
             QStringLiteral("7.“清空数据”按钮可一键清除UPC码生成目录和条码图片导出目录全部数据"));
    QCOMPARE(lines.last(), QStringLiteral("9.软件支持8,12,13,14位UPC码批量生成，用户可自由切换"));
    QVERIFY(!howToText().endsWith('\n'));
}

void TestGeneratorRules::requestAddress()
{
    QCOMPARE(BarcodeService::requestAddress("http://h", "036000291452"),
             QStringLiteral("http://h/ashx/Barcodes.ashx?set_w_design=300&set_encoding=UPC-A"
                            "&set_rotate=Rotate180FlipXY&txtInput1=036000291452"
                            "&set_position=BOTTOMCENTER&chkShowLabel=on&set_align=center"
                            "&outext=GIF&tuid=40917&numbers=0572913&ashxfile=Barcodes"
                            "&srcMakeImg=&mtype=Barcodes&srcw=230&srch=100"));
    QCOMPARE(BarcodeService::pictureAddress("http://h", "a.gif"),
             QStringLiteral("http://h/Temp/a.gif"));
}

void TestGeneratorRules::pictureName_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<bool>("named");
    QTest::addColumn<QString>("name");

    QTest::newRow("between Temp/ and @330")
        << "<img src=\"/Temp/abc123.gif@330x100\">" << true << "abc123.gif";
    QTest::newRow("without @330 the rest") << "x Temp/abc.gif\">" << true << "abc.gif\">";
    QTest::newRow("up to a second Temp/") << "Temp/a.gifTemp/b@330" << true << "a.gif";
    QTest::newRow("no Temp/") << "<html>error</html>" << false << QString();
    QTest::newRow("case matters") << "temp/a.gif@330" << false << QString();
    QTest::newRow("empty name") << "Temp/@330" << false << QString();
    QTest::newRow("empty reply") << "" << false << QString();
}

void TestGeneratorRules::pictureName()
{
    QFETCH(QString, reply);
    QFETCH(bool, named);
    const std::optional<QString> name = BarcodeService::pictureName(reply);
    QCOMPARE(name.has_value(), named);
    if (named)
        QTEST(*name, "name");
}

QTEST_APPLESS_MAIN(TestGeneratorRules)
#include "tst_generator_rules.moc"
