#include "keywords/engines/aliexpress_engine.h"
#include "keywords/engines/amazon_engine.h"
#include "keywords/engines/baidu_engine.h"
#include "keywords/engines/google_engine.h"
#include "keywords/engines/taobao_engine.h"

#include <QTest>

// The cut of each engine's reply: which suggestions a reply yields, in order.
// An empty row stands for an item without a suggestion (it only refreshes the
// count label); no rows at all for a reply that fails its test.
class TestEngineReplies : public QObject
{
    Q_OBJECT

private slots:
    void amazon_data();
    void amazon();
    void baidu_data();
    void baidu();
    void taobaoCleanUp_data();
    void taobaoCleanUp();
    void taobao_data();
    void taobao();
    void aliExpress_data();
    void aliExpress();
    void googleCleanUp_data();
    void googleCleanUp();
    void google_data();
    void google();
};

namespace {

// A quoted, comma-joined list of "<stem> 1" … "<stem> n".
QString quotedList(const QString &stem, int count, const QString &separator = "\",\"")
{
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << QStringLiteral("%1 %2").arg(stem).arg(i);
    return "\"" + items.join(separator) + "\"";
}

QStringList numbered(const QString &stem, int count)
{
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << QStringLiteral("%1 %2").arg(stem).arg(i);
    return items;
}

} // namespace

void TestEngineReplies::amazon_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("four suggestions in reply order")
        << "[\"abc\","
           "[" +
               quotedList("abc", 4) + "],[{\"nodes\":[]}],[],\"1ABC\"]"
        << numbered("abc", 4);
    QTest::newRow("twelve give the first ten")
        << "[\"abc\",[" + quotedList("abc", 12) + "],[{}],[]]" << numbered("abc", 10);
    QTest::newRow("exactly ten") << "[\"abc\",[" + quotedList("abc", 10) + "],[]]"
                                 << numbered("abc", 10);
    QTest::newRow("one suggestion has no separator: fails the test")
        << "[\"abc\",[\"abc 1\"],[{}],[]]" << QStringList();
    QTest::newRow("empty reply") << "" << QStringList();
    QTest::newRow("separator but no opening marker") << "{\"a\",\"b\"}" << QStringList{""};
    QTest::newRow("two separators in a row give an empty item")
        << "[\"x\",[\"a\",\"\",\"b\"],[]]" << QStringList{"a", "", "b"};
    QTest::newRow("suggestions verbatim, escapes kept")
        << "[\"x\",[\"caf\\u00e9\",\" b \"],[]]" << QStringList{"caf\\u00e9", " b "};
    QTest::newRow("letter case differs: kept apart")
        << "[\"x\",[\"Abc\",\"abc\"],[]]" << QStringList{"Abc", "abc"};
    QTest::newRow("no closing marker: the list runs to the end")
        << "[\"x\",[\"a\",\"b" << QStringList{"a", "b"};
    QTest::newRow("list ends at a second opening marker")
        << "[\"x\",[\"a\",\"b\",[\"c\",\"d\"],[]]" << QStringList{"a", "b"};
    QTest::newRow("empty list text") << "[\"x\",[\"\"],[],\"y\",\"z\"]" << QStringList{""};
}

void TestEngineReplies::amazon()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, items);
    QCOMPARE(cutAmazonReply(reply), items);
}

void TestEngineReplies::baidu_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("two suggestions")
        << "window.baidu.sug({q:\"abc\",p:false,s:[\"abc 1\",\"abc 2\"]});"
        << QStringList{"abc 1", "abc 2"};
    QTest::newRow("single suggestion fails the test")
        << "window.baidu.sug({q:\"abc\",p:false,s:[\"abc 1\"]});" << QStringList();
    QTest::newRow("twelve give the first ten")
        << "window.baidu.sug({q:\"abc\",p:false,s:[" + quotedList("abc", 12) + "]});"
        << numbered("abc", 10);
    QTest::newRow("exactly ten") << "s:[" + quotedList("abc", 10) + "]" << numbered("abc", 10);
    QTest::newRow("closing marker has no comma") << "s:[\"a\",\"b\"]}" << QStringList{"a", "b"};
    QTest::newRow("empty suggestion") << "s:[\"a\",\"\",\"b\"]" << QStringList{"a", "", "b"};
    QTest::newRow("separator but no opening marker") << "q:\"a\",\"b\"" << QStringList{""};
    QTest::newRow("no closing marker: the last item runs to the end")
        << "s:[\"a\",\"b});" << QStringList{"a", "b});"};
    QTest::newRow("chinese suggestions")
        << u"s:[\"手机壳\",\"手机膜\"]"_qs << QStringList{u"手机壳"_qs, u"手机膜"_qs};
}

void TestEngineReplies::baidu()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, items);
    QCOMPARE(cutBaiduReply(reply), items);
}

void TestEngineReplies::taobaoCleanUp_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("cleaned");

    QTest::newRow("compact") << "{\"result\":[[\"a\",\"1\"],[\"b\",\"2\"]]}"
                             << "{\"result\":[[\"a\", \"1\"], [\"b\", \"2\"]]}";
    QTest::newRow("spaced unchanged") << "{\"result\":[[\"a\", \"1\"], [\"b\", \"2\"]]}"
                                      << "{\"result\":[[\"a\", \"1\"], [\"b\", \"2\"]]}";
    QTest::newRow("mixed") << "[[\"a\", \"1\"],[\"b\",\"2\"], [\"c\",\"3\"]]"
                           << "[[\"a\", \"1\"], [\"b\", \"2\"], [\"c\", \"3\"]]";
    QTest::newRow("empty") << ""
                           << "";
}

void TestEngineReplies::taobaoCleanUp()
{
    QFETCH(QString, reply);
    QFETCH(QString, cleaned);
    QCOMPARE(cleanUpTaobaoReply(reply), cleaned);
}

void TestEngineReplies::taobao_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("items");

    auto entries = [](int count) {
        QStringList list;
        for (int i = 1; i <= count; ++i)
            list << QStringLiteral("[\"abc %1\",\"%2\"]").arg(i).arg(i * 100);
        return "{\"result\":[" + list.join(",") + "]}";
    };
    QTest::newRow("four entries") << entries(4) << numbered("abc", 4);
    QTest::newRow("one entry") << entries(1) << QStringList{"abc 1"};
    QTest::newRow("exactly ten") << entries(10) << numbered("abc", 10);
    QTest::newRow("twelve give the first ten") << entries(12) << numbered("abc", 10);
    QTest::newRow("spaced reply reads the same")
        << "{\"result\":[[\"a\", \"1\"], [\"b\", \"2\"]]}" << QStringList{"a", "b"};
    QTest::newRow("entry with a single string")
        << "{\"result\":[[\"a\"],[\"b\",\"2\"]]}" << QStringList{"a", "b"};
    QTest::newRow("empty first string with a count: empty suggestion")
        << "{\"result\":[[\"\",\"9\"],[\"b\",\"2\"]]}" << QStringList{"", "b"};
    QTest::newRow("entry of one empty string: no item, later ones taken")
        << "{\"result\":[[\"\"],[\"b\",\"2\"]]}" << QStringList{"", "b"};
    QTest::newRow("nothing between the markers") << "{\"result\":[[\"\"]]}" << QStringList{""};
    QTest::newRow("no closing marker fails the test")
        << "{\"result\":[[\"a\",\"1\"]}" << QStringList();
    QTest::newRow("empty reply") << "" << QStringList();
    QTest::newRow("closing marker without opening marker") << "x\"]]" << QStringList{""};
    QTest::newRow("escapes kept") << "{\"result\":[[\"\\u624b\",\"1\"]]}" << QStringList{"\\u624b"};
    QTest::newRow("chinese") << u"{\"result\":[[\"手机壳\",\"5\"],[\"手机膜\",\"3\"]]}"_qs
                             << QStringList{u"手机壳"_qs, u"手机膜"_qs};
}

void TestEngineReplies::taobao()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, items);
    QCOMPARE(cutTaobaoReply(cleanUpTaobaoReply(reply)), items);
}

void TestEngineReplies::aliExpress_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("items");

    auto entries = [](const QStringList &suggestions) {
        QStringList list;
        for (const QString &suggestion : suggestions)
            list << "{keywords: '" + suggestion + "', catId: '100003109'}";
        return "{keyWord: 'abc', items: [" + list.join(",") + "]}";
    };
    QTest::newRow("three in reply order") << entries(numbered("abc", 3)) << numbered("abc", 3);
    QTest::newRow("one") << entries({"abc 1"}) << QStringList{"abc 1"};
    QTest::newRow("exactly ten") << entries(numbered("abc", 10)) << numbered("abc", 10);
    QTest::newRow("twelve give the first ten")
        << entries(numbered("abc", 12)) << numbered("abc", 10);
    QTest::newRow("no closing marker fails the test") << "{keywords: 'abc 1'}" << QStringList();
    QTest::newRow("empty reply") << "" << QStringList();
    QTest::newRow("closing marker without opening marker")
        << "{x: 'a', catId: '1'}" << QStringList{""};
    QTest::newRow("empty text") << entries({"", "b"}) << QStringList{"", "b"};
    QTest::newRow("suggestion holding the closing marker is cut there")
        << entries({"a', catId b"}) << QStringList{"a"};
    QTest::newRow("suggestion holding the opening marker gives two")
        << entries({"a keywords: 'b"}) << QStringList{"a ", "b"};
    QTest::newRow("two opening markers in a row: empty piece, later ones taken")
        << "keywords: 'keywords: 'a', catId" << QStringList{"", "a"};
    QTest::newRow("reply ending with the opening marker")
        << "keywords: 'a', catId keywords: '" << QStringList{"a", ""};
    QTest::newRow("entry without closing marker runs to the next entry")
        << "keywords: 'a}, keywords: 'b', catId" << QStringList{"a}, ", "b"};
    QTest::newRow("capital K is no opening marker")
        << "{Keywords: 'a', catId: '1'}" << QStringList{""};
    QTest::newRow("small catid is no closing marker")
        << "{keywords: 'a', catid: '1'}" << QStringList();
    QTest::newRow("blank and apostrophe belong to the markers")
        << "{keywords:'a',catId: '1'}, {keywords: 'b', catId: '2'}" << QStringList{"b"};
}

void TestEngineReplies::aliExpress()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, items);
    QCOMPARE(cutAliExpressReply(reply), items);
}

void TestEngineReplies::googleCleanUp_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QString>("cleaned");

    QTest::newRow("bold tags removed") << "[[\"tea \\u003cb\\u003ecup\\u003c\\/b\\u003e\",\"a\",0]]"
                                       << "[[\"tea cup\",\"a\",0]]";
    QTest::newRow("every occurrence")
        << "\\u003cb\\u003ea\\u003c\\/b\\u003e \\u003cb\\u003eb\\u003c\\/b\\u003e"
        << "a b";
    QTest::newRow("end tag without the backslash stays") << "tea \\u003cb\\u003ecup\\u003c/b\\u003e"
                                                         << "tea cup\\u003c/b\\u003e";
    QTest::newRow("other escapes stay") << "caf\\u00e9"
                                        << "caf\\u00e9";
}

void TestEngineReplies::googleCleanUp()
{
    QFETCH(QString, reply);
    QFETCH(QString, cleaned);
    QCOMPARE(cleanUpGoogleReply(reply), cleaned);
}

void TestEngineReplies::google_data()
{
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("items");

    auto list = [](int count) {
        QStringList entries;
        for (int i = 1; i <= count; ++i)
            entries << QStringLiteral("[\"abc %1\",\"\",0]").arg(i);
        return "window.google.ac.h([\"abc\",[" + entries.join(",") + "],{\"q\":\"x\"}])";
    };
    QTest::newRow("three, from the list's start to its end")
        << "[[\"tea cup\",\"a\",0],[\"tea pot\",\"b\",0],[\"tea set\",\"c\",0]]"
        << QStringList{"tea cup", "tea pot", "tea set"};
    QTest::newRow("last piece without field separator is taken whole")
        << "[[\"tea cup\",0],[\"tea pot\",0]]" << QStringList{"tea cup", "tea pot\",0]]"};
    QTest::newRow("one item has no separator: fails the test")
        << "[[\"tea cup\",\"a\",0]]" << QStringList();
    QTest::newRow("no separator at all") << "window.google.ac.h([\"abc\",[]])" << QStringList();
    QTest::newRow("empty reply") << "" << QStringList();
    QTest::newRow("tenth is taken, eleventh not") << list(11) << numbered("abc", 10);
    QTest::newRow("twelve give ten") << list(12) << numbered("abc", 10);
    QTest::newRow("exactly ten") << list(10) << numbered("abc", 10);
    QTest::newRow("adjacent separators: an item without suggestion")
        << "[[\"a\",\"x\",0],[\"\",0],[\"c\",\"x\",0]]" << QStringList{"a", "", "c"};
    QTest::newRow("piece beginning with the field separator: empty suggestion")
        << "[[\"\",\"x\",0],[\"b\",\"x\",0]]" << QStringList{"", "b"};
    QTest::newRow("list ends at a second list opening")
        << "[[\"a\",\"x\",0],[\"b\",\"x\",0],[[\"c\",\"x\",0],[\"d\",\"x\",0]]"
        << QStringList{"a", "b"};
    QTest::newRow("separator only before the list opening")
        << "x\",0],[\"y [[\"abc\",\"d" << QStringList{"abc"};
    QTest::newRow("separator but no list opening") << "\"a\",0],[\"b\"" << QStringList{""};
    QTest::newRow("escapes kept") << "[[\"caf\\u00e9\",\"x\",0],[\"b\",\"x\",0]]"
                                  << QStringList{"caf\\u00e9", "b"};
}

void TestEngineReplies::google()
{
    QFETCH(QString, reply);
    QFETCH(QStringList, items);
    QCOMPARE(cutGoogleReply(cleanUpGoogleReply(reply)), items);
}

QTEST_APPLESS_MAIN(TestEngineReplies)
#include "tst_engine_replies.moc"
