#include "platform/http_client.h"
#include "support/fake_web.h"

#include <QTest>

using namespace std::chrono_literals;

// Why a request of the blocking client got no reply.
class TestHttpFailure : public QObject
{
    Q_OBJECT

private slots:
    void refusedConnectionIsUnreachable();
    void unknownHostIsUnreachable();
    void timedOutReplyIsAnotherFailure_data();
    void timedOutReplyIsAnotherFailure();
    void replyWhateverItsStatusIsNoFailure();
};

void TestHttpFailure::refusedConnectionIsUnreachable()
{
    HttpFailure failure = HttpFailure::Other;
    QVERIFY(!HttpClient().get(FakeWeb::refusingBaseUrl() + "/page", {}, &failure));
    QCOMPARE(failure, HttpFailure::Unreachable);
}

void TestHttpFailure::unknownHostIsUnreachable()
{
    HttpFailure failure = HttpFailure::Other;
    QVERIFY(!HttpClient().get("http://no-such-host.invalid/page", {}, &failure));
    QCOMPARE(failure, HttpFailure::Unreachable);
}

void TestHttpFailure::timedOutReplyIsAnotherFailure_data()
{
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<int>("trickleMs");
    QTest::addColumn<int>("stallMs");
    QTest::addColumn<int>("totalMs");
    QTest::newRow("silent past the stall limit") << 60000 << 0 << 300 << 120000;
    QTest::newRow("trickling past the total limit") << 0 << 50 << 60000 << 300;
}

void TestHttpFailure::timedOutReplyIsAnotherFailure()
{
    QFETCH(int, delayMs);
    QFETCH(int, trickleMs);
    QFETCH(int, stallMs);
    QFETCH(int, totalMs);
    FakeWeb web;
    FakeWeb::Reply late;
    late.body = QByteArray(200, 'x');
    late.delayMs = delayMs;
    late.trickleMs = trickleMs;
    web.route("/late", late);
    const HttpTimeouts timeouts{60s, std::chrono::milliseconds(stallMs),
                                std::chrono::milliseconds(totalMs)};
    HttpFailure failure = HttpFailure::Unreachable;
    QVERIFY(!HttpClient(timeouts).get(web.baseUrl() + "/late", {}, &failure));
    QCOMPARE(failure, HttpFailure::Other);
}

void TestHttpFailure::replyWhateverItsStatusIsNoFailure()
{
    FakeWeb web;
    FakeWeb::Reply missing;
    missing.status = 404;
    missing.body = "not here";
    web.route("/missing", missing);
    HttpFailure failure = HttpFailure::Unreachable;
    const std::optional<HttpReply> reply =
        HttpClient().get(web.baseUrl() + "/missing", {}, &failure);
    QVERIFY(reply);
    QCOMPARE(reply->status, 404);
    QCOMPARE(reply->body, QByteArray("not here"));
}

QTEST_APPLESS_MAIN(TestHttpFailure)
#include "tst_http_failure.moc"
