#include "support/context_menu.h"
#include "support/fake_services.h"
#include "support/number_box_keys.h"
#include "support/test_main.h"
#include "worldfirst/form5.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

QStringList items(const ComboBox &list)
{
    QStringList items;
    for (int i = 0; i < list.ListCount(); ++i)
        items << list.List(i);
    return items;
}

// A freshly opened calculator.
struct OpenedWindow
{
    OpenedWindow() { form.load(); }

    FakeServices fake;
    Form5 form{fake.services};
};

// Records the texts written into a box, then runs its own Change handler.
void recordWrites(TextBox &box, QStringList &log)
{
    const std::function<void()> own = box.Change;
    box.Change = [&box, &log, own] {
        log << box.objectName() + "=" + box.text();
        if (own)
            own();
    };
}

// A USD account with 1000 paid out, received in GBP at the design rates.
void payOut1000(Form5 &form)
{
    form.Text1.setText("1000");
}

} // namespace

class TestForm5Figures : public QObject
{
    Q_OBJECT

private slots:
    void opening();
    void rightClickMenuIsInChinese();
    void firstPayout();
    void receivedPerPair_data();
    void receivedPerPair();
    void feeThreshold_data();
    void feeThreshold();
    void accountCurrencyRebuildsReceivingList_data();
    void accountCurrencyRebuildsReceivingList();
    void payoutEditResetsReceivingCurrency();
    void settlementAndLoss_data();
    void settlementAndLoss();
    void settlementPerBank_data();
    void settlementPerBank();
    void otherFeeCurrencyResetOnReceivedAmount();
    void otherFeeCurrencyKeptOnFeeAndBankEdits();
    void receivingEurUsesEurBankRate();
    void zeroDividingRateReceivesNothing();
    void zeroMultiplyingRateReceivesNothing();
    void lossPercentWithoutGrossAmount_data();
    void lossPercentWithoutGrossAmount();
    void zeroBankRateForReceivingCurrency_data();
    void zeroBankRateForReceivingCurrency();
    void floatWritesEveryRateBoxTwice();
    void floatValues_data();
    void floatValues();
    void typedFloatRunsPerKeystroke();
    void typedRateLastsUntilTheFloatChanges();
    void bankChoice_data();
    void bankChoice();
    void typedBankRateGivesWayToTheStoredOne();
    void reopeningRestoresTheDefaults();
    void keyFilterOnEveryEditableBox_data();
    void keyFilterOnEveryEditableBox();
    void pasteShortcutSwallowed();
    void severalPointsReadAsTheFirstNumber();
    void lockedBoxes();
    void tabOrderAndFirstFocus();
    void links_data();
    void links();
};

void TestForm5Figures::opening()
{
    OpenedWindow window;
    Form5 &form = window.form;

    QCOMPARE(form.Caption(), "Worldfirst外汇账户转款费用计算器 - Tobrin");
    QCOMPARE(form.Combo1.text(), "USD");
    QCOMPARE(items(form.Combo1), QStringList({"USD", "GBP", "EUR"}));
    QCOMPARE(form.Combo2.text(), "GBP");
    QCOMPARE(items(form.Combo2), QStringList({"GBP", "EUR"}));
    QCOMPARE(form.Combo3.text(), "GBP");
    QCOMPARE(items(form.Combo3), QStringList({"GBP", "RMB"}));
    QCOMPARE(form.Combo4.text(), "中行");
    QCOMPARE(items(form.Combo4), QStringList({"中行", "建行", "交行"}));
    for (TextBox *box : {&form.Text17, &form.Text1, &form.Text2, &form.Text3, &form.Text4})
        QCOMPARE(box->text(), "0");
    for (TextBox *box : {&form.Text5, &form.Text6, &form.Text7})
        QCOMPARE(box->text(), "0.0000");
    QCOMPARE(form.Text14.text(), "9.8797");
    QCOMPARE(form.Text15.text(), "6.2265");
    QCOMPARE(form.Text16.text(), "7.8977");
    const QStringList designRates{"1.2210", "1.5524", "1.2384", "1.2857", "1.6341", "1.3040"};
    const QList<TextBox *> rateBoxes{&form.Text8,  &form.Text9,  &form.Text10,
                                     &form.Text11, &form.Text12, &form.Text13};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(rateBoxes[i]->text(), designRates[i]);
    QCOMPARE(form.Text18.text(), "2.5");
    QCOMPARE(form.Label35.Caption(), "USD");
    QCOMPARE(form.Label4.Caption(), "USD");
    QCOMPARE(form.wfRawRates, defaultWfRawRates());
    QCOMPARE(form.bankRates, defaultBankRates());
}

// Qt's own texts are in Chinese in every window, as on the users' desktops.
void TestForm5Figures::rightClickMenuIsInChinese()
{
    OpenedWindow window;
    window.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.form));

    QCOMPARE(contextMenuTexts(window.form.Text1.lineEdit()), chineseTextBoxMenu);
}

void TestForm5Figures::firstPayout()
{
    OpenedWindow window;
    window.form.Text1.setText("1");

    QCOMPARE(window.form.Text2.text(), "30");
    QCOMPARE(window.form.Text3.text(), "-17.7468");
    QCOMPARE(window.form.Combo2.text(), "GBP");
}

void TestForm5Figures::receivedPerPair_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("payout");
    QTest::addColumn<QString>("receiving");
    QTest::addColumn<QString>("fee");
    QTest::addColumn<QString>("received");

    QTest::newRow("USD to GBP") << "USD"
                                << "1000"
                                << "GBP"
                                << "30"
                                << "593.5989";
    QTest::newRow("USD to EUR") << "USD"
                                << "1000"
                                << "EUR"
                                << "30"
                                << "743.8650";
    QTest::newRow("GBP to USD") << "GBP"
                                << "1000"
                                << "USD"
                                << "15"
                                << "1529.1140";
    QTest::newRow("GBP to EUR") << "GBP"
                                << "1000"
                                << "EUR"
                                << "15"
                                << "1202.6850";
    QTest::newRow("EUR to USD") << "EUR"
                                << "100"
                                << "USD"
                                << "22"
                                << "96.5952";
    QTest::newRow("EUR to GBP") << "EUR"
                                << "1000"
                                << "GBP"
                                << "22"
                                << "760.6751";
    QTest::newRow("USD fee above the payout") << "USD"
                                              << "10"
                                              << "GBP"
                                              << "30"
                                              << "-12.2392";
}

void TestForm5Figures::receivedPerPair()
{
    QFETCH(QString, account);
    QFETCH(QString, payout);
    QFETCH(QString, receiving);
    QFETCH(QString, fee);
    QFETCH(QString, received);

    OpenedWindow window;
    Form5 &form = window.form;
    form.Combo1.setText(account);
    form.Text1.setText(payout);
    form.Combo2.setText(receiving);

    QCOMPARE(form.Text2.text(), fee);
    QCOMPARE(form.Text3.text(), received);
    QCOMPARE(form.Label35.Caption(), account);
    QCOMPARE(form.Label4.Caption(), account);
}

void TestForm5Figures::feeThreshold_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("payout");
    QTest::addColumn<QString>("balance");
    QTest::addColumn<QString>("fee");

    QTest::newRow("USD at 20000") << "USD"
                                  << "20000"
                                  << "0"
                                  << "0";
    QTest::newRow("USD one cent less") << "USD"
                                       << "19999.99"
                                       << "0"
                                       << "30";
    QTest::newRow("USD payout and balance reach 20000") << "USD"
                                                        << "15000"
                                                        << "5000"
                                                        << "0";
    QTest::newRow("USD payout alone below 20000") << "USD"
                                                  << "15000"
                                                  << "0"
                                                  << "30";
    QTest::newRow("GBP at 5000") << "GBP"
                                 << "5000"
                                 << "0"
                                 << "0";
    QTest::newRow("GBP one cent less") << "GBP"
                                       << "4999.99"
                                       << "0"
                                       << "15";
    QTest::newRow("EUR at 5000") << "EUR"
                                 << "2500"
                                 << "2500"
                                 << "0";
    QTest::newRow("EUR one cent less") << "EUR"
                                       << "4999.99"
                                       << "0"
                                       << "22";
    QTest::newRow("empty boxes count as 0") << "EUR"
                                            << ""
                                            << ""
                                            << "22";
}

void TestForm5Figures::feeThreshold()
{
    QFETCH(QString, account);
    QFETCH(QString, payout);
    QFETCH(QString, balance);
    QFETCH(QString, fee);

    OpenedWindow window;
    window.form.Combo1.setText(account);
    window.form.Text17.setText(balance);
    window.form.Text1.setText(payout);

    QCOMPARE(window.form.Text2.text(), fee);
}

void TestForm5Figures::accountCurrencyRebuildsReceivingList_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QStringList>("receiving");
    QTest::addColumn<QString>("selected");

    QTest::newRow("USD") << "USD" << QStringList{"GBP", "EUR"} << "GBP";
    QTest::newRow("GBP") << "GBP" << QStringList{"USD", "EUR"} << "USD";
    QTest::newRow("EUR selects its second item") << "EUR" << QStringList{"GBP", "USD"} << "USD";
}

void TestForm5Figures::accountCurrencyRebuildsReceivingList()
{
    QFETCH(QString, account);
    QFETCH(QStringList, receiving);
    QFETCH(QString, selected);

    OpenedWindow window;
    Form5 &form = window.form;
    // The user's pick in the list, as the mouse makes it.
    const int index = form.Combo1.widget()->findText(account);
    form.Combo1.widget()->setCurrentIndex(index);
    emit form.Combo1.widget()->activated(index);

    QCOMPARE(items(form.Combo2), receiving);
    QCOMPARE(form.Combo2.text(), selected);
    QCOMPARE(form.Label35.Caption(), account);
    QCOMPARE(form.Label4.Caption(), account);
    QCOMPARE(items(form.Combo3), QStringList({selected, "RMB"}));
    QCOMPARE(form.Combo3.text(), selected);
}

void TestForm5Figures::payoutEditResetsReceivingCurrency()
{
    OpenedWindow window;
    Form5 &form = window.form;
    payOut1000(form);
    form.Combo2.setText("EUR");
    QCOMPARE(form.Text3.text(), "743.8650");

    form.Text1.setText("10000");

    QCOMPARE(form.Combo2.text(), "GBP");
    QCOMPARE(form.Text3.text(), "6101.2178"); // 9970 ÷ 1.6341
}

void TestForm5Figures::settlementAndLoss_data()
{
    QTest::addColumn<QString>("otherFee");
    QTest::addColumn<QString>("feeCurrency");
    QTest::addColumn<QString>("settled");
    QTest::addColumn<QString>("loss");
    QTest::addColumn<QString>("percent");

    QTest::newRow("no other fee") << "0"
                                  << "GBP"
                                  << "5864.5791"
                                  << "361.9209"
                                  << "5.8126";
    QTest::newRow("10 GBP before the bank") << "10"
                                            << "GBP"
                                            << "5765.7821"
                                            << "460.7179"
                                            << "7.3993";
    QTest::newRow("50 RMB after the bank") << "50"
                                           << "RMB"
                                           << "5814.5791"
                                           << "411.9209"
                                           << "6.6156";
}

void TestForm5Figures::settlementAndLoss()
{
    QFETCH(QString, otherFee);
    QFETCH(QString, feeCurrency);
    QFETCH(QString, settled);
    QFETCH(QString, loss);
    QFETCH(QString, percent);

    OpenedWindow window;
    Form5 &form = window.form;
    payOut1000(form);
    form.Combo3.setText(feeCurrency);
    form.Text4.setText(otherFee);

    QCOMPARE(form.Text3.text(), "593.5989");
    QCOMPARE(form.Text5.text(), settled);
    QCOMPARE(form.Text6.text(), loss);
    QCOMPARE(form.Text7.text(), percent);
}

void TestForm5Figures::settlementPerBank_data()
{
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QString>("receiving");
    QTest::addColumn<QString>("settled");
    QTest::addColumn<QString>("loss");
    QTest::addColumn<QString>("percent");

    QTest::newRow("中行 GBP") << "中行"
                              << "GBP"
                              << "5864.5791"
                              << "361.9209"
                              << "5.8126";
    QTest::newRow("中行 EUR") << "中行"
                              << "EUR"
                              << "5874.8226"
                              << "351.6774"
                              << "5.6481";
    QTest::newRow("建行 GBP") << "建行"
                              << "GBP"
                              << "5854.7253"
                              << "357.8747"
                              << "5.7605";
    QTest::newRow("建行 EUR") << "建行"
                              << "EUR"
                              << "5871.2521"
                              << "341.3479"
                              << "5.4944";
    QTest::newRow("交行 GBP") << "交行"
                              << "GBP"
                              << "5854.7847"
                              << "358.6153"
                              << "5.7716";
    QTest::newRow("交行 EUR") << "交行"
                              << "EUR"
                              << "5870.9545"
                              << "342.4455"
                              << "5.5114";
}

void TestForm5Figures::settlementPerBank()
{
    QFETCH(QString, bank);
    QFETCH(QString, receiving);
    QFETCH(QString, settled);
    QFETCH(QString, loss);
    QFETCH(QString, percent);

    OpenedWindow window;
    Form5 &form = window.form;
    payOut1000(form);
    form.Combo2.setText(receiving);
    form.Combo4.setText(bank);

    QCOMPARE(form.Text5.text(), settled);
    QCOMPARE(form.Text6.text(), loss);
    QCOMPARE(form.Text7.text(), percent);
}

void TestForm5Figures::otherFeeCurrencyResetOnReceivedAmount()
{
    OpenedWindow window;
    Form5 &form = window.form;
    payOut1000(form);
    form.Text4.setText("50");
    form.Combo3.setText("RMB");
    QCOMPARE(form.Text5.text(), "5814.5791");

    form.Text1.setText("10000");

    QCOMPARE(form.Combo3.text(), "GBP");
    QCOMPARE(items(form.Combo3), QStringList({"GBP", "RMB"}));
    QCOMPARE(form.Text5.text(), "59784.2165"); // (6101.2178 − 50) × 9.8797
}

void TestForm5Figures::otherFeeCurrencyKeptOnFeeAndBankEdits()
{
    OpenedWindow window;
    Form5 &form = window.form;
    payOut1000(form);
    form.Combo3.setText("RMB");

    form.Text4.setText("50");
    QCOMPARE(form.Combo3.text(), "RMB");
    QCOMPARE(form.Text5.text(), "5814.5791");

    form.Text14.setText("10");
    QCOMPARE(form.Combo3.text(), "RMB");
    QCOMPARE(form.Text5.text(), "5885.9890"); // 593.5989 × 10 − 50
}

void TestForm5Figures::receivingEurUsesEurBankRate()
{
    OpenedWindow window;
    Form5 &form = window.form;
    payOut1000(form);

    form.Combo2.setText("EUR");

    QCOMPARE(items(form.Combo3), QStringList({"EUR", "RMB"}));
    QCOMPARE(form.Combo3.text(), "EUR");
    QCOMPARE(form.Text5.text(), "5874.8226"); // 743.8650 × 7.8977
}

void TestForm5Figures::zeroDividingRateReceivesNothing()
{
    OpenedWindow window;
    Form5 &form = window.form;
    payOut1000(form);
    QCOMPARE(form.Text3.text(), "593.5989");

    form.Text12.setText("");

    QCOMPARE(form.Text3.text(), "0.0000");
    QCOMPARE(form.Text5.text(), "0.0000");
    QCOMPARE(form.Text6.text(), "6226.5000");
    QCOMPARE(form.Text7.text(), "100.0000");
}

void TestForm5Figures::zeroMultiplyingRateReceivesNothing()
{
    OpenedWindow window;
    Form5 &form = window.form;
    form.Combo1.setText("GBP");
    payOut1000(form);
    QCOMPARE(form.Text3.text(), "1529.1140");

    form.Text9.setText("");

    QCOMPARE(form.Text3.text(), "0.0000");
}

void TestForm5Figures::lossPercentWithoutGrossAmount_data()
{
    QTest::addColumn<bool>("emptyTheAmounts");

    QTest::newRow("payout and balance emptied") << true;
    QTest::newRow("account currency's bank rate emptied") << false;
}

void TestForm5Figures::lossPercentWithoutGrossAmount()
{
    QFETCH(bool, emptyTheAmounts);

    OpenedWindow window;
    Form5 &form = window.form;
    payOut1000(form);
    QCOMPARE(form.Text7.text(), "5.8126");

    if (emptyTheAmounts) {
        form.Text1.setText("");
        form.Text17.setText("");
        QCOMPARE(form.Text2.text(), "30");
    } else {
        form.Text15.setText("");
    }

    // Nothing to measure the loss against: the loss is the settlement given away, and no
    // old percentage stays beside it.
    QVERIFY(form.Text6.text() != "0.0000");
    const QString settled = form.Text5.text();
    QCOMPARE(form.Text6.text(), settled.startsWith('-') ? settled.mid(1) : "-" + settled);
    QCOMPARE(form.Text7.text(), "0.0000");
}

void TestForm5Figures::zeroBankRateForReceivingCurrency_data()
{
    QTest::addColumn<QString>("otherFee");
    QTest::addColumn<QString>("feeCurrency");
    QTest::addColumn<QString>("settled");

    QTest::newRow("no other fee") << "0"
                                  << "GBP"
                                  << "0.0000";
    QTest::newRow("50 RMB") << "50"
                            << "RMB"
                            << "-50.0000";
}

void TestForm5Figures::zeroBankRateForReceivingCurrency()
{
    QFETCH(QString, otherFee);
    QFETCH(QString, feeCurrency);
    QFETCH(QString, settled);

    OpenedWindow window;
    Form5 &form = window.form;
    payOut1000(form);
    form.Combo3.setText(feeCurrency);
    form.Text4.setText(otherFee);

    form.Text14.setText("");

    QCOMPARE(form.Text5.text(), settled);
}

void TestForm5Figures::floatWritesEveryRateBoxTwice()
{
    OpenedWindow window;
    Form5 &form = window.form;
    QStringList writes;
    for (TextBox *box :
         {&form.Text8, &form.Text9, &form.Text10, &form.Text11, &form.Text12, &form.Text13})
        recordWrites(*box, writes);

    form.Text18.setText("2.5");

    QCOMPARE(writes,
             QStringList({"Text8=1.2209925", "Text8=1.2210", "Text9=1.552395", "Text9=1.5524",
                          "Text10=1.238445", "Text10=1.2384", "Text11=1.2856575", "Text11=1.2857",
                          "Text12=1.634055", "Text12=1.6341", "Text13=1.304005", "Text13=1.3040"}));
    QCOMPARE(form.Text3.text(), "0.0000"); // recomputed from the formatted rates
}

void TestForm5Figures::floatValues_data()
{
    QTest::addColumn<QString>("floatText");
    QTest::addColumn<QStringList>("rates");
    QTest::addColumn<QString>("received"); // 970 USD at the floated Buy GBP·USD

    QTest::newRow("3") << "3"
                       << QStringList{"1.2147", "1.5444", "1.2321", "1.2919", "1.6420", "1.3104"}
                       << "590.7430";
    QTest::newRow("empty floats by 0")
        << "" << QStringList{"1.2523", "1.5922", "1.2702", "1.2543", "1.5942", "1.2722"}
        << "608.4557";
    QTest::newRow("100") << "100"
                         << QStringList{"0.0000", "0.0000", "0.0000", "2.5086", "3.1884", "2.5444"}
                         << "304.2278";
}

void TestForm5Figures::floatValues()
{
    QFETCH(QString, floatText);
    QFETCH(QStringList, rates);
    QFETCH(QString, received);

    OpenedWindow window;
    Form5 &form = window.form;
    payOut1000(form);

    form.Text18.setText(floatText);

    const QList<TextBox *> boxes{&form.Text8,  &form.Text9,  &form.Text10,
                                 &form.Text11, &form.Text12, &form.Text13};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(boxes[i]->text(), rates[i]);
    QCOMPARE(form.Text3.text(), received);
}

void TestForm5Figures::typedFloatRunsPerKeystroke()
{
    OpenedWindow window;
    Form5 &form = window.form;
    QVERIFY(showActive(form));
    form.Text18.setText("");
    QStringList writes;
    recordWrites(form.Text8, writes);
    form.Text18.setFocus();

    QTest::keyClicks(form.Text18.lineEdit(), "3.5");

    QCOMPARE(writes, QStringList({"Text8=1.214731", "Text8=1.2147", "Text8=1.214731",
                                  "Text8=1.2147", "Text8=1.2084695", "Text8=1.2085"}));
    QCOMPARE(form.Text13.text(), "1.3167");
}

void TestForm5Figures::typedRateLastsUntilTheFloatChanges()
{
    OpenedWindow window;
    Form5 &form = window.form;
    form.Combo1.setText("GBP");
    payOut1000(form);

    form.Text9.setText("1.6");
    QCOMPARE(form.Text3.text(), "1576.0000");

    form.Text18.setText("2.5");
    QCOMPARE(form.Text9.text(), "1.5524");
    QCOMPARE(form.Text3.text(), "1529.1140");
}

void TestForm5Figures::bankChoice_data()
{
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QStringList>("rates");

    QTest::newRow("建行") << "建行" << QStringList{"9.8631", "6.2126", "7.8929"};
    QTest::newRow("交行") << "交行" << QStringList{"9.8632", "6.2134", "7.8925"};
    QTest::newRow("中行") << "中行" << QStringList{"9.8797", "6.2265", "7.8977"};
}

void TestForm5Figures::bankChoice()
{
    QFETCH(QString, bank);
    QFETCH(QStringList, rates);

    OpenedWindow window;
    Form5 &form = window.form;
    form.Combo4.setText("交行");
    form.Combo4.setText(bank);

    QCOMPARE(form.Text14.text(), rates[0]);
    QCOMPARE(form.Text15.text(), rates[1]);
    QCOMPARE(form.Text16.text(), rates[2]);
}

void TestForm5Figures::typedBankRateGivesWayToTheStoredOne()
{
    OpenedWindow window;
    Form5 &form = window.form;
    payOut1000(form);
    form.Text14.setText("9.9");
    QCOMPARE(form.Text5.text(), "5876.6291"); // a typed rate counts at once
    QCOMPARE(form.bankRates, defaultBankRates());

    form.Combo4.setText("建行");
    form.Combo4.setText("中行");

    QCOMPARE(form.Text14.text(), "9.8797");
    QCOMPARE(form.Text5.text(), "5864.5791");
}

void TestForm5Figures::reopeningRestoresTheDefaults()
{
    FakeServices fake;
    {
        Form5 form(fake.services);
        form.load();
        form.Text18.setText("3");
        form.Text9.setText("2");
        form.Text14.setText("1");
        form.Combo4.setText("建行");
        form.wfRawRates[SellGbpEur] = 2;
        form.bankRates[0][BankGbp] = 3;
        form.Unload();
    }
    Form5 reopened(fake.services);
    reopened.load();

    QCOMPARE(reopened.Text18.text(), "2.5");
    QCOMPARE(reopened.Text9.text(), "1.5524");
    QCOMPARE(reopened.Combo4.text(), "中行");
    QCOMPARE(reopened.Text14.text(), "9.8797");
    QCOMPARE(reopened.wfRawRates, defaultWfRawRates());
    QCOMPARE(reopened.bankRates, defaultBankRates());
}

void TestForm5Figures::keyFilterOnEveryEditableBox_data()
{
    QTest::addColumn<QString>("box");

    for (const char *name : {"Text1", "Text4", "Text8", "Text9", "Text10", "Text11", "Text12",
                             "Text13", "Text14", "Text15", "Text16", "Text17", "Text18"})
        QTest::newRow(name) << name;
}

void TestForm5Figures::keyFilterOnEveryEditableBox()
{
    QFETCH(QString, box);

    OpenedWindow window;
    Form5 &form = window.form;
    QVERIFY(showActive(form));
    auto *edit = form.findChild<QLineEdit *>(box);
    QVERIFY(edit);

    typeKeysToSift(edit);

    QCOMPARE(edit->text(), "123.45");
}

void TestForm5Figures::pasteShortcutSwallowed()
{
    OpenedWindow window;
    Form5 &form = window.form;
    QVERIFY(showActive(form));

    pasteByShortcut(form.Text1.lineEdit());

    QCOMPARE(form.Text1.text(), "0");
}

void TestForm5Figures::severalPointsReadAsTheFirstNumber()
{
    OpenedWindow window;
    Form5 &form = window.form;
    QVERIFY(showActive(form));
    form.Text1.setFocus();
    form.Text1.lineEdit()->selectAll();

    QTest::keyClicks(form.Text1.lineEdit(), "1.2.3");

    QCOMPARE(form.Text1.text(), "1.2.3");
    QCOMPARE(form.Text3.text(), "-17.6244"); // (1.2 − 30) ÷ 1.6341
}

void TestForm5Figures::lockedBoxes()
{
    OpenedWindow window;
    Form5 &form = window.form;
    for (TextBox *box : {&form.Text2, &form.Text3, &form.Text5, &form.Text6, &form.Text7})
        QVERIFY2(box->isLocked(), qPrintable(box->objectName()));
    for (TextBox *box :
         {&form.Text1, &form.Text4, &form.Text8, &form.Text14, &form.Text17, &form.Text18})
        QVERIFY2(!box->isLocked(), qPrintable(box->objectName()));
}

void TestForm5Figures::tabOrderAndFirstFocus()
{
    OpenedWindow window;
    Form5 &form = window.form;
    QVERIFY(showActive(form));

    QCOMPARE(QApplication::focusWidget(), form.Text17.widget());
    const QStringList expected{"Text17", "Combo1", "Text1",  "Text2",  "Text3",    "Combo2",
                               "Text4",  "Combo3", "Text5",  "Text6",  "Text7",    "Text18",
                               "Text8",  "Text11", "Text9",  "Text12", "Text10",   "Text13",
                               "Text14", "Text15", "Text16", "Combo4", "Command1", "Command2"};
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, expected);
}

void TestForm5Figures::links_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("service");
    QTest::addColumn<QString>("path");

    QTest::newRow("fee page") << "Label31"
                              << "worldfirst"
                              << "/ecommerce/rest-of-world/china/fees/";
    QTest::newRow("live rate table") << "Label32"
                                     << "worldfirst"
                                     << "/liveratestable/";
    QTest::newRow("forex list") << "Label33"
                                << "forex"
                                << "/center/forexlist.html";
}

void TestForm5Figures::links()
{
    QFETCH(QString, link);
    QFETCH(QString, service);
    QFETCH(QString, path);

    OpenedWindow window;
    window.fake.pointAt("worldfirst", "http://wf.example");
    window.fake.pointAt("forex", "http://forex.example");
    QVERIFY(showActive(window.form));
    auto *label = window.form.findChild<QLabel *>(link);
    QVERIFY(label);

    QTest::mouseClick(label, Qt::LeftButton);

    const QString host = service == "forex" ? "http://forex.example" : "http://wf.example";
    QCOMPARE(window.fake.shell.addresses, QStringList{host + path});
}

SKARVEL_TEST_MAIN(TestForm5Figures)
#include "tst_form5_figures.moc"
