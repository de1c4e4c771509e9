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
    void silentServerIsAnotherFailure();
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

void TestHttpFailure::silentServerIsAnotherFailure()
{
    FakeWeb web;
    FakeWeb::Reply late;
    late.body = "too late";
    late.delayMs = 60000;
    web.route("/silent", late);
    HttpFailure failure = HttpFailure::Unreachable;
    QVERIFY(!HttpClient(HttpTimeouts{60s, 300ms}).get(web.baseUrl() + "/silent", {}, &failure));
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
