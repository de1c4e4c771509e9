#include "fba/factor_pages.h"

#include <QTest>

Q_DECLARE_METATYPE(const FactorSource *)

class TstFactorPages : public QObject
{
    Q_OBJECT
private slots:
    void factorOnPage_data();
    void factorOnPage();
};

void TstFactorPages::factorOnPage_data()
{
    QTest::addColumn<const FactorSource *>("source");
    QTest::addColumn<QString>("page");
    QTest::addColumn<std::optional<QString>>("factor");

    const FactorSource *pound = &gramsPerPoundSource;
    const FactorSource *inch = &centimetresPerInchSource;
    const FactorSource *dollar = &rmbPerUsdSource;
    using Factor = std::optional<QString>;

    QTest::newRow("grams per pound") << pound << "<p>1磅=453.59237克</p>" << Factor("453.59237");
    QTest::newRow("centimetres per inch") << inch << "<b>1英寸=2.54厘米</b>" << Factor("2.54");
    QTest::newRow("RMB per USD") << dollar << "今日 1美元=6.1020人民币 更新" << Factor("6.1020");
    QTest::newRow("first of two") << dollar << "1美元=6.1人民币 1美元=6.2人民币" << Factor("6.1");
    QTest::newRow("blanks around the number") << inch << "1英寸= 2.54 厘米" << Factor(" 2.54 ");
    QTest::newRow("closing marker missing") << inch << "1英寸=2.54" << Factor("2.54");
    QTest::newRow("opening marker missing") << pound << "453.59237克" << Factor();
    QTest::newRow("empty page") << pound << "" << Factor();
    QTest::newRow("page ends at the marker") << pound << "1磅=" << Factor();
    QTest::newRow("closing marker at once") << dollar << "1美元=人民币" << Factor();
    QTest::newRow("text between the markers") << dollar << "1美元=约六元人民币" << Factor();
    QTest::newRow("number and text") << pound << "1磅=453.59237 g克" << Factor();
    QTest::newRow("zero") << inch << "1英寸=0厘米" << Factor();
    QTest::newRow("negative") << inch << "1英寸=-2.54厘米" << Factor();
    QTest::newRow("another marker") << pound << "1 lb = 453.59237 g" << Factor();
}

void TstFactorPages::factorOnPage()
{
    QFETCH(const FactorSource *, source);
    QFETCH(QString, page);
    QFETCH(std::optional<QString>, factor);

    QCOMPARE(::factorOnPage(page, *source), factor);
}

QTEST_APPLESS_MAIN(TstFactorPages)
#include "tst_factor_pages.moc"
