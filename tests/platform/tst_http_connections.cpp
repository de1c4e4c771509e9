#include "platform/download.h"
#include "platform/http_client.h"
#include "platform/inet.h"
#include "support/fake_web.h"
#include "support/temp_folders.h"

#include <QTimer>
#include <QtTest>

namespace {

// The program's three ways of making a request.
enum class Caller { PageFetch, TransferControl, Download };

// The body of the reply, nothing when the request failed.
std::optional<QByteArray> fetch(Caller caller, const QString &url)
{
    switch (caller) {
    case Caller::PageFetch: {
        const std::optional<HttpReply> reply = HttpClient().get(url);
        return reply ? std::optional(reply->body) : std::nullopt;
    }
    case Caller::TransferControl:
        return Inet().openUrlBytes(url);
    case Caller::Download: {
        TempFolders folders;
        const QString target = folders.program("download");
        if (!downloadToFile(url, target))
            return std::nullopt;
        return TempFolders::readFile(target);
    }
    }
    return std::nullopt;
}

FakeWeb::Reply page(const QByteArray &body,
                    FakeWeb::AfterReply afterReply = FakeWeb::AfterReply::KeepOpen)
{
    FakeWeb::Reply reply;
    reply.body = body;
    reply.afterReply = afterReply;
    return reply;
}

void addCallerRows(const char *what)
{
    QTest::addColumn<Caller>("caller");
    QTest::newRow(qPrintable(QStringLiteral("page fetch, %1").arg(what))) << Caller::PageFetch;
    QTest::newRow(qPrintable(QStringLiteral("transfer control, %1").arg(what)))
        << Caller::TransferControl;
    QTest::newRow(qPrintable(QStringLiteral("download, %1").arg(what))) << Caller::Download;
}

} // namespace

Q_DECLARE_METATYPE(Caller)
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
};

void TestHttpConnections::consecutiveRequestsShareOneConnection_data()
{
    QTest::addColumn<Caller>("first");
    QTest::addColumn<Caller>("second");
    QTest::newRow("two page fetches") << Caller::PageFetch << Caller::PageFetch;
    QTest::newRow("two of the transfer control")
        << Caller::TransferControl << Caller::TransferControl;
    QTest::newRow("two downloads") << Caller::Download << Caller::Download;
    QTest::newRow("page fetch, then the transfer control's probe")
        << Caller::PageFetch << Caller::TransferControl;
    QTest::newRow("transfer control, then a page fetch")
        << Caller::TransferControl << Caller::PageFetch;
}

void TestHttpConnections::consecutiveRequestsShareOneConnection()
{
    QFETCH(Caller, first);
    QFETCH(Caller, second);
    FakeWeb web;
    web.route("/a", page("first"));
    web.route("/b", page("second"));
    QCOMPARE(fetch(first, web.baseUrl() + "/a"), QByteArray("first"));
    QCOMPARE(fetch(second, web.baseUrl() + "/b"), QByteArray("second"));
    QCOMPARE(web.requests().size(), 2);
    QCOMPARE(web.connectionsAccepted(), 1);
}

void TestHttpConnections::redirectToAnotherHostKeepsBothConnections_data()
{
    addCallerRows("redirected");
}

void TestHttpConnections::redirectToAnotherHostKeepsBothConnections()
{
    QFETCH(Caller, caller);
    FakeWeb first;
    FakeWeb second;
    FakeWeb::Reply moved;
    moved.status = 302;
    moved.headers = {{"Location", (second.baseUrl() + "/new").toUtf8()}};
    first.route("/old", moved);
    second.route("/new", page("moved here"));
    for (int round = 0; round < 2; ++round)
        QCOMPARE(fetch(caller, first.baseUrl() + "/old"), QByteArray("moved here"));
    QCOMPARE(second.requests().size(), 2);
    QCOMPARE(first.connectionsAccepted(), 1);
    QCOMPARE(second.connectionsAccepted(), 1);
}

void TestHttpConnections::endedConnectionIsReplacedByANewOne_data()
{
    QTest::addColumn<Caller>("caller");
    QTest::addColumn<FakeWeb::AfterReply>("afterReply");
    QTest::addColumn<int>("requestsReceived");
    const std::pair<Caller, const char *> callers[] = {
        {Caller::PageFetch, "page fetch"},
        {Caller::TransferControl, "transfer control"},
        {Caller::Download, "download"},
    };
    for (const auto &[caller, name] : callers) {
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
    QFETCH(Caller, caller);
    QFETCH(FakeWeb::AfterReply, afterReply);
    QFETCH(int, requestsReceived);
    FakeWeb web;
    web.route("/a", page("first", afterReply));
    web.route("/b", page("second"));
    QCOMPARE(fetch(caller, web.baseUrl() + "/a"), QByteArray("first"));
    QCOMPARE(fetch(caller, web.baseUrl() + "/b"), QByteArray("second"));
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
    QVERIFY(fetch(Caller::PageFetch, web.baseUrl() + "/fast")); // leaves a kept connection
    std::optional<QByteArray> inner;
    std::optional<QByteArray> late;
    // Runs among the events the transfer control runs while it waits for /slow.
    QTimer::singleShot(100, this, [&] {
        inner = fetch(Caller::PageFetch, web.baseUrl() + "/fast");
        late = fetch(Caller::TransferControl, web.baseUrl() + "/fast");
    });
    Inet inet;
    QCOMPARE(inet.openUrlBytes(web.baseUrl() + "/slow"), QByteArray("outer"));
    QCOMPARE(inner, QByteArray("inner"));
    QCOMPARE(late, QByteArray("inner"));
    QCOMPARE(web.connectionsAccepted(), 2);
}

QTEST_GUILESS_MAIN(TestHttpConnections)
#include "tst_http_connections.moc"
