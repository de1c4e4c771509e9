#include "line_break_rows.h"
#include "support/fake_services.h"
#include "support/fake_web.h"
#include "support/input_during_wait.h"
#include "support/test_main.h"
#include "worldfirst/form5.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>
#include <atomic>
#include <memory>

namespace {

const QString offlinePrompt =
    QStringLiteral("亲，是不是断网了啊？无法联网获取汇率，要么找网管，要么手动填哦亲！");
const QString offlineTitle = QStringLiteral("亲，网络异常，你懂得！");
const QString wfPath = QStringLiteral("/up_to_date_table.php");
const QString forexPath = QStringLiteral("/center/forexlist.html");

QString wfRow(const QString &label, const QString &sell, const QString &buy)
{
    return QStringLiteral("<tr><td>%1</td><td>%2</td><td>%3</td></tr>").arg(label, sell, buy);
}

// WorldFirst's table with GBPEUR at the default raw rates and new GBPUSD and EURUSD rates;
// `before` and `after` stand around every figure, as on a page laid out over several lines.
QString wfTable(const QString &before = {}, const QString &after = {})
{
    const auto cell = [&](const char *figure) { return before + figure + after; };
    return "<table>" + wfRow("GBPEUR", cell("1.2523"), cell("1.2543")) +
           wfRow("GBPUSD", cell("1.6000"), cell("1.6100")) +
           wfRow("EURUSD", cell("1.3000"), cell("1.3100")) + "</table>";
}

QString quoteRow(const QString &name, const QString &unit, const QString &quote)
{
    return "<tr><td>" + name + "</td><td><span class=\"digi\">" + unit +
           "</span></td><td><span class=\"digi\">" + quote +
           "</span></td><td><span class=\"digi\">1.00</span></td></tr>";
}

// The portal's list: the bank of China's section, then the section 建行 and 交行 share;
// `before` and `after` stand around every quote.
QString forexPage(const QString &before = {}, const QString &after = {})
{
    const auto quote = [&](const char *figure) { return before + figure + after; };
    return "<html><div id=\"yhpjboc\"><table>" + quoteRow("英镑", "100", quote("983.22")) +
           quoteRow("美元", "100", quote("620.00")) + quoteRow("欧元", "100", quote("790.10")) +
           "</table></div><div id=\"Div3\"><table>" + quoteRow("英镑", "1", quote("9.9000")) +
           quoteRow("美元", "1", quote("6.3000")) + quoteRow("欧元", "1", quote("8.0000")) +
           quoteRow("英镑(GBP/CNY)", "100", quote("991.00")) +
           quoteRow("美元(USD/CNY)", "100", quote("631.00")) +
           quoteRow("欧元(EUR/CNY)", "100", quote("801.00")) + "</table></div></html>";
}

QStringList texts(const QList<TextBox *> &boxes)
{
    QStringList texts;
    for (const TextBox *box : boxes)
        texts << box->text();
    return texts;
}

// A calculator whose outside services are played by a local server.
struct ServedWindow
{
    ServedWindow() { form.load(); }

    QStringList rateTexts()
    {
        return texts(
            {&form.Text8, &form.Text9, &form.Text10, &form.Text11, &form.Text12, &form.Text13});
    }
    QStringList bankTexts() { return texts({&form.Text14, &form.Text15, &form.Text16}); }

    FakeWeb web;
    FakeServices fake{web.baseUrl()};
    Form5 form{fake.services};
};

// The one box a fetch shows when the service cannot be reached.
bool shownOfflineOnce(const ScriptedDialogs &dialogs)
{
    if (dialogs.shown().size() != 1)
        return false;
    const ScriptedDialogs::Shown &box = dialogs.shown()[0];
    return box.prompt == offlinePrompt && box.title == offlineTitle &&
           box.style == MsgStyle::Information;
}

const QStringList designRates{"1.2210", "1.5524", "1.2384", "1.2857", "1.6341", "1.3040"};
const QStringList defaultBankOfChina{"9.8797", "6.2265", "7.8977"};

} // namespace

class TestForm5Fetches : public QObject
{
    Q_OBJECT

private slots:
    void wfFetchTakesThePage_data();
    void wfFetchTakesThePage();
    void wfFetchTakesCellsOverSeveralLines_data();
    void wfFetchTakesCellsOverSeveralLines();
    void wfFetchAsksTheTablePage();
    void wfFetchRepeatedGivesTheSameRates();
    void wfFloatAfterFetchWorksOnFetchedRates();
    void wfPageWithoutUsableRows_data();
    void wfPageWithoutUsableRows();
    void wfBrokenRowKeepsItsPairOnly();
    void wfOffline_data();
    void wfOffline();

    void bankFetchTakesThePage_data();
    void bankFetchTakesThePage();
    void bankFetchTakesQuotesOverSeveralLines_data();
    void bankFetchTakesQuotesOverSeveralLines();
    void bankFetchStoresOnlyTheChosenBank();
    void bankFetchRepeatedGivesTheSameRates();
    void bankPageWithoutUsableQuotes_data();
    void bankPageWithoutUsableQuotes();
    void bankMissingCurrencyKeepsThatCurrencyOnly();
    void bankOffline_data();
    void bankOffline();
    void bankFetchWithoutBankAsksNothing();

    void bankListTakesNoChoiceDuringTheFetch_data();
    void bankListTakesNoChoiceDuringTheFetch();
    void secondClickDuringAFetchStartsNone_data();
    void secondClickDuringAFetchStartsNone();
};

void TestForm5Fetches::wfFetchTakesThePage_data()
{
    QTest::addColumn<QString>("floatText");
    QTest::addColumn<QStringList>("rates");

    QTest::newRow("float 2.5") << "2.5" << QStringList{"1.2210", "1.5600", "1.2675",
                                                       "1.2857", "1.6503", "1.3428"};
    QTest::newRow("float 0 shows the page's rates")
        << "0" << QStringList{"1.2523", "1.6000", "1.3000", "1.2543", "1.6100", "1.3100"};
}

void TestForm5Fetches::wfFetchTakesThePage()
{
    QFETCH(QString, floatText);
    QFETCH(QStringList, rates);

    ServedWindow window;
    window.web.route(wfPath, wfTable());
    Form5 &form = window.form;
    form.Text18.setText(floatText);
    form.Combo1.setText("GBP");
    form.Text1.setText("1000");

    form.Command1.click();

    QCOMPARE(window.rateTexts(), rates);
    QCOMPARE(form.wfRawRates, WfRates({1.2523, 1.6, 1.3, 1.2543, 1.61, 1.31}));
    QVERIFY(window.fake.dialogs.shown().isEmpty());
    // The received amount follows the new Sell GBP·USD.
    QCOMPARE(form.Text3.text(), floatText == "0" ? "1576.0000" : "1536.6000");
}

void TestForm5Fetches::wfFetchTakesCellsOverSeveralLines_data()
{
    addLineBreakRows();
    QTest::newRow("no-break spaces") << QStringLiteral("\u00a0") << QStringLiteral("\u00a0");
}

void TestForm5Fetches::wfFetchTakesCellsOverSeveralLines()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    ServedWindow window;
    window.web.route(wfPath, wfTable(before, after));

    window.form.Command1.click();

    QCOMPARE(window.rateTexts(),
             QStringList({"1.2210", "1.5600", "1.2675", "1.2857", "1.6503", "1.3428"}));
    QCOMPARE(window.form.wfRawRates, WfRates({1.2523, 1.6, 1.3, 1.2543, 1.61, 1.31}));
    QVERIFY(window.fake.dialogs.shown().isEmpty());
}

void TestForm5Fetches::wfFetchAsksTheTablePage()
{
    ServedWindow window;
    window.web.route(wfPath, wfTable());

    window.form.Command1.click();

    const QList<FakeWeb::Request> requests = window.web.requests();
    QCOMPARE(requests.size(), 2); // the page, then the probe
    for (const FakeWeb::Request &request : requests)
        QCOMPARE(request.target, wfPath.toUtf8());
    QCOMPARE(requests[0].header("If-Modified-Since"), "0");
}

void TestForm5Fetches::wfFetchRepeatedGivesTheSameRates()
{
    ServedWindow window;
    window.web.route(wfPath, wfTable());
    window.form.Command1.click();
    const QStringList once = window.rateTexts();
    const WfRates rawOnce = window.form.wfRawRates;

    window.form.Command1.click();

    QCOMPARE(window.rateTexts(), once);
    QCOMPARE(window.form.wfRawRates, rawOnce);
}

void TestForm5Fetches::wfFloatAfterFetchWorksOnFetchedRates()
{
    ServedWindow window;
    window.web.route(wfPath, wfTable());
    window.form.Command1.click();

    window.form.Text18.setText("0");

    QCOMPARE(window.rateTexts(),
             QStringList({"1.2523", "1.6000", "1.3000", "1.2543", "1.6100", "1.3100"}));
}

void TestForm5Fetches::wfPageWithoutUsableRows_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("offline");

    QTest::newRow("no row labels") << "<html><body>maintenance</body></html>" << false;
    // The probe's reply is as empty as the page: the service counts as down.
    QTest::newRow("empty page") << "" << true;
    QTest::newRow("cells not numbers")
        << "<table>" + wfRow("GBPEUR", "n/a", "n/a") + wfRow("GBPUSD", "-", "1.6") +
               wfRow("EURUSD", "1.3", "") + "</table>"
        << false;
    QTest::newRow("Buy cell not right after Sell")
        << "<table><tr><td>GBPEUR</td><td>1.2</td><td class=\"b\">1.3</td></tr>"
           "<tr><td>GBPUSD</td><td>1.5</td></tr><tr><td>EURUSD</td><td>1.2</td></table>"
        << false;
}

void TestForm5Fetches::wfPageWithoutUsableRows()
{
    QFETCH(QString, page);
    QFETCH(bool, offline);

    ServedWindow window;
    window.web.route(wfPath, page);
    for (int click = 0; click < 2; ++click)
        window.form.Command1.click();

    QCOMPARE(window.rateTexts(), designRates);
    QCOMPARE(window.form.wfRawRates, defaultWfRawRates());
    QCOMPARE(window.fake.dialogs.shown().size(), offline ? 2 : 0);
}

void TestForm5Fetches::wfBrokenRowKeepsItsPairOnly()
{
    ServedWindow window;
    // GBPUSD's Buy cell is no number: its pair must neither change nor take GBPEUR's cells.
    window.web.route(wfPath, "<table>" + wfRow("GBPEUR", "1.3000", "1.3100") +
                                 wfRow("GBPUSD", "1.6000", "x") +
                                 wfRow("EURUSD", "1.3000", "1.3100") + "</table>");

    window.form.Command1.click();

    QCOMPARE(window.rateTexts(),
             QStringList({"1.2675", "1.5524", "1.2675", "1.3428", "1.6341", "1.3428"}));
    QCOMPARE(window.form.wfRawRates[SellGbpUsd], 1.5922);
    QCOMPARE(window.form.wfRawRates[BuyGbpUsd], 1.5942);
}

void TestForm5Fetches::wfOffline_data()
{
    QTest::addColumn<bool>("serverUp");

    QTest::newRow("unreachable") << false;
    QTest::newRow("probe gets an empty reply") << true;
}

void TestForm5Fetches::wfOffline()
{
    QFETCH(bool, serverUp);

    ServedWindow window;
    if (serverUp) {
        // The page comes, the probe's reply is empty.
        auto calls = std::make_shared<std::atomic<int>>(0);
        window.web.route(wfPath, [calls](const FakeWeb::Request &) {
            FakeWeb::Reply reply;
            if ((*calls)++ == 0)
                reply.body = wfTable().toUtf8();
            return reply;
        });
    } else {
        window.fake.pointAt("worldfirst", FakeWeb::refusingBaseUrl());
    }

    window.form.Command1.click();

    QVERIFY(shownOfflineOnce(window.fake.dialogs));
    QCOMPARE(window.rateTexts(), designRates);
    QCOMPARE(window.form.wfRawRates, defaultWfRawRates());
}

void TestForm5Fetches::bankFetchTakesThePage_data()
{
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QStringList>("rates");

    QTest::newRow("中行 quotes per 100") << "中行" << QStringList{"9.8322", "6.2", "7.901"};
    QTest::newRow("建行 quotes per 1") << "建行" << QStringList{"9.9", "6.3", "8"};
    QTest::newRow("交行 quotes per 100") << "交行" << QStringList{"9.91", "6.31", "8.01"};
}

void TestForm5Fetches::bankFetchTakesThePage()
{
    QFETCH(QString, bank);
    QFETCH(QStringList, rates);

    ServedWindow window;
    window.web.route(forexPath, forexPage(), "gbk");
    Form5 &form = window.form;
    form.Combo4.setText(bank);
    form.Text1.setText("1000");

    form.Command2.click();

    QCOMPARE(window.bankTexts(), rates);
    const int index = *bankIndex(bank);
    for (BankCurrency currency : {BankGbp, BankUsd, BankEur})
        QCOMPARE(form.bankRates[index][currency], rates[currency].toDouble());
    QVERIFY(window.fake.dialogs.shown().isEmpty());
    // The settlement follows the new GBP rate.
    if (bank == "中行")
        QCOMPARE(form.Text5.text(), "5836.3831");
}

void TestForm5Fetches::bankFetchTakesQuotesOverSeveralLines_data()
{
    // The list is read in the ANSI code page, which has no no-break space.
    addLineBreakRows();
}

void TestForm5Fetches::bankFetchTakesQuotesOverSeveralLines()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    ServedWindow window;
    window.web.route(forexPath, forexPage(before, after), "gbk");

    window.form.Command2.click();

    QCOMPARE(window.bankTexts(), QStringList({"9.8322", "6.2", "7.901"}));
    QCOMPARE(window.form.bankRates[0], BankRatesOfOneBank({9.8322, 6.2, 7.901}));
    QVERIFY(window.fake.dialogs.shown().isEmpty());
}

void TestForm5Fetches::bankFetchStoresOnlyTheChosenBank()
{
    ServedWindow window;
    window.web.route(forexPath, forexPage(), "gbk");
    Form5 &form = window.form;
    form.Combo4.setText("建行");

    form.Command2.click();
    form.Combo4.setText("中行");

    QCOMPARE(window.bankTexts(), defaultBankOfChina);
    QCOMPARE(form.bankRates[0], defaultBankRates()[0]);
    QCOMPARE(form.bankRates[2], defaultBankRates()[2]);
    form.Combo4.setText("建行");
    QCOMPARE(window.bankTexts(), QStringList({"9.9", "6.3", "8"}));
}

void TestForm5Fetches::bankFetchRepeatedGivesTheSameRates()
{
    ServedWindow window;
    window.web.route(forexPath, forexPage(), "gbk");
    window.form.Command2.click();
    const QStringList once = window.bankTexts();

    window.form.Command2.click();

    QCOMPARE(window.bankTexts(), once);
    QCOMPARE(window.form.bankRates[0], BankRatesOfOneBank({9.8322, 6.2, 7.901}));
}

void TestForm5Fetches::bankPageWithoutUsableQuotes_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QByteArray>("charset");
    QTest::addColumn<bool>("offline");

    QTest::newRow("no section of the bank")
        << forexPage().replace("yhpjboc", "other") << QByteArray("gbk") << false;
    // The probe's reply is as empty as the page: the service counts as down.
    QTest::newRow("empty page") << "" << QByteArray("gbk") << true;
    QTest::newRow("quotes not numbers")
        << forexPage().replace("983.22", "--").replace("620.00", "").replace("790.10", "暂无")
        << QByteArray("gbk") << false;
    // The list is read in the ANSI code page: the markers match only a page in it.
    QTest::newRow("page in UTF-8") << forexPage() << QByteArray("utf-8") << false;
}

void TestForm5Fetches::bankPageWithoutUsableQuotes()
{
    QFETCH(QString, page);
    QFETCH(QByteArray, charset);
    QFETCH(bool, offline);

    ServedWindow window;
    window.web.route(forexPath, page, charset.constData());
    for (int click = 0; click < 2; ++click)
        window.form.Command2.click();

    QCOMPARE(window.bankTexts(), defaultBankOfChina);
    QCOMPARE(window.form.bankRates, defaultBankRates());
    QCOMPARE(window.fake.dialogs.shown().size(), offline ? 2 : 0);
}

void TestForm5Fetches::bankMissingCurrencyKeepsThatCurrencyOnly()
{
    ServedWindow window;
    window.web.route(forexPath, forexPage().replace("美元</td>", "美金</td>"), "gbk");

    window.form.Command2.click();

    QCOMPARE(window.bankTexts(), QStringList({"9.8322", "6.2265", "7.901"}));
    QCOMPARE(window.form.bankRates[0], BankRatesOfOneBank({9.8322, 6.2265, 7.901}));
}

void TestForm5Fetches::bankOffline_data()
{
    QTest::addColumn<bool>("serverUp");

    QTest::newRow("unreachable") << false;
    QTest::newRow("probe gets an empty reply") << true;
}

void TestForm5Fetches::bankOffline()
{
    QFETCH(bool, serverUp);

    ServedWindow window;
    if (serverUp) {
        auto calls = std::make_shared<std::atomic<int>>(0);
        window.web.route(forexPath, [calls](const FakeWeb::Request &) {
            FakeWeb::Reply reply;
            if ((*calls)++ == 0)
                reply.body = forexPage().toUtf8();
            return reply;
        });
    } else {
        window.fake.pointAt("forex", FakeWeb::refusingBaseUrl());
    }

    window.form.Command2.click();

    QVERIFY(shownOfflineOnce(window.fake.dialogs));
    QCOMPARE(window.bankTexts(), defaultBankOfChina);
    QCOMPARE(window.form.bankRates, defaultBankRates());
}

void TestForm5Fetches::bankFetchWithoutBankAsksNothing()
{
    ServedWindow window;
    window.web.route(forexPath, forexPage(), "gbk");
    window.form.Combo4.setText("工行"); // no such bank: the list is left without a selection

    window.form.Command2.click();

    QVERIFY(window.web.requests().isEmpty());
    QVERIFY(window.fake.dialogs.shown().isEmpty());
}

void TestForm5Fetches::bankListTakesNoChoiceDuringTheFetch_data()
{
    using Choose = std::function<void(QComboBox *)>;
    QTest::addColumn<Choose>("choose");

    QTest::newRow("Down key") << Choose(
        [](QComboBox *list) { QTest::keyClick(list, Qt::Key_Down); });
    QTest::newRow("click in the open list") << Choose([](QComboBox *list) {
        list->showPopup();
        QAbstractItemView *items = list->view();
        const QRect item = items->visualRect(items->model()->index(1, 0));
        QTest::mouseClick(items->viewport(), Qt::LeftButton, {}, item.center());
    });
}

void TestForm5Fetches::bankListTakesNoChoiceDuringTheFetch()
{
    using Choose = std::function<void(QComboBox *)>;
    QFETCH(Choose, choose);
    ServedWindow window;
    window.web.route(forexPath, slowPage(forexPage(), "GBK"));
    Form5 &form = window.form;
    QComboBox *bankList = form.Combo4.widget();
    const InputDuringTheWait input([&] { return !window.web.requests().isEmpty(); },
                                   [&] { choose(bankList); });

    form.Command2.click();

    // The fetch ends on the bank it was asked for, its rates beside it.
    QCOMPARE(form.Combo4.text(), QStringLiteral("中行"));
    QCOMPARE(window.bankTexts(), QStringList({"9.8322", "6.2", "7.901"}));
    QCOMPARE(form.bankRates[0], BankRatesOfOneBank({9.8322, 6.2, 7.901}));
    QVERIFY(window.fake.inet.runsEventsWhileWaiting());
    // The choice is taken once the fetch is over, and shows that bank's own rates.
    QTRY_VERIFY(input.came());
    QCOMPARE(form.Combo4.text(), QStringLiteral("建行"));
    QCOMPARE(window.bankTexts(), QStringList({"9.8631", "6.2126", "7.8929"}));
    QCOMPARE(form.bankRates[0], BankRatesOfOneBank({9.8322, 6.2, 7.901}));
}

void TestForm5Fetches::secondClickDuringAFetchStartsNone_data()
{
    QTest::addColumn<bool>("worldFirst");

    QTest::newRow("WorldFirst rates") << true;
    QTest::newRow("bank rates") << false;
}

void TestForm5Fetches::secondClickDuringAFetchStartsNone()
{
    QFETCH(bool, worldFirst);
    ServedWindow window;
    window.web.route(wfPath, slowPage(wfTable(), "UTF-8"));
    window.web.route(forexPath, slowPage(forexPage(), "GBK"));
    CommandButton &fetch = worldFirst ? window.form.Command1 : window.form.Command2;
    InputDuringTheWait secondClick([&] { return !window.web.requests().isEmpty(); },
                                   [&fetch] { fetch.click(); });

    fetch.click();
    secondClick.withdraw();

    QCOMPARE(window.web.requests().size(), 2); // the page and the probe of one fetch
    QVERIFY(window.fake.dialogs.shown().isEmpty());
    if (worldFirst)
        QCOMPARE(window.rateTexts(),
                 QStringList({"1.2210", "1.5600", "1.2675", "1.2857", "1.6503", "1.3428"}));
    else
        QCOMPARE(window.bankTexts(), QStringList({"9.8322", "6.2", "7.901"}));
}

SKARVEL_TEST_MAIN(TestForm5Fetches)
#include "tst_form5_fetches.moc"
