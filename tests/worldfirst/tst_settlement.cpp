#include "platform/box_number.h"
#include "worldfirst/settlement.h"
#include "worldfirst/stored_rates.h"

#include <QTest>

class TestSettlement : public QObject
{
    Q_OBJECT

private slots:
    void otherFeeList_data();
    void otherFeeList();
    void settlementAndLossPerBank_data();
    void settlementAndLossPerBank();
    void lossPercentWithoutBase();
};

void TestSettlement::otherFeeList_data()
{
    QTest::addColumn<QString>("receiving");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("USD") << "USD" << QStringList{"USD", "RMB"};
    QTest::newRow("GBP") << "GBP" << QStringList{"GBP", "RMB"};
    QTest::newRow("EUR") << "EUR" << QStringList{"EUR", "RMB"};
}

void TestSettlement::otherFeeList()
{
    QFETCH(QString, receiving);
    QFETCH(QStringList, items);

    QCOMPARE(otherFeeCurrencies(receiving), std::optional<QStringList>(items));
    QVERIFY(!otherFeeCurrencies(""));
    QVERIFY(!otherFeeCurrencies("RMB"));
}

// A USD account paid out 1000 with no balance; the received amounts are those the design
// rates give (593.5989 GBP, 743.8650 EUR). Each figure is taken from the one shown before
// it, four decimals, as the boxes hand them on.
void TestSettlement::settlementAndLossPerBank_data()
{
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QString>("receiving");
    QTest::addColumn<double>("received");
    QTest::addColumn<double>("otherFee");
    QTest::addColumn<bool>("feeInRmb");
    QTest::addColumn<QString>("settled");
    QTest::addColumn<QString>("loss");
    QTest::addColumn<QString>("percent");

    QTest::newRow("中行 GBP") << "中行"
                              << "GBP" << 593.5989 << 0.0 << false << "5864.5791"
                              << "361.9209"
                              << "5.8126";
    QTest::newRow("中行 GBP other fee 10 GBP") << "中行"
                                               << "GBP" << 593.5989 << 10.0 << false << "5765.7821"
                                               << "460.7179"
                                               << "7.3993";
    QTest::newRow("中行 GBP other fee 50 RMB") << "中行"
                                               << "GBP" << 593.5989 << 50.0 << true << "5814.5791"
                                               << "411.9209"
                                               << "6.6156";
    QTest::newRow("中行 EUR") << "中行"
                              << "EUR" << 743.8650 << 0.0 << false << "5874.8226"
                              << "351.6774"
                              << "5.6481";
    QTest::newRow("建行 GBP") << "建行"
                              << "GBP" << 593.5989 << 0.0 << false << "5854.7253"
                              << "357.8747"
                              << "5.7605";
    QTest::newRow("建行 EUR") << "建行"
                              << "EUR" << 743.8650 << 0.0 << false << "5871.2521"
                              << "341.3479"
                              << "5.4944";
    QTest::newRow("交行 GBP") << "交行"
                              << "GBP" << 593.5989 << 0.0 << false << "5854.7847"
                              << "358.6153"
                              << "5.7716";
    QTest::newRow("交行 EUR") << "交行"
                              << "EUR" << 743.8650 << 0.0 << false << "5870.9545"
                              << "342.4455"
                              << "5.5114";
    QTest::newRow("received below the other fee") << "中行"
                                                  << "GBP" << 5.0 << 10.0 << false << "-49.3985"
                                                  << "6275.8985"
                                                  << "100.7934";
}

void TestSettlement::settlementAndLossPerBank()
{
    QFETCH(QString, bank);
    QFETCH(QString, receiving);
    QFETCH(double, received);
    QFETCH(double, otherFee);
    QFETCH(bool, feeInRmb);
    QFETCH(QString, settled);
    QFETCH(QString, loss);
    QFETCH(QString, percent);

    const BankRatesOfOneBank rates = defaultBankRates()[*bankIndex(bank)];
    const double receivingRate = rates[*bankCurrencyOf(receiving)];
    const QString settledText = reformatFourDecimals(
        *plainNumberText(settledAmount(received, otherFee, receivingRate, feeInRmb)));
    QCOMPARE(settledText, settled);

    const double direct = directSettlement(1000, 0, rates[BankUsd]);
    const QString lossPlain = *plainNumberText(direct - readLenient(settledText));
    QCOMPARE(reformatFourDecimals(lossPlain), loss);
    QCOMPARE(reformatFourDecimals(*plainNumberText(lossPercent(readLenient(lossPlain), direct))),
             percent);
}

void TestSettlement::lossPercentWithoutBase()
{
    QCOMPARE(lossPercent(-5864.5791, 0), 0.0);
    QCOMPARE(lossPercent(0, 0), 0.0);
    QCOMPARE(lossPercent(-50, 100), -50.0);
}

QTEST_GUILESS_MAIN(TestSettlement)
#include "tst_settlement.moc"
