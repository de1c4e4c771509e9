#include "fake_suggestions.h"
#include "keywords/form2.h"
#include "keywords/network_message.h"
#include "support/fake_services.h"
#include "support/test_main.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

using namespace FakeSuggestions;

namespace {

const QString crawlingText = QStringLiteral("正在抓取，请耐心等待...");
const QString waitingText = QStringLiteral("正在抓取，请耐心等待...延时中...");
const QString doneText = QStringLiteral("亲，抓取完成！");
const QString doneTitle = QStringLiteral("亲，程序运行结束！");
// The wait counts whole milliseconds of its clock; a timer of its own may see one less.
constexpr int clockGrain = 1;

// Suggestions that lead back to earlier keywords, to the seed, to each other,
// with an empty suggestion among them.
const Graph graph{
    {u"手机"_qs, {"a", "b"}}, {u"手机 "_qs, {"b", "c"}}, {"a", {u"手机"_qs, "b", "d"}},
    {"b", {"a", "e"}},        {"b ", {"c", "", "f"}},    {"c", {"d", "a"}},
    {"d", {"a", "b"}},        {"e", {"f", u"手机"_qs}},  {"f", {"a", "g"}},
};
const QStringList discovered{"a", "b", "c", u"手机"_qs, "d", "e", "f", "g"};
const QString resultText = u"手机\r\na\r\nb\r\nc\r\n手机\r\nd\r\ne\r\nf\r\ng"_qs;

// Plays the Amazon US completion service over `graph`. When the probe for
// `keyword` (its second request) arrives, `action` runs in the window's thread,
// inside that request, before the reply is sent.
struct AmazonService
{
    AmazonService(const Graph &graph, const QString &keyword = {},
                  std::function<void()> action = {})
    {
        auto requestsForKeyword = std::make_shared<std::atomic<int>>(0);
        web.route("/search/complete", [=, this](const FakeWeb::Request &request) {
            const QString q = queryValue(request, "q");
            if (action && q == keyword && (*requestsForKeyword)++ == 1) {
                QMetaObject::invokeMethod(qApp, action, Qt::QueuedConnection);
                web.pause(300);
            }
            FakeWeb::Reply reply;
            reply.body = amazonReply(q, graph.value(q));
            return reply;
        });
    }

    // The keywords fetched (every first request of a pair of fetch and probe).
    QStringList fetched() const
    {
        QStringList keywords;
        const QList<FakeWeb::Request> requests = web.requests();
        for (qsizetype i = 0; i < requests.size(); i += 2)
            keywords << queryValue(requests[i], "q");
        return keywords;
    }

    FakeWeb web;
};

struct Grabber
{
    explicit Grabber(const QString &webBase = {}, const QString &seed = u"手机"_qs)
        : fake(webBase)
    {
        form.load();
        form.Combo3.setText("0");
        form.Text1.setText(seed);
    }
    QStringList results() const
    {
        QStringList rows;
        for (int row = 0; row < form.List2.ListCount(); ++row)
            rows << form.List2.List(row);
        return rows;
    }
    QStringList prompts() const
    {
        QStringList prompts;
        for (const ScriptedDialogs::Shown &box : fake.dialogs.shown())
            prompts << box.prompt;
        return prompts;
    }
    FakeServices fake;
    Form2 form{fake.services};
};

QStringList expandedOnce(const QStringList &keywords)
{
    QStringList fetched;
    for (const QString &keyword : keywords)
        fetched << keyword << keyword + ' ';
    return fetched;
}

} // namespace

Q_DECLARE_METATYPE(ReplyShape)

class TestCrawl : public QObject
{
    Q_OBJECT

private slots:
    void crawlOverAGraphWithCyclesEnds();
    void resultIsCopiedAndExported();
    void crawlOnEveryEngineOfTheList_data();
    void crawlOnEveryEngineOfTheList();
    void emptySeed();
    void noEnginePairForTheLists();
    void seedWithoutSuggestions();
    void seedOfBlanksIsCrawledUnchanged();
    void pastedSeedWithATabReachesTheService();
    void suggestionWithAControlCharacterIsCrawled_data();
    void suggestionWithAControlCharacterIsCrawled();
    void networkDownEndsAfterTheSeed();
    void stopDuringARequestEndsTheCrawl();
    void stopDuringAWaitEndsTheCrawlAfterTheWait();
    void startDoesNothingWhileACrawlRuns();
    void clearDuringARequestLosesNoKeyword();
    void closeDuringACrawlStopsItAndDeletesTheWindowAfterwards();
    void waitsFollowEachQueuedKeyword_data();
    void waitsFollowEachQueuedKeyword();
    void sleepWritesItsTwoTexts();
    void sleepOfZeroRunsNoEvents();
};

void TestCrawl::crawlOverAGraphWithCyclesEnds()
{
    AmazonService service(graph);
    Grabber grabber(service.web.baseUrl());
    grabber.form.Command1.click();

    QCOMPARE(grabber.results(), discovered);
    QCOMPARE(grabber.form.List1.ListCount(), 0);
    QCOMPARE(grabber.form.Text2.text(), resultText);
    QCOMPARE(grabber.form.Label8.Caption(), "9");
    // Every keyword, the seed included, is expanded once, in discovery order.
    QCOMPARE(service.fetched(), expandedOnce({u"手机"_qs, "a", "b", "c", "d", "e", "f", "g"}));
    QCOMPARE(grabber.fake.dialogs.shown().size(), 1);
    QCOMPARE(grabber.fake.dialogs.shown()[0].prompt, doneText);
    QCOMPARE(grabber.fake.dialogs.shown()[0].title, doneTitle);
    QCOMPARE(grabber.fake.dialogs.shown()[0].style, 64);
    QVERIFY(grabber.form.Command1.isEnabled());
}

void TestCrawl::resultIsCopiedAndExported()
{
    AmazonService service(graph);
    Grabber grabber(service.web.baseUrl());
    grabber.form.Command1.click();
    grabber.form.Command2.click();
    QCOMPARE(grabber.fake.clipboard.content, resultText);

    grabber.form.Command3.click();
    QCOMPARE(
        TempFolders::readFile(grabber.fake.folders.drive("orvokeywords/suggestkeywords.txt")),
        QByteArray("\xCA\xD6\xBB\xFA\r\na\r\nb\r\nc\r\n\xCA\xD6\xBB\xFA\r\nd\r\ne\r\nf\r\ng\r\n"));
}

void TestCrawl::crawlOnEveryEngineOfTheList_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("key");
    QTest::addColumn<ReplyShape>("shape");
    QTest::addColumn<QByteArray>("seedRequest");

    QTest::newRow("aliexpress") << u"速卖通"_qs << "/lenoIframeJson.htm"
                                << "keyword" << &aliExpressReply
                                << QByteArray(
                                       "/lenoIframeJson.htm?__number=1&keyword=%E6%89%8B%E6%9C%BA"
                                       "&__number=1");
    QTest::newRow("amazon uk") << u"英国亚马逊"_qs << "/search/complete"
                               << "q" << &amazonReply
                               << QByteArray("/search/complete?method=completion&search-alias=aps"
                                             "&mkt=3&q=%E6%89%8B%E6%9C%BA");
    QTest::newRow("amazon us") << u"美国亚马逊"_qs << "/search/complete"
                               << "q" << &amazonReply
                               << QByteArray("/search/complete?method=completion&search-alias=aps"
                                             "&mkt=1&q=%E6%89%8B%E6%9C%BA");
    QTest::newRow("taobao") << u"淘宝"_qs << "/sug"
                            << "q" << &taobaoReply
                            << QByteArray("/sug?code=utf-8&q=%E6%89%8B%E6%9C%BA");
    QTest::newRow("baidu") << u"百度"_qs << "/su"
                           << "wd" << &baiduReply << QByteArray("/su?wd=%E6%89%8B%E6%9C%BA");
}

void TestCrawl::crawlOnEveryEngineOfTheList()
{
    QFETCH(QString, engine);
    QFETCH(QString, path);
    QFETCH(QString, key);
    QFETCH(ReplyShape, shape);
    QFETCH(QByteArray, seedRequest);

    FakeWeb web;
    serveGraph(web, path, key, shape, graph);
    Grabber grabber(web.baseUrl());
    grabber.form.Combo1.setText(engine);
    grabber.form.Command1.click();

    QCOMPARE(web.requests()[0].target, seedRequest);
    QCOMPARE(grabber.results(), discovered);
    QCOMPARE(grabber.form.Text2.text(), resultText);
    QCOMPARE(grabber.form.Label8.Caption(), "9");
    QCOMPARE(grabber.prompts(), QStringList{doneText});
}

void TestCrawl::emptySeed()
{
    AmazonService service(graph);
    Grabber grabber(service.web.baseUrl(), QString());
    grabber.form.List1.AddItem("old");
    grabber.form.List2.AddItem("old");
    grabber.form.Text2.setText("earlier result");
    grabber.form.Label8.setCaption("2");
    grabber.form.Command1.click();

    QCOMPARE(grabber.prompts(), QStringList{u"亲，请输入关键词哦！"_qs});
    QCOMPARE(grabber.fake.dialogs.shown()[0].title, u"亲，关键词不可以为空！"_qs);
    QCOMPARE(grabber.fake.dialogs.shown()[0].style, 64);
    QCOMPARE(grabber.form.List1.ListCount(), 0);
    QCOMPARE(grabber.form.List2.ListCount(), 0);
    QCOMPARE(grabber.form.Text2.text(), "earlier result");
    QCOMPARE(grabber.form.Label8.Caption(), "2");
    QVERIFY(service.web.requests().isEmpty());
}

void TestCrawl::noEnginePairForTheLists()
{
    AmazonService service(graph);
    Grabber grabber(service.web.baseUrl());
    grabber.form.Combo2.setText(u"日语"_qs);
    grabber.form.Command1.click();

    QCOMPARE(grabber.prompts(), QStringList{u"亲，请正确选择搜索引擎和区域语言！"_qs});
    QCOMPARE(grabber.fake.dialogs.shown()[0].title, u"亲，出错啦！"_qs);
    QCOMPARE(grabber.form.Text2.text(), crawlingText);
    QVERIFY(service.web.requests().isEmpty());
}

void TestCrawl::seedWithoutSuggestions()
{
    AmazonService service(graph);
    Grabber grabber(service.web.baseUrl(), "nothing here");
    grabber.form.Label8.setCaption("7");
    grabber.form.Command1.click();

    QCOMPARE(grabber.form.Text2.text(), "nothing here");
    QCOMPARE(grabber.form.Label8.Caption(), "7");
    QCOMPARE(grabber.prompts(), QStringList{doneText});
}

void TestCrawl::seedOfBlanksIsCrawledUnchanged()
{
    AmazonService service({{"  ", {"x", "y"}}});
    Grabber grabber(service.web.baseUrl(), "  ");
    grabber.form.Command1.click();

    QCOMPARE(service.fetched(), expandedOnce({"  ", "x", "y"}));
    QCOMPARE(grabber.form.Text2.text(), "  \r\nx\r\ny");
}

void TestCrawl::pastedSeedWithATabReachesTheService()
{
    const QString seed = "red\tshoes";
    AmazonService service({{seed, {"red shoes", "red boots"}}});
    Grabber grabber(service.web.baseUrl(), QString());
    Form2 &form = grabber.form;
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QApplication::clipboard()->setText(seed);
    form.Text1.setFocus();
    QTest::keyClick(form.Text1.lineEdit(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(form.Text1.text(), seed);
    form.Command1.click();

    QCOMPARE(grabber.prompts(), QStringList{doneText});
    QCOMPARE(service.fetched(), expandedOnce({seed, "red shoes", "red boots"}));
    QCOMPARE(service.web.requests()[0].target,
             "/search/complete?method=completion&search-alias=aps&mkt=1&q=red%09shoes");
    QCOMPARE(form.Text2.text(), seed + "\r\nred shoes\r\nred boots");
}

void TestCrawl::suggestionWithAControlCharacterIsCrawled_data()
{
    QTest::addColumn<QString>("suggestion");
    QTest::addColumn<QByteArray>("escaped");

    QTest::newRow("U+0001") << "a" + QString(QChar(1)) + "b" << QByteArray("a%01b");
    QTest::newRow("line feed") << "a\nb" << QByteArray("a%0Ab");
    QTest::newRow("U+007F") << "a" + QString(QChar(0x7F)) + "b" << QByteArray("a%7Fb");
}

void TestCrawl::suggestionWithAControlCharacterIsCrawled()
{
    QFETCH(QString, suggestion);
    QFETCH(QByteArray, escaped);

    AmazonService service({{"seed", {suggestion, "c"}}});
    Grabber grabber(service.web.baseUrl(), "seed");
    grabber.form.Command1.click();

    QCOMPARE(grabber.prompts(), QStringList{doneText});
    QCOMPARE(service.fetched(), expandedOnce({"seed", suggestion, "c"}));
    // The suggestion's fetch and probe, after the seed's and its twin's.
    const QList<FakeWeb::Request> requests = service.web.requests();
    QCOMPARE(requests[4].query, "method=completion&search-alias=aps&mkt=1&q=" + escaped);
    QCOMPARE(requests[5].query, requests[4].query);
    QCOMPARE(grabber.form.Text2.text(), "seed\r\n" + suggestion + "\r\nc");
}

void TestCrawl::networkDownEndsAfterTheSeed()
{
    Grabber grabber; // every service refuses the connection
    grabber.form.Command1.click();

    // Fetch and probe of the plain engine, then of its twin.
    QCOMPARE(grabber.prompts(),
             QStringList({networkPrompt, networkPrompt, networkPrompt, networkPrompt, doneText}));
    QCOMPARE(grabber.form.Text2.text(), u"手机"_qs);
}

void TestCrawl::stopDuringARequestEndsTheCrawl()
{
    Grabber *grabber = nullptr;
    AmazonService service(graph, "a", [&] { grabber->form.Command5.click(); });
    Grabber window(service.web.baseUrl());
    grabber = &window;
    window.form.Command1.click();

    // The call under way records what it found but queues nothing, and the
    // twin of that keyword does not run.
    QCOMPARE(service.fetched(), QStringList({u"手机"_qs, u"手机 "_qs, "a"}));
    QCOMPARE(window.results(), QStringList({"a", "b", "c", u"手机"_qs, "d"}));
    QCOMPARE(window.form.Label8.Caption(), "6");
    QCOMPARE(window.form.Text2.text(), u"手机\r\na\r\nb\r\nc\r\n手机\r\nd"_qs);
    QCOMPARE(window.prompts(), QStringList{doneText});
}

void TestCrawl::stopDuringAWaitEndsTheCrawlAfterTheWait()
{
    AmazonService service(graph);
    Grabber grabber(service.web.baseUrl());
    Form2 &form = grabber.form;
    form.Combo3.setText("0.3");
    QElapsedTimer sinceStop;
    form.Text2.Change = [&] {
        if (form.Text2.text() == waitingText && !sinceStop.isValid()) {
            QTimer::singleShot(0, [&] {
                sinceStop.start();
                form.Command5.click();
            });
        }
    };
    form.Command1.click();

    QVERIFY(sinceStop.isValid());
    QCOMPARE_GE(sinceStop.elapsed(), 250 - clockGrain);
    QCOMPARE(service.fetched(), expandedOnce({u"手机"_qs, "a"}));
    QCOMPARE(form.Text2.text(), u"手机\r\na\r\nb\r\nc\r\n手机\r\nd"_qs);
    QCOMPARE(grabber.prompts(), QStringList{doneText});
}

void TestCrawl::startDoesNothingWhileACrawlRuns()
{
    Grabber *grabber = nullptr;
    bool startWasDisabled = false;
    AmazonService service(graph, "b", [&] {
        startWasDisabled = !grabber->form.Command1.isEnabled();
        grabber->form.Command1.click();
        grabber->form.Command1_Click();
    });
    Grabber window(service.web.baseUrl());
    grabber = &window;
    window.form.Command1.click();

    QVERIFY(startWasDisabled);
    QCOMPARE(window.results(), discovered);
    QCOMPARE(window.form.Text2.text(), resultText);
    QCOMPARE(window.prompts(), QStringList{doneText});
    QVERIFY(window.form.Command1.isEnabled());
}

void TestCrawl::clearDuringARequestLosesNoKeyword()
{
    Grabber *grabber = nullptr;
    AmazonService service(graph, "a", [&] { grabber->form.Command4.click(); });
    Grabber window(service.web.baseUrl());
    grabber = &window;
    window.form.Command1.click();

    // The call under way records into the emptied lists; "d", the first keyword
    // it queues, is still expanded.
    QCOMPARE(service.fetched(), QStringList({u"手机"_qs, u"手机 "_qs, "a", "a ", "d", "d "}));
    QCOMPARE(window.results(), QStringList({u"手机"_qs, "b", "d", "a"}));
    QCOMPARE(window.form.Text2.text(), u"手机\r\n手机\r\nb\r\nd\r\na"_qs);
    QCOMPARE(window.prompts(), QStringList{doneText});
}

void TestCrawl::closeDuringACrawlStopsItAndDeletesTheWindowAfterwards()
{
    QPointer<Form2> form;
    // As the tool list does: the closed window is deleted once Qt gets back to it.
    AmazonService service(graph, "a", [&] {
        form->close();
        form->deleteLater();
    });
    FakeServices fake(service.web.baseUrl());
    form = new Form2(fake.services);
    form->load();
    form->show();
    form->Combo3.setText("0");
    form->Text1.setText(u"手机"_qs);
    form->Command1.click();

    QVERIFY(form);
    QVERIFY(!form->isVisible());
    QCOMPARE(service.fetched(), QStringList({u"手机"_qs, u"手机 "_qs, "a"}));
    QVERIFY(fake.dialogs.shown().isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!form);
}

void TestCrawl::waitsFollowEachQueuedKeyword_data()
{
    QTest::addColumn<QString>("delay");
    QTest::addColumn<int>("waits");
    QTest::addColumn<int>("leastMs");

    QTest::newRow("0.15 s") << "0.15" << 2 << 300;
    QTest::newRow("0: the texts, no pause") << "0" << 2 << 0;
    QTest::newRow("no number: the texts, no pause") << "abc" << 2 << 0;
    QTest::newRow("too long for 32 bits: no wait at all") << "2147483.648" << 0 << 0;
}

void TestCrawl::waitsFollowEachQueuedKeyword()
{
    QFETCH(QString, delay);
    QFETCH(int, waits);
    QFETCH(int, leastMs);

    AmazonService service({{"seed", {"a", "b"}}});
    Grabber grabber(service.web.baseUrl(), "seed");
    Form2 &form = grabber.form;
    form.Combo3.setText(delay);
    QStringList texts;
    form.Text2.Change = [&] { texts << form.Text2.text(); };
    QElapsedTimer timer;
    timer.start();
    form.Command1.click();

    QCOMPARE_GE(timer.elapsed(), leastMs - clockGrain);
    QStringList expected{crawlingText};
    for (int i = 0; i < waits; ++i)
        expected << waitingText << crawlingText;
    expected << "seed\r\na\r\nb";
    QCOMPARE(texts, expected);
}

void TestCrawl::sleepWritesItsTwoTexts()
{
    Grabber grabber;
    Form2 &form = grabber.form;
    QString duringWait;
    QTimer::singleShot(0, [&] { duringWait = form.Text2.text(); });
    QElapsedTimer timer;
    timer.start();
    form.Sleep(100);

    QCOMPARE_GE(timer.elapsed(), 100 - clockGrain);
    QCOMPARE(duringWait, waitingText);
    QCOMPARE(form.Text2.text(), crawlingText);
}

void TestCrawl::sleepOfZeroRunsNoEvents()
{
    Grabber grabber;
    Form2 &form = grabber.form;
    QStringList texts;
    form.Text2.Change = [&] { texts << form.Text2.text(); };
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    form.Sleep(0);
    form.Sleep(-5);

    QVERIFY(!ran);
    QCOMPARE(texts, QStringList({waitingText, crawlingText, waitingText, crawlingText}));
}

SKARVEL_TEST_MAIN(TestCrawl)
#include "tst_crawl.moc"
