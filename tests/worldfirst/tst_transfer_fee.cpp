#include "platform/box_number.h"
#include "worldfirst/transfer_fee.h"

#include <QTest>

class TestTransferFee : public QObject
{
    Q_OBJECT

private slots:
    void feeRule_data();
    void feeRule();
    void receivingList_data();
    void receivingList();
    void receivedAmount_data();
    void receivedAmount();
    void noConversionWithinOneCurrency_data();
    void noConversionWithinOneCurrency();
};

void TestTransferFee::feeRule_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<double>("total");
    QTest::addColumn<QString>("fee");

    QTest::newRow("USD nothing") << "USD" << 0.0 << "30";
    QTest::newRow("USD one cent below 20000") << "USD" << 19999.99 << "30";
    QTest::newRow("USD at 20000") << "USD" << 20000.0 << "0";
    QTest::newRow("USD above 20000") << "USD" << 25000.0 << "0";
    QTest::newRow("GBP one cent below 5000") << "GBP" << 4999.99 << "15";
    QTest::newRow("GBP at 5000") << "GBP" << 5000.0 << "0";
    QTest::newRow("EUR one cent below 5000") << "EUR" << 4999.99 << "22";
    QTest::newRow("EUR at 5000") << "EUR" << 5000.0 << "0";
    QTest::newRow("EUR above 5000") << "EUR" << 5000.01 << "0";
    QTest::newRow("negative total still pays") << "GBP" << -10.0 << "15";
}

void TestTransferFee::feeRule()
{
    QFETCH(QString, account);
    QFETCH(double, total);
    QFETCH(QString, fee);

    QCOMPARE(transferFeeText(account, total), std::optional<QString>(fee));
}

void TestTransferFee::receivingList_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("preselected");

    QTest::newRow("USD") << "USD" << QStringList{"GBP", "EUR"} << "GBP";
    QTest::newRow("GBP") << "GBP" << QStringList{"USD", "EUR"} << "USD";
    QTest::newRow("EUR selects its second item") << "EUR" << QStringList{"GBP", "USD"} << "USD";
}

void TestTransferFee::receivingList()
{
    QFETCH(QString, account);
    QFETCH(QStringList, items);
    QFETCH(QString, preselected);

    const auto list = receivingCurrencies(account);
    QVERIFY(list);
    QCOMPARE(list->items, items);
    QCOMPARE(list->preselected, preselected);
}

// The window's design rates: the default raw rates floated by 2.5.
void TestTransferFee::receivedAmount_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("receiving");
    QTest::addColumn<double>("net");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("shown");

    QTest::newRow("USD to GBP divides by Buy GBP·USD")
        << "USD"
        << "GBP" << 970.0 << 1.6341 << "593.598922954532"
        << "593.5989";
    QTest::newRow("USD to EUR divides by Buy EUR·USD")
        << "USD"
        << "EUR" << 970.0 << 1.3040 << "743.865030674847"
        << "743.8650";
    QTest::newRow("GBP to USD multiplies by Sell GBP·USD") << "GBP"
                                                           << "USD" << 985.0 << 1.5524 << "1529.114"
                                                           << "1529.1140";
    QTest::newRow("GBP to EUR multiplies by Sell GBP·EUR") << "GBP"
                                                           << "EUR" << 985.0 << 1.2210 << "1202.685"
                                                           << "1202.6850";
    QTest::newRow("EUR to USD multiplies by Sell EUR·USD") << "EUR"
                                                           << "USD" << 78.0 << 1.2384 << "96.5952"
                                                           << "96.5952";
    QTest::newRow("EUR to GBP divides by Buy GBP·EUR")
        << "EUR"
        << "GBP" << 978.0 << 1.2857 << "760.675118612429"
        << "760.6751";
    QTest::newRow("fee above the total goes negative")
        << "USD"
        << "GBP" << -20.0 << 1.6341 << "-12.2391530506089"
        << "-12.2392";
    QTest::newRow("dividing rate of 0 receives nothing") << "USD"
                                                         << "GBP" << 970.0 << 0.0 << "0"
                                                         << "0.0000";
    QTest::newRow("multiplying rate of 0 receives nothing") << "GBP"
                                                            << "USD" << 985.0 << 0.0 << "0"
                                                            << "0.0000";
}

void TestTransferFee::receivedAmount()
{
    QFETCH(QString, account);
    QFETCH(QString, receiving);
    QFETCH(double, net);
    QFETCH(double, rate);
    QFETCH(QString, plain);
    QFETCH(QString, shown);

    const auto conversion = conversionBetween(account, receiving);
    QVERIFY(conversion);
    const auto text = plainNumberText(::receivedAmount(net, rate, *conversion));
    QCOMPARE(text, std::optional<QString>(plain));
    QCOMPARE(reformatFourDecimals(*text), shown);
}

void TestTransferFee::noConversionWithinOneCurrency_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("receiving");

    QTest::newRow("same currency") << "USD"
                                   << "USD";
    QTest::newRow("no receiving currency") << "GBP"
                                           << "";
    QTest::newRow("no account currency") << ""
                                         << "GBP";
    QTest::newRow("comparison is case-sensitive") << "usd"
                                                  << "GBP";
}

void TestTransferFee::noConversionWithinOneCurrency()
{
    QFETCH(QString, account);
    QFETCH(QString, receiving);

    QVERIFY(!conversionBetween(account, receiving));
}

QTEST_GUILESS_MAIN(TestTransferFee)
#include "tst_transfer_fee.moc"
