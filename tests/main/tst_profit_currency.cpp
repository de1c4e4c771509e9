#include "main/currency_table.h"
#include "platform/box_number.h"
#include "profit_fixture.h"
#include "support/fake_web.h"
#include "support/input_during_wait.h"
#include "support/test_main.h"

#include <QAbstractItemView>
#include <functional>

namespace {

const QString offlinePrompt =
    QStringLiteral("亲，是不是断网了啊？无法联网获取汇率，要么找网管，要么手动填哦亲！");
const QString offlineTitle = QStringLiteral("亲，网络异常，你懂得！");

const QStringList captionLabels = {"Label2",  "Label4",  "Label6",  "Label5",  "Label7",
                                   "Label8",  "Label15", "Label16", "Label17", "Label31",
                                   "Label32", "Label12", "Label14"};

void pickCurrency(ProfitFixture &f, const QString &name)
{
    f.panel->Combo2.setListIndex(currencyNames().indexOf(name));
}

const QString ratesPage = QStringLiteral("<p>1美元=6.1512人民币</p><p>1英镑=9.81人民币</p>");

using Input = std::function<void(ProfitFixture &)>;

} // namespace

class TestProfitCurrency : public QObject
{
    Q_OBJECT

private slots:
    void pick_data();
    void pick();
    void pickKeepsTheFreights();
    void typedCurrencyChangesNoCaption();
    void fetchAsksForEachCurrency_data();
    void fetchAsksForEachCurrency();
    void fetchOutcomes_data();
    void fetchOutcomes();
    void fetchWhenUnreachable();
    void fetchForATypedCurrencyAsksNothing();
    void leavingTheRateBoxForTheFetchChecksTheRateFirst();
    void inputDuringTheFetchWaitsForItsEnd_data();
    void inputDuringTheFetchWaitsForItsEnd();
    void secondClickDuringTheFetchStartsNone();
};

void TestProfitCurrency::pick_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("costCaption");
    QTest::addColumn<QString>("unitPriceCaption");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("cost");

    QTest::newRow("美元") << "美元"
                          << "成本(USD)"
                          << "销售价(USD)"
                          << "美国"
                          << "获取最新美元汇率"
                          << "6.3175"
                          << "5.5402";
    QTest::newRow("英镑") << "英镑"
                          << "成本(GBP)"
                          << "销售价(GBP)"
                          << "英国"
                          << "获取最新英镑汇率"
                          << "9.9629"
                          << "3.5130";
    QTest::newRow("欧元") << "欧元"
                          << " 成本(EUR)"
                          << "销售价(EUR)"
                          << "德国"
                          << "获取最新欧元汇率"
                          << "8.3038"
                          << "4.2149";
    QTest::newRow("卢布") << "卢布"
                          << "成本(RUB)"
                          << "销售价(RUB)"
                          << "俄罗斯"
                          << "获取最新卢布汇率"
                          << "0.2136"
                          << "163.8577";
}

void TestProfitCurrency::pick()
{
    QFETCH(QString, currency);
    QFETCH(QString, costCaption);
    QFETCH(QString, unitPriceCaption);
    QFETCH(QString, destination);
    QFETCH(QString, button);
    QFETCH(QString, rate);
    QFETCH(QString, cost);

    ProfitFixture f;
    f.enterExample();
    f.panel->Combo1.setText("加拿大");
    pickCurrency(f, currency);

    // The currency table's captions, checked text for text elsewhere, on the right labels.
    QStringList shown;
    for (const QString &label : captionLabels)
        shown << f.caption(label);
    QCOMPARE(shown, currencyNamed(currency)->captions);
    QCOMPARE(f.caption("Label2"), costCaption);
    QCOMPARE(f.caption("Label6"), unitPriceCaption);
    QCOMPARE(f.caption("Label45"), QString("纯利润(USD)"));
    QCOMPARE(f.caption("Label35"), QString("纯利润(USD)"));
    QCOMPARE(f.caption("Label1"), QString("成本(RMB)"));
    QCOMPARE(f.panel->Combo1.text(), destination);
    QCOMPARE(f.panel->Command3.Caption(), button);
    QCOMPARE(f.text("Text118"), rate);
    QCOMPARE(f.text("Text102"), cost);
    QVERIFY(f.dialogs().shown().isEmpty());
}

void TestProfitCurrency::pickKeepsTheFreights()
{
    ProfitFixture f;
    f.box("Text112").setText("300");
    f.panel->Combo1.setText("加拿大");
    QTest::keyClick(f.destinationEdit(), Qt::Key_Shift);
    QCOMPARE(f.text("Text115"), QString("103"));
    QCOMPARE(f.text("Text113"), QString("送不到"));

    pickCurrency(f, "英镑");
    QCOMPARE(f.panel->Combo1.text(), QString("英国"));
    QCOMPARE(f.text("Text115"), QString("103"));
    QCOMPARE(f.text("Text113"), QString("送不到"));
    // 103 / 9.9629
    QCOMPARE(f.text("Text116"), QString("10.3384"));
}

void TestProfitCurrency::typedCurrencyChangesNoCaption()
{
    ProfitFixture f;
    f.panel->Combo2.setText("英镑");
    QCOMPARE(f.caption("Label6"), QString("产品单价(USD)"));
    QCOMPARE(f.panel->Command3.Caption(), QString("获取最新美元汇率"));
    QCOMPARE(f.text("Text118"), QString("6.10"));
}

void TestProfitCurrency::fetchAsksForEachCurrency_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<bool>("picked");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QString>("rate");

    QTest::newRow("美元") << "美元" << true
                          << QByteArray("wd=%C3%C0%D4%AA%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA")
                          << "6.1512";
    QTest::newRow("英镑") << "英镑" << true
                          << QByteArray("wd=%D3%A2%B0%F7%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA") << "9.81";
    QTest::newRow("欧元") << "欧元" << true
                          << QByteArray("wd=%C5%B7%D4%AA%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA") << "8.12";
    QTest::newRow("卢布 cut after its full name")
        << "卢布" << true << QByteArray("wd=%C2%AC%B2%BC%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA")
        << "0.1873";
    QTest::newRow("英镑 typed, not picked")
        << "英镑" << false << QByteArray("wd=%D3%A2%B0%F7%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA") << "9.81";
}

void TestProfitCurrency::fetchAsksForEachCurrency()
{
    QFETCH(QString, currency);
    QFETCH(bool, picked);
    QFETCH(QByteArray, query);
    QFETCH(QString, rate);

    FakeWeb web;
    web.route("/s", QStringLiteral("<p>1美元=6.1512人民币</p><p>1英镑=9.81人民币</p>"
                                   "<p>1欧元=8.12人民币</p><p>1卢布=5人民币</p>"
                                   "<p>1俄罗斯卢布=0.1873人民币</p>"));
    ProfitFixture f(web.baseUrl());
    f.box("Text101").setText("35");
    if (picked)
        pickCurrency(f, currency);
    else
        f.panel->Combo2.setText(currency);
    f.panel->Command3.click();

    QVERIFY(f.dialogs().shown().isEmpty());
    QCOMPARE(f.text("Text118"), rate);
    QCOMPARE(f.text("Text102"), *fourDecimals(35 / readLenient(rate)));
    const QList<FakeWeb::Request> requests = web.requests();
    QCOMPARE(requests.size(), 2);
    for (const FakeWeb::Request &request : requests) {
        QCOMPARE(request.method, QByteArray("GET"));
        QCOMPARE(request.path, QByteArray("/s"));
        QCOMPARE(request.query, query);
    }
    QCOMPARE(requests[0].header("If-Modified-Since"), QByteArray("0"));
}

void TestProfitCurrency::fetchOutcomes_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<bool>("offlineMessage");

    QTest::newRow("found") << "今日1美元=6.1512人民币元"
                           << "6.1512" << false;
    QTest::newRow("blanks around the figure are dropped") << "1美元= 6.1512 人民币"
                                                          << "6.1512" << false;
    QTest::newRow("no closing marker: the rest of the page") << "1美元=6.2"
                                                             << "6.2" << false;
    QTest::newRow("two markers without a closing one between") << "1美元=6.3 1美元=6.4人民币"
                                                               << "6.3" << false;
    QTest::newRow("marker missing") << "汇率暂无"
                                    << "7.1" << true;
    QTest::newRow("empty page") << ""
                                << "7.1" << true;
    QTest::newRow("closing marker at once") << "1美元=人民币"
                                            << "7.1" << true;
    QTest::newRow("page ends with the marker") << "汇率1美元="
                                               << "7.1" << true;
    QTest::newRow("markup before the figure") << "1美元=<b>6.15</b>人民币"
                                              << "7.1" << true;
    QTest::newRow("zero") << "1美元=0人民币"
                          << "7.1" << true;
}

void TestProfitCurrency::fetchOutcomes()
{
    QFETCH(QString, page);
    QFETCH(QString, rate);
    QFETCH(bool, offlineMessage);

    FakeWeb web;
    web.route("/s", page);
    ProfitFixture f(web.baseUrl());
    f.box("Text118").setText("7.1");
    f.box("Text101").setText("35");
    f.panel->Command3.click();

    QCOMPARE(f.text("Text118"), rate);
    // Converted and recomputed at the rate standing after the fetch.
    QCOMPARE(f.text("Text102"), *fourDecimals(35 / readLenient(rate)));
    QCOMPARE(f.dialogs().shown().size(), offlineMessage ? 1 : 0);
    if (offlineMessage) {
        QCOMPARE(f.dialogs().shown()[0].prompt, offlinePrompt);
        QCOMPARE(f.dialogs().shown()[0].title, offlineTitle);
        QCOMPARE(f.dialogs().shown()[0].style, MsgStyle::Information);
    }
}

void TestProfitCurrency::fetchWhenUnreachable()
{
    ProfitFixture f; // every service at a port that refuses connections
    f.box("Text101").setText("35");
    f.box("Text118").setText("7");
    f.panel->Command3.click();

    QCOMPARE(f.dialogs().shown().size(), 1);
    QCOMPARE(f.dialogs().shown()[0].prompt, offlinePrompt);
    QCOMPARE(f.dialogs().shown()[0].title, offlineTitle);
    QCOMPARE(f.text("Text118"), QString("7"));
    QCOMPARE(f.text("Text102"), QString("5.0000"));
}

void TestProfitCurrency::fetchForATypedCurrencyAsksNothing()
{
    FakeWeb web;
    web.route("/s", QStringLiteral("1美元=6.1512人民币"));
    ProfitFixture f(web.baseUrl());
    f.box("Text101").setText("35");
    f.panel->Combo2.setText("日元");
    f.box("Text118").setText("7");
    f.panel->Command3.click();

    QVERIFY(web.requests().isEmpty());
    QVERIFY(f.dialogs().shown().isEmpty());
    QCOMPARE(f.text("Text118"), QString("7"));
    QCOMPARE(f.text("Text102"), QString("5.0000"));
}

void TestProfitCurrency::leavingTheRateBoxForTheFetchChecksTheRateFirst()
{
    ProfitFixture f;
    f.panel->show();
    QVERIFY(QTest::qWaitForWindowActive(f.panel.get()));
    f.box("Text118").setFocus();
    f.box("Text118").setText("");
    f.panel->Command3.click();

    QCOMPARE(f.dialogs().shown().size(), 2);
    QCOMPARE(f.dialogs().shown()[0].title, QString("亲，不能这么填哦亲！"));
    QCOMPARE(f.dialogs().shown()[1].title, offlineTitle);
    QCOMPARE(f.text("Text118"), QString("6.3175"));
}

void TestProfitCurrency::inputDuringTheFetchWaitsForItsEnd_data()
{
    QTest::addColumn<Input>("input");

    QTest::newRow("Down key in the currency list")
        << Input([](ProfitFixture &f) { QTest::keyClick(f.panel->Combo2.widget(), Qt::Key_Down); });
    QTest::newRow("click in the open currency list") << Input([](ProfitFixture &f) {
        QComboBox *list = f.panel->Combo2.widget();
        list->showPopup();
        QAbstractItemView *items = list->view();
        const QRect item = items->visualRect(items->model()->index(2, 0));
        QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, item.center());
    });
    QTest::newRow("digit typed at the end of the cost box") << Input([](ProfitFixture &f) {
        QLineEdit *cost = f.box("Text101").lineEdit();
        QTest::keyClick(cost, Qt::Key_End);
        QTest::keyClick(cost, '0');
    });
}

void TestProfitCurrency::inputDuringTheFetchWaitsForItsEnd()
{
    QFETCH(Input, input);
    FakeWeb web;
    web.route("/s", slowPage(ratesPage));
    // A calculator that fetches undisturbed, then takes the same input.
    ProfitFixture undisturbed(web.baseUrl());
    undisturbed.enterExample();
    undisturbed.panel->Command3.click();
    const QStringList fetched = shownTexts(*undisturbed.panel);
    input(undisturbed);
    const QStringList fetchedThenInput = shownTexts(*undisturbed.panel);
    QVERIFY(fetchedThenInput != fetched);
    web.clearRequests();
    ProfitFixture f(web.baseUrl());
    f.enterExample();
    const InputDuringTheWait during([&] { return !web.requests().isEmpty(); }, [&] { input(f); });

    f.panel->Command3.click();

    // The fetch ends on the currency and the boxes it was asked for.
    QCOMPARE(shownTexts(*f.panel), fetched);
    // The input is taken once the fetch is over, as it would be then.
    QTRY_VERIFY(during.came());
    QCOMPARE(shownTexts(*f.panel), fetchedThenInput);
    QVERIFY(f.dialogs().shown().isEmpty());
}

void TestProfitCurrency::secondClickDuringTheFetchStartsNone()
{
    FakeWeb web;
    web.route("/s", slowPage(ratesPage));
    ProfitFixture f(web.baseUrl());
    f.box("Text101").setText("35");
    CommandButton &fetch = f.panel->Command3;
    InputDuringTheWait secondClick([&] { return !web.requests().isEmpty(); },
                                   [&fetch] { fetch.click(); });

    fetch.click();
    secondClick.withdraw();

    QCOMPARE(web.requests().size(), 2); // the page and the probe of one fetch
    QVERIFY(f.dialogs().shown().isEmpty());
    QCOMPARE(f.text("Text118"), QString("6.1512"));
    QCOMPARE(f.text("Text102"), QString("5.6899"));
}

SKARVEL_TEST_MAIN(TestProfitCurrency)
#include "tst_profit_currency.moc"
