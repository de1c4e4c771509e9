#include "platform/inet.h"
#include "support/fake_web.h"
#include "support/http_callers.h"

#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <thread>

namespace {

FakeWeb::Reply page(const QByteArray &body,
                    FakeWeb::AfterReply afterReply = FakeWeb::AfterReply::KeepOpen)
{
    FakeWeb::Reply reply;
    reply.body = body;
    reply.afterReply = afterReply;
    return reply;
}

// The sockets this process holds open, the server's among them.
int openSockets()
{
    int count = 0;
    for (const auto &entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(entry.path(), error).string().starts_with("socket:"))
            ++count;
    }
    return count;
}

} // namespace

Q_DECLARE_METATYPE(FakeWeb::AfterReply)

// The program's requests keep their connections open and reuse them, as the
// Windows stack does.
class TestHttpConnections : public QObject
{
    Q_OBJECT

private slots:
    void consecutiveRequestsShareOneConnection_data();
    void consecutiveRequestsShareOneConnection();
    void redirectToAnotherHostKeepsBothConnections_data();
    void redirectToAnotherHostKeepsBothConnections();
    void endedConnectionIsReplacedByANewOne_data();
    void endedConnectionIsReplacedByANewOne();
    void nestedRequestDoesNotTakeTheBusyConnection();
    void finishedThreadLeavesNoSocketOpen_data();
    void finishedThreadLeavesNoSocketOpen();
};

void TestHttpConnections::consecutiveRequestsShareOneConnection_data()
{
    QTest::addColumn<HttpCaller>("first");
    QTest::addColumn<HttpCaller>("second");
    QTest::newRow("two page fetches") << HttpCaller::PageFetch << HttpCaller::PageFetch;
    QTest::newRow("two of the transfer control")
        << HttpCaller::TransferControl << HttpCaller::TransferControl;
    QTest::newRow("two downloads") << HttpCaller::Download << HttpCaller::Download;
    QTest::newRow("page fetch, then the transfer control's probe")
        << HttpCaller::PageFetch << HttpCaller::TransferControl;
    QTest::newRow("transfer control, then a page fetch")
        << HttpCaller::TransferControl << HttpCaller::PageFetch;
}

void TestHttpConnections::consecutiveRequestsShareOneConnection()
{
    QFETCH(HttpCaller, first);
    QFETCH(HttpCaller, second);
    FakeWeb web;
    web.route("/a", page("first"));
    web.route("/b", page("second"));
    QCOMPARE(fetchWith(first, web.baseUrl() + "/a"), QByteArray("first"));
    QCOMPARE(fetchWith(second, web.baseUrl() + "/b"), QByteArray("second"));
    QCOMPARE(web.requests().size(), 2);
    QCOMPARE(web.connectionsAccepted(), 1);
}

void TestHttpConnections::redirectToAnotherHostKeepsBothConnections_data()
{
    addHttpCallerRows("redirected");
}

void TestHttpConnections::redirectToAnotherHostKeepsBothConnections()
{
    QFETCH(HttpCaller, caller);
    FakeWeb first;
    FakeWeb second;
    FakeWeb::Reply moved;
    moved.status = 302;
    moved.headers = {{"Location", (second.baseUrl() + "/new").toUtf8()}};
    first.route("/old", moved);
    second.route("/new", page("moved here"));
    for (int round = 0; round < 2; ++round)
        QCOMPARE(fetchWith(caller, first.baseUrl() + "/old"), QByteArray("moved here"));
    QCOMPARE(second.requests().size(), 2);
    QCOMPARE(first.connectionsAccepted(), 1);
    QCOMPARE(second.connectionsAccepted(), 1);
}

void TestHttpConnections::endedConnectionIsReplacedByANewOne_data()
{
    QTest::addColumn<HttpCaller>("caller");
    QTest::addColumn<FakeWeb::AfterReply>("afterReply");
    QTest::addColumn<int>("requestsReceived");
    for (HttpCaller caller : httpCallers) {
        const char *name = nameOf(caller);
        QTest::addRow("%s, closed as announced", name) << caller << FakeWeb::AfterReply::Close << 2;
        QTest::addRow("%s, closed without a word", name)
            << caller << FakeWeb::AfterReply::CloseSilently << 2;
        // The dropped request arrived and is sent once more on a new connection.
        QTest::addRow("%s, dropped as the next request arrives", name)
            << caller << FakeWeb::AfterReply::DropAtNextRequest << 3;
    }
}

void TestHttpConnections::endedConnectionIsReplacedByANewOne()
{
    QFETCH(HttpCaller, caller);
    QFETCH(FakeWeb::AfterReply, afterReply);
    QFETCH(int, requestsReceived);
    FakeWeb web;
    web.route("/a", page("first", afterReply));
    web.route("/b", page("second"));
    QCOMPARE(fetchWith(caller, web.baseUrl() + "/a"), QByteArray("first"));
    QCOMPARE(fetchWith(caller, web.baseUrl() + "/b"), QByteArray("second"));
    QCOMPARE(web.requests().size(), requestsReceived);
    QCOMPARE(web.connectionsAccepted(), 2);
}

void TestHttpConnections::nestedRequestDoesNotTakeTheBusyConnection()
{
    FakeWeb web;
    FakeWeb::Reply slow = page("outer");
    slow.delayMs = 300;
    web.route("/slow", slow);
    web.route("/fast", page("inner"));
    QVERIFY(fetchWith(HttpCaller::PageFetch, web.baseUrl() + "/fast")); // leaves a kept connection
    std::optional<QByteArray> inner;
    std::optional<QByteArray> late;
    // Runs among the events the transfer control runs while it waits for /slow.
    QTimer::singleShot(100, this, [&] {
        inner = fetchWith(HttpCaller::PageFetch, web.baseUrl() + "/fast");
        late = fetchWith(HttpCaller::TransferControl, web.baseUrl() + "/fast");
    });
    Inet inet;
    QCOMPARE(inet.openUrlBytes(web.baseUrl() + "/slow"), QByteArray("outer"));
    QCOMPARE(inner, QByteArray("inner"));
    QCOMPARE(late, QByteArray("inner"));
    QCOMPARE(web.connectionsAccepted(), 2);
}

void TestHttpConnections::finishedThreadLeavesNoSocketOpen_data()
{
    addHttpCallerRows("on a worker thread");
}

void TestHttpConnections::finishedThreadLeavesNoSocketOpen()
{
    QFETCH(HttpCaller, caller);
    FakeWeb web;
    web.route("/a", page("first"));
    web.route("/b", page("second"));
    const int before = openSockets();
    std::optional<QByteArray> first;
    std::optional<QByteArray> second;
    std::thread worker([&] {
        first = fetchWith(caller, web.baseUrl() + "/a");
        second = fetchWith(caller, web.baseUrl() + "/b");
    });
    worker.join();
    QCOMPARE(first, QByteArray("first"));
    QCOMPARE(second, QByteArray("second"));
    QCOMPARE(web.connectionsAccepted(), 1);
    // The server closes its end of the connection once the client has closed its own.
    QTRY_COMPARE(openSockets(), before);
}

QTEST_GUILESS_MAIN(TestHttpConnections)
#include "tst_http_connections.moc"
