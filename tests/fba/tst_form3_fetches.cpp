#include "form3_fixture.h"
#include "support/fake_web.h"
#include "support/input_during_wait.h"
#include "support/test_main.h"

#include <QLineEdit>
#include <QTest>
#include <atomic>
#include <functional>
#include <memory>

namespace {

const QString offlinePrompt =
    QStringLiteral("亲，是不是断网了啊？无法联网获取汇率，要么找网管，要么手动填哦亲！");
const QString offlineTitle = QStringLiteral("亲，网络异常，你懂得！");

// The three queries as the search site receives them, in the order they are asked.
const QByteArray poundQuery = "word=%B0%F5+%BF%CB";
const QByteArray inchQuery = "wd=%D3%A2%B4%E7+%C0%E5%C3%D7";
const QByteArray dollarQuery = "wd=%C3%C0%D4%AA+%C8%CB%C3%F1%B1%D2";

QString poundPage(const QString &factor)
{
    return "<html><div>换算结果</div><p>1磅=" + factor + "克</p><p>1克=0.0022磅</p></html>";
}

QString inchPage(const QString &factor)
{
    return "<html><p>1英寸=" + factor + "厘米</p></html>";
}

QString dollarPage(const QString &factor)
{
    return "<html><span>1美元=" + factor + "人民币</span><span>1人民币=0.16美元</span></html>";
}

// The search site: one results page per query, in UTF-8, each sent after `delayMs`.
struct SearchSite
{
    explicit SearchSite(FakeWeb &web)
    {
        auto served = pages;
        auto late = delayMs;
        web.route("/s", [served, late](const FakeWeb::Request &request) {
            FakeWeb::Reply reply;
            reply.body = served->value(request.query).toUtf8();
            reply.delayMs = *late;
            return reply;
        });
    }

    std::shared_ptr<QMap<QByteArray, QString>> pages =
        std::make_shared<QMap<QByteArray, QString>>();
    std::shared_ptr<std::atomic<int>> delayMs = std::make_shared<std::atomic<int>>(0);
};

struct ServedWindow
{
    ServedWindow() { form.load(); }

    QStringList factorTexts() { return texts({&form.Text24, &form.Text25, &form.Text26}); }

    int offlineNotices() const
    {
        int count = 0;
        for (const ScriptedDialogs::Shown &box : fake.dialogs.shown()) {
            if (box.prompt == offlinePrompt && box.title == offlineTitle &&
                box.style == MsgStyle::Information)
                ++count;
        }
        return count;
    }

    FakeWeb web;
    SearchSite site{web};
    FakeServices fake{web.baseUrl()};
    Form3 form{fake.services};
};

const QStringList designFactors{"453.59237", "2.54", "6.3672"};

void serveAll(SearchSite &site)
{
    site.pages->insert(poundQuery, poundPage("500"));
    site.pages->insert(inchQuery, inchPage("2"));
    site.pages->insert(dollarQuery, dollarPage("7"));
}

// A window on a slow search site, with a weight, a side and a price entered.
void enterOnSlowSite(ServedWindow &window)
{
    serveAll(window.site);
    *window.site.delayMs = slowReplyMs;
    enter(window.form.Text4, "1000");
    enter(window.form.Text6, "30");
    enter(window.form.Text1, "10");
}

QStringList boxTexts(Form3 &form)
{
    return texts(allBoxes(form));
}

using Input = std::function<void(Form3 &)>;

Input typeAtTheEnd(TextBox Form3::*box, char key)
{
    return [box, key](Form3 &form) {
        QLineEdit *edit = (form.*box).lineEdit();
        QTest::keyClick(edit, Qt::Key_End);
        QTest::keyClick(edit, key);
    };
}

} // namespace

class TstForm3Fetches : public QObject
{
    Q_OBJECT
private slots:
    void asksTheThreeQueries();
    void takesTheFoundFactors();
    void unusablePage_data();
    void unusablePage();
    void offline_data();
    void offline();
    void inputDuringTheFetchWaitsForItsEnd_data();
    void inputDuringTheFetchWaitsForItsEnd();
    void secondClickDuringTheFetchStartsNone();
};

void TstForm3Fetches::asksTheThreeQueries()
{
    ServedWindow window;
    serveAll(window.site);

    window.form.Command1.click();

    const QList<FakeWeb::Request> requests = window.web.requests();
    QStringList targets;
    for (const FakeWeb::Request &request : requests)
        targets << QString::fromLatin1(request.target);
    // Each page, then its probe.
    const QStringList expected{"/s?" + poundQuery, "/s?" + poundQuery,  "/s?" + inchQuery,
                               "/s?" + inchQuery,  "/s?" + dollarQuery, "/s?" + dollarQuery};
    QCOMPARE(targets, expected);
    for (int page : {0, 2, 4})
        QCOMPARE(requests[page].header("If-Modified-Since"), "0");
}

void TstForm3Fetches::takesTheFoundFactors()
{
    ServedWindow window;
    serveAll(window.site);
    Form3 &form = window.form;
    enter(form.Text4, "1000");
    enter(form.Text6, "30");
    enter(form.Text1, "10");

    form.Command1.click();

    QCOMPARE(window.factorTexts(), QStringList({"500", "2", "7"}));
    QVERIFY(window.fake.dialogs.shown().isEmpty());
    // Each factor converts again as it arrives.
    QCOMPARE(form.Text5.text(), "2.0000");
    QCOMPARE(form.Text9.text(), "15.0000");
    QCOMPARE(form.Text2.text(), "70.0000");
}

void TstForm3Fetches::unusablePage_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("page");

    QTest::newRow("grams per pound: marker missing") << 0 << "<p>1 lb = 453.6 g</p>";
    QTest::newRow("grams per pound: not a number") << 0 << poundPage("约453");
    QTest::newRow("grams per pound: page ends at the marker") << 0 << "<p>1磅=";
    QTest::newRow("centimetres per inch: marker missing") << 1 << "<html>维护中</html>";
    QTest::newRow("centimetres per inch: zero") << 1 << inchPage("0");
    QTest::newRow("centimetres per inch: number and text") << 1 << inchPage("2.54 cm ");
    QTest::newRow("RMB per USD: nothing between the markers") << 2 << dollarPage("");
    QTest::newRow("RMB per USD: not a number") << 2 << dollarPage("六点一");
    QTest::newRow("RMB per USD: empty page") << 2 << "";
}

void TstForm3Fetches::unusablePage()
{
    QFETCH(int, step);
    QFETCH(QString, page);

    ServedWindow window;
    serveAll(window.site);
    const QByteArray queries[] = {poundQuery, inchQuery, dollarQuery};
    window.site.pages->insert(queries[step], page);
    Form3 &form = window.form;
    enter(form.Text4, "1000");
    enter(form.Text6, "30");
    enter(form.Text1, "10");

    window.form.Command1.click();

    QStringList factors{"500", "2", "7"};
    factors[step] = designFactors[step];
    QCOMPARE(window.factorTexts(), factors);
    QCOMPARE(window.fake.dialogs.shown().size(), 1);
    QCOMPARE(window.offlineNotices(), 1);
    // What the kept factor converts stays converted with it.
    const QStringList kept[] = {{"2.2046", "15.0000", "70.0000"},
                                {"2.0000", "11.8110", "70.0000"},
                                {"2.0000", "15.0000", "63.6720"}};
    QCOMPARE((texts({&form.Text5, &form.Text9, &form.Text2})), kept[step]);
}

void TstForm3Fetches::offline_data()
{
    QTest::addColumn<bool>("serverUp");

    QTest::newRow("unreachable") << false;
    QTest::newRow("probe gets an empty reply") << true;
}

void TstForm3Fetches::offline()
{
    QFETCH(bool, serverUp);

    ServedWindow window;
    if (serverUp) {
        // Every page comes, every probe's reply is empty.
        auto calls = std::make_shared<std::atomic<int>>(0);
        window.web.route("/s", [calls](const FakeWeb::Request &) {
            FakeWeb::Reply reply;
            if ((*calls)++ % 2 == 0)
                reply.body = (poundPage("500") + inchPage("2") + dollarPage("7")).toUtf8();
            return reply;
        });
    } else {
        window.fake.pointAt("websearch", FakeWeb::refusingBaseUrl());
    }

    window.form.Command1.click();

    QCOMPARE(window.offlineNotices(), 3);
    QCOMPARE(window.fake.dialogs.shown().size(), 3);
    QCOMPARE(window.factorTexts(), designFactors);
}

void TstForm3Fetches::inputDuringTheFetchWaitsForItsEnd_data()
{
    QTest::addColumn<Input>("input");

    QTest::newRow("digit typed in the weight box") << typeAtTheEnd(&Form3::Text4, '0');
    // Typed in the middle of the fetch, the key would be lost under the factor fetched.
    QTest::newRow("digit typed in the box the fetch fills") << typeAtTheEnd(&Form3::Text24, '1');
}

void TstForm3Fetches::inputDuringTheFetchWaitsForItsEnd()
{
    QFETCH(Input, input);
    // A window that fetches undisturbed, then takes the same input.
    ServedWindow undisturbed;
    enterOnSlowSite(undisturbed);
    undisturbed.form.Command1.click();
    const QStringList fetched = boxTexts(undisturbed.form);
    input(undisturbed.form);
    const QStringList fetchedThenInput = boxTexts(undisturbed.form);
    QVERIFY(fetchedThenInput != fetched);
    ServedWindow window;
    enterOnSlowSite(window);
    const InputDuringTheWait during([&] { return !window.web.requests().isEmpty(); },
                                    [&] { input(window.form); });

    window.form.Command1.click();

    // The three factors arrive in boxes that nothing else has touched.
    QCOMPARE(boxTexts(window.form), fetched);
    QCOMPARE(window.factorTexts(), QStringList({"500", "2", "7"}));
    // The input is taken once the fetch is over, as it would be then.
    QTRY_VERIFY(during.came());
    QCOMPARE(boxTexts(window.form), fetchedThenInput);
    QVERIFY(window.fake.dialogs.shown().isEmpty());
}

void TstForm3Fetches::secondClickDuringTheFetchStartsNone()
{
    ServedWindow window;
    enterOnSlowSite(window);
    CommandButton &fetch = window.form.Command1;
    InputDuringTheWait secondClick([&] { return !window.web.requests().isEmpty(); },
                                   [&fetch] { fetch.click(); });

    fetch.click();
    secondClick.withdraw();

    QCOMPARE(window.web.requests().size(), 6); // each page and its probe, once
    QVERIFY(window.fake.dialogs.shown().isEmpty());
    QCOMPARE(window.factorTexts(), QStringList({"500", "2", "7"}));
}

SKARVEL_TEST_MAIN(TstForm3Fetches)
#include "tst_form3_fetches.moc"
