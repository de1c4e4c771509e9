#include "keywords/network_message.h"
#include "keywords/page_fetch.h"
#include "platform/http_client.h"
#include "support/fake_web.h"
#include "support/scripted_dialogs.h"

#include <QCoreApplication>
#include <QTimer>
#include <QtTest>

using namespace std::chrono_literals;

namespace {

FakeWeb::Reply reply(int status, const QByteArray &body, const QByteArray &contentType,
                     int delayMs = 0)
{
    FakeWeb::Reply reply;
    reply.status = status;
    reply.body = body;
    reply.contentType = contentType;
    reply.delayMs = delayMs;
    return reply;
}

} // namespace

class TestPageFetch : public QObject
{
    Q_OBJECT

private slots:
    void bodyInTheNamedCharset_data();
    void bodyInTheNamedCharset();
    void unreachableServerShowsTheNetworkMessage();
    void otherFailuresAreSilent();
    void sendsNoHeaderOfItsOwn();
    void blocksTheWindowEvents();
};

void TestPageFetch::bodyInTheNamedCharset_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<QString>("text");

    QTest::newRow("utf-8 reply") << 200 << QByteArray("[\"手机\",[\"手机壳\"]]")
                                 << QByteArray("text/javascript") << u"[\"手机\",[\"手机壳\"]]"_qs;
    QTest::newRow("404 page is returned") << 404 << QByteArray("<html>missing</html>")
                                          << QByteArray("text/html") << "<html>missing</html>";
    QTest::newRow("500 page is returned") << 500 << QByteArray("<html>error</html>")
                                          << QByteArray("text/html") << "<html>error</html>";
    QTest::newRow("declared gbk is read as utf-8 all the same")
        << 200 << QByteArray("\xE6\x89\x8B") << QByteArray("text/html; charset=gbk") << u"手"_qs;
    QTest::newRow("empty body") << 200 << QByteArray() << QByteArray("text/html") << "";
}

void TestPageFetch::bodyInTheNamedCharset()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, contentType);
    QFETCH(QString, text);

    FakeWeb web;
    web.route("/page", reply(status, body, contentType));
    ScriptedDialogs dialogs;
    QCOMPARE(getHTTPPage(HttpClient(), dialogs, web.baseUrl() + "/page?q=x", "UTF-8"), text);
    QVERIFY(dialogs.shown().isEmpty());
}

void TestPageFetch::unreachableServerShowsTheNetworkMessage()
{
    ScriptedDialogs dialogs;
    QCOMPARE(getHTTPPage(HttpClient(), dialogs, FakeWeb::refusingBaseUrl() + "/page", "UTF-8"),
             QString());
    QCOMPARE(dialogs.shown().size(), 1);
    QCOMPARE(dialogs.shown()[0].prompt, networkPrompt);
    QCOMPARE(dialogs.shown()[0].title, u"亲，网络异常，你懂的！"_qs);
    QCOMPARE(dialogs.shown()[0].style, 64);
}

void TestPageFetch::otherFailuresAreSilent()
{
    FakeWeb web;
    web.route("/silent", reply(200, "too late", "text/html", 60000));
    ScriptedDialogs dialogs;
    QCOMPARE(getHTTPPage(HttpClient(HttpTimeouts{60s, 300ms}), dialogs, web.baseUrl() + "/silent",
                         "UTF-8"),
             QString());
    QCOMPARE(getHTTPPage(HttpClient(), dialogs, web.baseUrl() + "/page", "no-such-charset"),
             QString());
    QVERIFY(dialogs.shown().isEmpty());
}

void TestPageFetch::sendsNoHeaderOfItsOwn()
{
    FakeWeb web;
    web.route("/page", reply(200, "x", "text/html"));
    ScriptedDialogs dialogs;
    getHTTPPage(HttpClient(), dialogs, web.baseUrl() + "/page?q=a", "UTF-8");
    QCOMPARE(web.requests().size(), 1);
    const FakeWeb::Request request = web.requests()[0];
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.target, QByteArray("/page?q=a"));
    QVERIFY(!request.hasHeader("If-Modified-Since"));
    QVERIFY(!request.hasHeader("Cache-Control"));
}

void TestPageFetch::blocksTheWindowEvents()
{
    FakeWeb web;
    web.route("/slow", reply(200, "x", "text/html", 300));
    ScriptedDialogs dialogs;
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    QCOMPARE(getHTTPPage(HttpClient(), dialogs, web.baseUrl() + "/slow", "UTF-8"), "x");
    QVERIFY(!ran);
    QCoreApplication::processEvents();
    QVERIFY(ran);
}

QTEST_GUILESS_MAIN(TestPageFetch)
#include "tst_page_fetch.moc"
