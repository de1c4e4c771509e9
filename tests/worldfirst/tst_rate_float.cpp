#include "platform/box_number.h"
#include "worldfirst/rate_float.h"
#include "worldfirst/stored_rates.h"

#include <QTest>

class TestRateFloat : public QObject
{
    Q_OBJECT

private slots:
    void floatOfDefaultRates_data();
    void floatOfDefaultRates();
};

// Each rate box gets the plain text of the floated raw rate, then that text with four
// decimals: at 2.5 the six boxes end with the window's design rates.
void TestRateFloat::floatOfDefaultRates_data()
{
    QTest::addColumn<double>("floatPercent");
    QTest::addColumn<QStringList>("plain");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("2.5, the design float")
        << 2.5
        << QStringList{"1.2209925", "1.552395", "1.238445", "1.2856575", "1.634055", "1.304005"}
        << QStringList{"1.2210", "1.5524", "1.2384", "1.2857", "1.6341", "1.3040"};
    QTest::newRow("3") << 3.0 << QStringList{"1.214731", "1.544434", "1.232094",
                                             "1.291929", "1.642026", "1.310366"}
                       << QStringList{"1.2147", "1.5444", "1.2321", "1.2919", "1.6420", "1.3104"};
    QTest::newRow("0 shows the raw rates")
        << 0.0 << QStringList{"1.2523", "1.5922", "1.2702", "1.2543", "1.5942", "1.2722"}
        << QStringList{"1.2523", "1.5922", "1.2702", "1.2543", "1.5942", "1.2722"};
    QTest::newRow("100 wipes Sell and doubles Buy")
        << 100.0 << QStringList{"0", "0", "0", "2.5086", "3.1884", "2.5444"}
        << QStringList{"0.0000", "0.0000", "0.0000", "2.5086", "3.1884", "2.5444"};
    QTest::newRow("negative raises Sell and lowers Buy")
        << -2.5
        << QStringList{"1.2836075", "1.632005", "1.301955", "1.2229425", "1.554345", "1.240395"}
        << QStringList{"1.2836", "1.6320", "1.3020", "1.2229", "1.5543", "1.2404"};
}

void TestRateFloat::floatOfDefaultRates()
{
    QFETCH(double, floatPercent);
    QFETCH(QStringList, plain);
    QFETCH(QStringList, shown);

    const WfRates raw = defaultWfRawRates();
    for (int box = 0; box < 6; ++box) {
        const RateSide side = box < 3 ? RateSide::Sell : RateSide::Buy;
        const auto text = plainNumberText(floatedRate(raw[box], floatPercent, side));
        QCOMPARE(text, std::optional<QString>(plain[box]));
        QCOMPARE(reformatFourDecimals(*text), shown[box]);
    }
}

QTEST_GUILESS_MAIN(TestRateFloat)
#include "tst_rate_float.moc"
