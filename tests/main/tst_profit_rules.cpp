#include "main/currency_table.h"
#include "main/profit_rules.h"
#include "platform/box_number.h"

#include <QTest>

class TestProfitRules : public QObject
{
    Q_OBJECT

private slots:
    void netProfitText_data();
    void netProfitText();
    void feeText_data();
    void feeText();
    void conversion_data();
    void conversion();
    void word_data();
    void word();
    void rateCut_data();
    void rateCut();
    void currencies_data();
    void currencies();
    void noCurrencyForOtherTexts_data();
    void noCurrencyForOtherTexts();
};

void TestProfitRules::netProfitText_data()
{
    QTest::addColumn<double>("sales");
    QTest::addColumn<double>("fee");
    QTest::addColumn<double>("freight");
    QTest::addColumn<QString>("profit");

    // Rate 6.5, cost 35, domestic freight 5 throughout.
    QTest::newRow("standard, custom freight 30") << 20.0 << 3.0 << 30.0 << "40.5";
    QTest::newRow("standard, EMS 80") << 20.0 << 3.0 << 80.0 << "-9.5";
    QTest::newRow("expedited, custom freight 30") << 30.0 << 4.5 << 30.0 << "95.75";
    QTest::newRow("expedited, EMS 80") << 30.0 << 4.5 << 80.0 << "45.75";
    QTest::newRow("freight 0") << 20.0 << 3.0 << 0.0 << "70.5";
}

void TestProfitRules::netProfitText()
{
    QFETCH(double, sales);
    QFETCH(double, fee);
    QFETCH(double, freight);
    QFETCH(QString, profit);
    QCOMPARE(plainNumberText(netProfit(sales, 6.5, 35, 5, fee, freight)), profit);
}

void TestProfitRules::feeText_data()
{
    QTest::addColumn<double>("sales");
    QTest::addColumn<double>("percent");
    QTest::addColumn<QString>("fee");

    QTest::newRow("15 % of 20") << 20.0 << 15.0 << "3";
    QTest::newRow("15 % of 30") << 30.0 << 15.0 << "4.5";
    QTest::newRow("15 % of 21.99: fifteen digits, not the binary tail")
        << 21.99 << 15.0 << "3.2985";
    QTest::newRow("15 % of 19.99") << 19.99 << 15.0 << "2.9985";
    QTest::newRow("0 %") << 20.0 << 0.0 << "0";
}

void TestProfitRules::feeText()
{
    QFETCH(double, sales);
    QFETCH(double, percent);
    QFETCH(QString, fee);
    QCOMPARE(plainNumberText(transactionFee(sales, percent)), fee);
}

void TestProfitRules::conversion_data()
{
    QTest::addColumn<double>("rmb");
    QTest::addColumn<double>("rate");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("fourDecimal");

    QTest::newRow("cost 35 at 6.5") << 35.0 << 6.5 << "5.38461538461539"
                                    << "5.3846";
    QTest::newRow("profit 70.5 at 6.5") << 70.5 << 6.5 << "10.8461538461538"
                                        << "10.8462";
    QTest::newRow("profit -9.5 at 6.5") << -9.5 << 6.5 << "-1.46153846153846"
                                        << "-1.4615";
    QTest::newRow("freight 12 at 6") << 12.0 << 6.0 << "2"
                                     << "2.0000";
    QTest::newRow("rate 0") << 35.0 << 0.0 << ""
                            << "";
}

void TestProfitRules::conversion()
{
    QFETCH(double, rmb);
    QFETCH(double, rate);
    QFETCH(QString, plain);
    QFETCH(QString, fourDecimal);

    const std::optional<double> converted = rmbToCurrency(rmb, rate);
    QCOMPARE(converted.has_value(), !plain.isEmpty());
    if (converted) {
        const QString text = *plainNumberText(*converted);
        QCOMPARE(text, plain);
        QCOMPARE(reformatFourDecimals(text), fourDecimal);
    }
}

void TestProfitRules::word_data()
{
    QTest::addColumn<double>("profit");
    QTest::addColumn<QString>("word");

    QTest::newRow("above 0") << 40.5 << "盈利";
    QTest::newRow("just above 0") << 0.0001 << "盈利";
    QTest::newRow("exactly 0") << 0.0 << "亏本";
    QTest::newRow("below 0") << -9.5 << "亏本";
}

void TestProfitRules::word()
{
    QFETCH(double, profit);
    QFETCH(QString, word);
    QCOMPARE(profitWord(profit), word);
}

void TestProfitRules::rateCut_data()
{
    QTest::addColumn<QString>("cut");
    QTest::addColumn<QString>("accepted");

    QTest::newRow("a number") << "6.1512"
                              << "6.1512";
    QTest::newRow("blanks around are dropped") << " 6.1512 "
                                               << "6.1512";
    QTest::newRow("line breaks around are dropped") << "\r\n6.1512\t"
                                                    << "6.1512";
    QTest::newRow("markup before the figure") << "<b>6.1512</b>"
                                              << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks only") << "  "
                                 << "";
    QTest::newRow("zero") << "0"
                          << "";
    QTest::newRow("zero with decimals") << "0.0000"
                                        << "";
    QTest::newRow("negative") << "-6.15"
                              << "";
    QTest::newRow("number with a tail") << "6.15元"
                                        << "";
    QTest::newRow("two points") << "6..1"
                                << "";
}

void TestProfitRules::rateCut()
{
    QFETCH(QString, cut);
    QFETCH(QString, accepted);
    QCOMPARE(acceptedRate(cut).value_or(QString()), accepted);
}

void TestProfitRules::currencies_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("fetchCaption");
    QTest::addColumn<QString>("defaultRate");
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("marker");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("costCaption");

    QTest::newRow("美元") << "美元"
                          << "美国"
                          << "获取最新美元汇率"
                          << "6.3175"
                          << "wd=%C3%C0%D4%AA%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA"
                          << "1美元="
                          << "USD"
                          << "成本(USD)";
    QTest::newRow("英镑") << "英镑"
                          << "英国"
                          << "获取最新英镑汇率"
                          << "9.9629"
                          << "wd=%D3%A2%B0%F7%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA"
                          << "1英镑="
                          << "GBP"
                          << "成本(GBP)";
    QTest::newRow("欧元: cost caption with a leading blank")
        << "欧元"
        << "德国"
        << "获取最新欧元汇率"
        << "8.3038"
        << "wd=%C5%B7%D4%AA%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA"
        << "1欧元="
        << "EUR"
        << " 成本(EUR)";
    QTest::newRow("卢布: searched short, cut after the full name")
        << "卢布"
        << "俄罗斯"
        << "获取最新卢布汇率"
        << "0.2136"
        << "wd=%C2%AC%B2%BC%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA"
        << "1俄罗斯卢布="
        << "RUB"
        << "成本(RUB)";
}

void TestProfitRules::currencies()
{
    QFETCH(QString, name);
    QFETCH(QString, destination);
    QFETCH(QString, fetchCaption);
    QFETCH(QString, defaultRate);
    QFETCH(QString, query);
    QFETCH(QString, marker);
    QFETCH(QString, code);
    QFETCH(QString, costCaption);

    const Currency *currency = currencyNamed(name);
    QVERIFY(currency);
    QCOMPARE(currency->destination, destination);
    QCOMPARE(currency->fetchCaption, fetchCaption);
    QCOMPARE(DefaultRates(name), defaultRate);
    QCOMPARE(currency->rateQuery, query);
    QCOMPARE(currency->openingMarker, marker);
    const QStringList captions = {costCaption,
                                  "国内运费(" + code + ")",
                                  "销售价(" + code + ")",
                                  "设定运费(" + code + ")",
                                  "销售额(" + code + ")",
                                  "交易费(" + code + ")",
                                  "设定运费(" + code + ")",
                                  "销售额(" + code + ")",
                                  "交易费(" + code + ")",
                                  code,
                                  code,
                                  "纯利润(" + code + ")",
                                  "纯利润(" + code + ")"};
    QCOMPARE(currency->captions, captions);
}

void TestProfitRules::noCurrencyForOtherTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("a code") << "USD";
    QTest::newRow("blank behind") << "美元 ";
    QTest::newRow("other currency") << "日元";
}

void TestProfitRules::noCurrencyForOtherTexts()
{
    QFETCH(QString, text);
    QVERIFY(!currencyNamed(text));
    QVERIFY(!DefaultRates(text));
}

QTEST_GUILESS_MAIN(TestProfitRules)
#include "tst_profit_rules.moc"
