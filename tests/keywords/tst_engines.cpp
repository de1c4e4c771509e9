#include "fake_suggestions.h"
#include "keywords/form2.h"
#include "keywords/network_message.h"
#include "support/fake_services.h"
#include "support/test_main.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>
#include <atomic>
#include <memory>

using namespace FakeSuggestions;

namespace {

using Engine = void (Form2::*)(QString &);

FakeWeb::Reply body(const QByteArray &bytes)
{
    FakeWeb::Reply reply;
    reply.body = bytes;
    return reply;
}

// Answers the fetch with one reply and the probe, the second request, with another.
FakeWeb::Handler fetchThenProbe(const QByteArray &fetched, const QByteArray &probed)
{
    auto calls = std::make_shared<std::atomic<int>>(0);
    return [=](const FakeWeb::Request &) { return body((*calls)++ == 0 ? fetched : probed); };
}

QStringList rows(const ListBox &list)
{
    QStringList texts;
    for (int row = 0; row < list.ListCount(); ++row)
        texts << list.List(row);
    return texts;
}

QStringList numbered(const QString &stem, int count)
{
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << QStringLiteral("%1 %2").arg(stem).arg(i);
    return items;
}

struct EnginePair
{
    const char *name;
    Engine plain;
    Engine twin;
    const char *endpoint;
};

const EnginePair enginePairs[] = {
    {"baidu", &Form2::keywords, &Form2::keywords001, "suggest.baidu"},
    {"google com", &Form2::keywords1, &Form2::keywords101, "suggest.google_com"},
    {"google co jp", &Form2::keywords2, &Form2::keywords201, "suggest.google_co_jp"},
    {"google ru", &Form2::keywords3, &Form2::keywords301, "suggest.google_ru"},
    {"google com hk", &Form2::keywords4, &Form2::keywords401, "suggest.google_com_hk"},
    {"google de", &Form2::keywords5, &Form2::keywords501, "suggest.google_de"},
    {"taobao", &Form2::keywords6, &Form2::keywords601, "suggest.taobao"},
    {"amazon us", &Form2::keywords7, &Form2::keywords701, "suggest.amazon_us"},
    {"aliexpress", &Form2::keywords8, &Form2::keywords801, "suggest.aliexpress"},
    {"amazon uk", &Form2::keywords9, &Form2::keywords901, "suggest.amazon_uk"},
};

// A character RFC 3986 lets a query hold as it is; "%" only as the start of an
// escape of two hex digits.
bool isQueryCharacter(QChar c)
{
    return (c.unicode() < 0x80 && c.isLetterOrNumber()) ||
           QStringView(u"-._~!$&'()*+,;=:@/?%").contains(c);
}

bool escapesAreWhole(const QString &text)
{
    static const QRegularExpression brokenEscape(QStringLiteral("%(?![0-9A-Fa-f]{2})"));
    return !text.contains(brokenEscape);
}

// A window as the tool list opens it, its services playing against `web`.
struct Grabber
{
    explicit Grabber(const QString &webBase = {})
        : fake(webBase)
    {
        form.load();
    }
    FakeServices fake;
    Form2 form{fake.services};
};

} // namespace

Q_DECLARE_METATYPE(Engine)

class TestEngines : public QObject
{
    Q_OBJECT

private slots:
    void requestAddress_data();
    void requestAddress();
    void eachEngineAsksItsOwnService_data();
    void eachEngineAsksItsOwnService();
    void everyAddressIsAStrictUrl_data();
    void everyAddressIsAStrictUrl();
    void keywordReachesTheServiceAsItself_data();
    void keywordReachesTheServiceAsItself();
    void replyIsRecorded_data();
    void replyIsRecorded();
    void knownSuggestionsAreNotAddedAgain();
    void emptySuggestionIsNeverRecorded();
    void replyWithoutItsMarkerRecordsNothing();
    void refusedRequestShowsTheNetworkMessage_data();
    void refusedRequestShowsTheNetworkMessage();
    void failedProbeDropsAGoodReply_data();
    void failedProbeDropsAGoodReply();
    void failedFetchWithAnsweringProbeIsSilent();
    void baiduReadsItsReplyInTheAnsiCodePage_data();
    void baiduReadsItsReplyInTheAnsiCodePage();
    void taobaoReadsCompactAndSpacedRepliesAlike_data();
    void taobaoReadsCompactAndSpacedRepliesAlike();
};

void TestEngines::requestAddress_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QByteArray>("target");

    const QByteArray amazonUs = "/search/complete?method=completion&search-alias=aps&mkt=1&q=";
    QTest::newRow("amazon us") << &Form2::keywords7 << "abc" << amazonUs + "abc";
    QTest::newRow("amazon us twin") << &Form2::keywords701 << "abc" << amazonUs + "abc%20";
    QTest::newRow("amazon us, chinese")
        << &Form2::keywords7 << u"手机"_qs << amazonUs + "%E6%89%8B%E6%9C%BA";
    QTest::newRow("amazon us, hash and blank")
        << &Form2::keywords7 << "c# book" << amazonUs + "c%23%20book";
    QTest::newRow("amazon us twin, ampersand")
        << &Form2::keywords701 << "m&m" << amazonUs + "m%26m%20";
    QTest::newRow("baidu") << &Form2::keywords << "abc" << QByteArray("/su?wd=abc");
    QTest::newRow("baidu twin") << &Form2::keywords001 << "abc" << QByteArray("/su?wd=abc%20");
    QTest::newRow("baidu, plus") << &Form2::keywords << "c++" << QByteArray("/su?wd=c%2B%2B");
    QTest::newRow("taobao") << &Form2::keywords6 << "abc" << QByteArray("/sug?code=utf-8&q=abc");
    QTest::newRow("taobao twin") << &Form2::keywords601 << "abc"
                                 << QByteArray("/sug?code=utf-8&q=abc%20");
    QTest::newRow("taobao, percent")
        << &Form2::keywords6 << "100%" << QByteArray("/sug?code=utf-8&q=100%25");
    // Control characters would make an address no client sends.
    QTest::newRow("amazon us twin, tab")
        << &Form2::keywords701 << "red\tshoes" << amazonUs + "red%09shoes%20";
    QTest::newRow("baidu, line break")
        << &Form2::keywords << "a\r\nb" << QByteArray("/su?wd=a%0D%0Ab");
    QTest::newRow("taobao, U+007F")
        << &Form2::keywords6 << "a" + QString(QChar(0x7F)) << QByteArray("/sug?code=utf-8&q=a%7F");
    QTest::newRow("aliexpress, U+0001")
        << &Form2::keywords8 << QString(QChar(1))
        << QByteArray("/lenoIframeJson.htm?__number=1&keyword=%01&__number=1");
    QTest::newRow("google, tab") << &Form2::keywords1 << "\t"
                                 << QByteArray("/s?gs_ri=hp&hl=en&q=%09");
    // Characters no URL holds raw, which a strict server answers with 400.
    QTest::newRow("amazon us, inch mark")
        << &Form2::keywords7 << "10\" tablet" << amazonUs + "10%22%20tablet";
    QTest::newRow("baidu twin, brackets")
        << &Form2::keywords001 << "[a]{b}|" << QByteArray("/su?wd=%5Ba%5D%7Bb%7D%7C%20");
    // Half of a surrogate pair alone goes as U+FFFD.
    QTest::newRow("baidu, lone surrogate")
        << &Form2::keywords << QString(QChar(0xD800)) << QByteArray("/su?wd=%EF%BF%BD");
    QTest::newRow("taobao, lone low surrogate after a pair")
        << &Form2::keywords6 << u"😀"_qs + QChar(0xDE00)
        << QByteArray("/sug?code=utf-8&q=%F0%9F%98%80%EF%BF%BD");
}

void TestEngines::requestAddress()
{
    QFETCH(Engine, engine);
    QFETCH(QString, keyword);
    QFETCH(QByteArray, target);

    FakeWeb web;
    Grabber grabber(web.baseUrl());
    QString U = keyword;
    (grabber.form.*engine)(U);

    QCOMPARE(U, web.baseUrl() + QString::fromLatin1(target));
    // The fetch, then the probe of the same address.
    const QList<FakeWeb::Request> requests = web.requests();
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests[0].target, target);
    QCOMPARE(requests[1].target, target);
}

void TestEngines::eachEngineAsksItsOwnService_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("endpoint");

    for (const auto &[name, plain, twin, endpoint] : enginePairs) {
        QTest::newRow(name) << plain << QString(endpoint);
        QTest::newRow(QByteArray(name) + " twin") << twin << QString(endpoint);
    }
}

void TestEngines::eachEngineAsksItsOwnService()
{
    QFETCH(Engine, engine);
    QFETCH(QString, endpoint);

    FakeWeb others;
    FakeWeb own;
    Grabber grabber(others.baseUrl());
    grabber.fake.pointAt(endpoint, own.baseUrl());
    QString U = "abc";
    (grabber.form.*engine)(U);

    QVERIFY(U.startsWith(own.baseUrl() + '/'));
    QCOMPARE(own.requests().size(), 2);
    QVERIFY(others.requests().isEmpty());
}

void TestEngines::everyAddressIsAStrictUrl_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("keyword");

    const QList<std::pair<const char *, QString>> keywords{
        {"characters no URL holds raw", u"10\" <b>\\^`{|}[x]"_qs},
        {"blanks and controls", "a b\t\r\n" + QString(QChar(1)) + QChar(0x7F)},
        {"lone surrogates", QString(QChar(0xD83D)) + "x" + QChar(0xDE00) + u"手机"_qs},
    };
    for (const EnginePair &pair : enginePairs) {
        for (const auto &[what, keyword] : keywords) {
            QTest::addRow("%s, %s", pair.name, what) << pair.plain << keyword;
            QTest::addRow("%s twin, %s", pair.name, what) << pair.twin << keyword;
        }
    }
}

void TestEngines::everyAddressIsAStrictUrl()
{
    QFETCH(Engine, engine);
    QFETCH(QString, keyword);

    FakeWeb web;
    Grabber grabber(web.baseUrl());
    QString U = keyword;
    (grabber.form.*engine)(U);

    QVERIFY2(QUrl(U, QUrl::StrictMode).isValid(), qPrintable(U));
    const QString query = U.mid(U.indexOf('?') + 1);
    for (const QChar c : query)
        QVERIFY2(isQueryCharacter(c), qPrintable(U));
    QVERIFY2(escapesAreWhole(query), qPrintable(U));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString readBack = utf8(QByteArray::fromPercentEncoding(query.toLatin1()));
    QVERIFY2(!utf8.hasError(), qPrintable(readBack));
    // The fetch and the probe both sent it so.
    const QList<FakeWeb::Request> requests = web.requests();
    QCOMPARE(requests.size(), 2);
    QCOMPARE(requests[0].query, query.toLatin1());
    QCOMPARE(requests[1].query, query.toLatin1());
}

void TestEngines::keywordReachesTheServiceAsItself_data()
{
    QTest::addColumn<QString>("keyword");
    for (const char *keyword :
         {"m&m", "c++", "c# book", "100%", "a=b", "10\" tablet", "[new] {2 pcs} <a|b> \\^`"})
        QTest::newRow(keyword) << QString(keyword);
    QTest::newRow("chinese") << u"手机 壳"_qs;
}

void TestEngines::keywordReachesTheServiceAsItself()
{
    QFETCH(QString, keyword);

    FakeWeb web;
    Grabber grabber(web.baseUrl());
    QString plain = keyword;
    grabber.form.keywords7(plain);
    QString twin = keyword;
    grabber.form.keywords701(twin);

    const QList<FakeWeb::Request> requests = web.requests();
    QCOMPARE(requests.size(), 4);
    QCOMPARE(queryValue(requests[0], "q"), keyword);
    QCOMPARE(queryValue(requests[2], "q"), keyword + ' ');
}

void TestEngines::replyIsRecorded_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("recorded");

    QTest::newRow("amazon us, four")
        << &Form2::keywords7 << "/search/complete" << amazonReply("abc", numbered("abc", 4))
        << numbered("abc", 4);
    QTest::newRow("amazon us, twelve give ten")
        << &Form2::keywords701 << "/search/complete" << amazonReply("abc ", numbered("abc", 12))
        << numbered("abc", 10);
    QTest::newRow("baidu, two") << &Form2::keywords << "/su"
                                << baiduReply("abc", {"abc 1", "abc 2"})
                                << QStringList{"abc 1", "abc 2"};
    QTest::newRow("baidu twin, twelve give ten")
        << &Form2::keywords001 << "/su" << baiduReply("abc", numbered("abc", 12))
        << numbered("abc", 10);
    QTest::newRow("taobao, one") << &Form2::keywords6 << "/sug" << taobaoReply("abc", {"abc 1"})
                                 << QStringList{"abc 1"};
    QTest::newRow("taobao twin, twelve give ten")
        << &Form2::keywords601 << "/sug" << taobaoReply("abc", numbered("abc", 12))
        << numbered("abc", 10);
}

void TestEngines::replyIsRecorded()
{
    QFETCH(Engine, engine);
    QFETCH(QString, path);
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, recorded);

    FakeWeb web;
    web.route(path, body(reply));
    Grabber grabber(web.baseUrl());
    QString U = "abc";
    (grabber.form.*engine)(U);

    QCOMPARE(rows(grabber.form.List1), recorded);
    QCOMPARE(rows(grabber.form.List2), recorded);
    QCOMPARE(grabber.form.Label8.Caption(), QString::number(recorded.size() + 1));
    QVERIFY(grabber.fake.dialogs.shown().isEmpty());
}

void TestEngines::knownSuggestionsAreNotAddedAgain()
{
    FakeWeb web;
    Grabber grabber(web.baseUrl());
    Form2 &form = grabber.form;
    web.route("/search/complete", body(amazonReply("x", {"a", "b"})));
    QString U = "x";
    form.keywords7(U);
    // "a" has been expanded and has left the queue; it is not queued again.
    form.List1.RemoveItem(0);
    web.route("/search/complete", body(amazonReply("x", {"a", "c", "b", "C"})));
    U = "x";
    form.keywords7(U);

    QCOMPARE(rows(form.List1), QStringList({"b", "c", "C"}));
    QCOMPARE(rows(form.List2), QStringList({"a", "b", "c", "C"}));
    QCOMPARE(form.Label8.Caption(), "5");
}

void TestEngines::emptySuggestionIsNeverRecorded()
{
    FakeWeb web;
    web.route("/search/complete", body(amazonReply("x", {"", "a", "", "b"})));
    Grabber grabber(web.baseUrl());
    QString U = "x";
    grabber.form.keywords7(U);

    QCOMPARE(rows(grabber.form.List1), QStringList({"a", "b"}));
    QCOMPARE(rows(grabber.form.List2), QStringList({"a", "b"}));
    QCOMPARE(grabber.form.Label8.Caption(), "3");
}

void TestEngines::replyWithoutItsMarkerRecordsNothing()
{
    FakeWeb web;
    Grabber grabber(web.baseUrl());
    web.route("/search/complete", body(amazonReply("x", {"a", "b"})));
    QString U = "x";
    grabber.form.keywords7(U);
    web.route("/search/complete", body(amazonReply("y", {"only one"})));
    U = "y";
    grabber.form.keywords7(U);

    QCOMPARE(rows(grabber.form.List2), QStringList({"a", "b"}));
    QCOMPARE(grabber.form.Label8.Caption(), "3");
    QVERIFY(grabber.fake.dialogs.shown().isEmpty());
}

void TestEngines::refusedRequestShowsTheNetworkMessage_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QStringList>("prompts");

    // The blocking page fetch shows it for the refused connection, then the probe.
    QTest::newRow("amazon us") << &Form2::keywords7 << QStringList{networkPrompt, networkPrompt};
    QTest::newRow("taobao twin") << &Form2::keywords601
                                 << QStringList{networkPrompt, networkPrompt};
    QTest::newRow("aliexpress") << &Form2::keywords8 << QStringList{networkPrompt, networkPrompt};
    QTest::newRow("amazon uk twin")
        << &Form2::keywords901 << QStringList{networkPrompt, networkPrompt};
    QTest::newRow("google ru") << &Form2::keywords3 << QStringList{networkPrompt, networkPrompt};
    // The Baidu fetch goes through the transfer control, which shows nothing.
    QTest::newRow("baidu") << &Form2::keywords
                           << QStringList{u"亲，是不是断网了啊？检查一下吧！"_qs};
}

void TestEngines::refusedRequestShowsTheNetworkMessage()
{
    QFETCH(Engine, engine);
    QFETCH(QStringList, prompts);

    Grabber grabber; // every service refuses the connection
    QString U = "abc";
    (grabber.form.*engine)(U);

    const QList<ScriptedDialogs::Shown> shown = grabber.fake.dialogs.shown();
    QCOMPARE(shown.size(), prompts.size());
    for (int i = 0; i < shown.size(); ++i) {
        QCOMPARE(shown[i].prompt, prompts[i]);
        QCOMPARE(shown[i].title, u"亲，网络异常，你懂的！"_qs);
        QCOMPARE(shown[i].style, 64);
    }
    QCOMPARE(grabber.form.List1.ListCount(), 0);
    QCOMPARE(grabber.form.List2.ListCount(), 0);
    QCOMPARE(grabber.form.Label8.Caption(), "0");
}

void TestEngines::failedProbeDropsAGoodReply_data()
{
    QTest::addColumn<Engine>("engine");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("amazon us") << &Form2::keywords7 << "/search/complete"
                               << amazonReply("x", {"a", "b"});
    QTest::newRow("amazon uk") << &Form2::keywords9 << "/search/complete"
                               << amazonReply("x", {"a", "b"});
    QTest::newRow("aliexpress") << &Form2::keywords801 << "/lenoIframeJson.htm"
                                << aliExpressReply("x", {"a", "b"});
    QTest::newRow("google") << &Form2::keywords4 << "/s" << googleReply("x", {"a", "b"});
}

void TestEngines::failedProbeDropsAGoodReply()
{
    QFETCH(Engine, engine);
    QFETCH(QString, path);
    QFETCH(QByteArray, reply);

    FakeWeb web;
    web.route(path, fetchThenProbe(reply, ""));
    Grabber grabber(web.baseUrl());
    QString U = "x";
    (grabber.form.*engine)(U);

    QCOMPARE(grabber.fake.dialogs.shown().size(), 1);
    QCOMPARE(grabber.fake.dialogs.shown()[0].prompt, networkPrompt);
    QCOMPARE(grabber.fake.dialogs.shown()[0].title, u"亲，网络异常，你懂的！"_qs);
    QCOMPARE(grabber.form.List2.ListCount(), 0);
}

void TestEngines::failedFetchWithAnsweringProbeIsSilent()
{
    FakeWeb web;
    web.route("/search/complete", fetchThenProbe("", amazonReply("x", {"a", "b"})));
    Grabber grabber(web.baseUrl());
    QString U = "x";
    grabber.form.keywords7(U);

    QVERIFY(grabber.fake.dialogs.shown().isEmpty());
    QCOMPARE(grabber.form.List2.ListCount(), 0);
    QCOMPARE(grabber.form.Label8.Caption(), "0");
}

void TestEngines::baiduReadsItsReplyInTheAnsiCodePage_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("recorded");

    QTest::newRow("gbk reply") << baiduReply(u"手机"_qs, {u"手机壳"_qs, u"手机膜"_qs})
                               << QStringList{u"手机壳"_qs, u"手机膜"_qs};
    // No charset is guessed: utf-8 bytes read as what they form in the code page.
    QTest::newRow("utf-8 reply") << QByteArray("s:[\"手机\",\"ab\"]")
                                 << QStringList{u"鎵嬫満"_qs, "ab"};
}

void TestEngines::baiduReadsItsReplyInTheAnsiCodePage()
{
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, recorded);

    FakeWeb web;
    web.route("/su", body(reply));
    Grabber grabber(web.baseUrl());
    QString U = u"手机"_qs;
    grabber.form.keywords(U);

    QCOMPARE(web.requests()[0].target, QByteArray("/su?wd=%E6%89%8B%E6%9C%BA"));
    QCOMPARE(rows(grabber.form.List2), recorded);
}

void TestEngines::taobaoReadsCompactAndSpacedRepliesAlike_data()
{
    QTest::addColumn<QByteArray>("reply");

    QTest::newRow("compact") << QByteArray("{\"result\":[[\"a\",\"9\"],[\"b\",\"8\"],[\"c\"]]}");
    QTest::newRow("spaced") << QByteArray("{\"result\":[[\"a\", \"9\"], [\"b\", \"8\"], [\"c\"]]}");
    QTest::newRow("mixed") << QByteArray("{\"result\":[[\"a\", \"9\"],[\"b\",\"8\"], [\"c\"]]}");
}

void TestEngines::taobaoReadsCompactAndSpacedRepliesAlike()
{
    QFETCH(QByteArray, reply);

    FakeWeb web;
    web.route("/sug", body(reply));
    Grabber grabber(web.baseUrl());
    QString U = "x";
    grabber.form.keywords6(U);

    QCOMPARE(rows(grabber.form.List2), QStringList({"a", "b", "c"}));
    QCOMPARE(rows(grabber.form.List1), QStringList({"a", "b", "c"}));
}

SKARVEL_TEST_MAIN(TestEngines)
#include "tst_engines.moc"
