#include "platform/code_page.h"
#include "platform/download.h"
#include "platform/http_client.h"
#include "platform/inet.h"
#include "support/fake_web.h"
#include "support/http_callers.h"
#include "support/temp_folders.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace std::chrono_literals;

namespace {

// Far beyond every shortened time-out below, far below the server's silence: a
// request that ends before this was given up on, not waited out.
constexpr qint64 givenUpWithinMs = 10000;
constexpr int silenceMs = 60000;
// A byte every 50 ms never lets a reply fall silent for long.
constexpr int trickleMs = 50;

FakeWeb::Reply reply(int status, const QByteArray &body, int delayMs = 0)
{
    FakeWeb::Reply reply;
    reply.status = status;
    reply.body = body;
    reply.delayMs = delayMs;
    return reply;
}

FakeWeb::Reply trickling(int bytes)
{
    FakeWeb::Reply reply;
    reply.body = QByteArray(bytes, 'x');
    reply.trickleMs = trickleMs;
    return reply;
}

// A listening socket whose accept queue is full and never drained, so a new
// connection to it is never completed.
class UnansweredPort
{
public:
    UnansweredPort()
    {
        listener = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        ::bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof(address));
        ::listen(listener, 0);
        ::getsockname(listener, reinterpret_cast<sockaddr *>(&address), &length);
        port = ntohs(address.sin_port);
        for (int &filler : fillers) {
            filler = ::socket(AF_INET, SOCK_STREAM, 0);
            ::fcntl(filler, F_SETFL, O_NONBLOCK);
            ::connect(filler, reinterpret_cast<sockaddr *>(&address), sizeof(address));
        }
    }
    ~UnansweredPort()
    {
        for (int filler : fillers)
            ::close(filler);
        ::close(listener);
    }
    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port); }

private:
    int listener = -1;
    int fillers[4] = {};
    int port = 0;
};

} // namespace

class TestHttpClient : public QObject
{
    Q_OBJECT

private slots:
    void get_sendsGetWithHeadersAndTheAddressAsGiven();
    void get_returnsTheBodyWhateverTheStatus_data();
    void get_returnsTheBodyWhateverTheStatus();
    void get_followsRedirects();
    void get_failsOnRefusedConnection();
    void get_givesUpOnSilentReply();
    void get_givesUpOnUnansweredConnection();
    void givesUpOnATricklingReplyAfterTheTotalLimit_data();
    void givesUpOnATricklingReplyAfterTheTotalLimit();
    void programLimitsByDefault_data();
    void programLimitsByDefault();

    void inet_returnsBodyAndDecodesAnsi();
    void inet_emptyBodyIsAResult();
    void inet_sendsGivenHeaders();
    void inet_failsOnRefusedConnection();
    void inet_givesUpAfterItsTimeout();
    void inet_runsPendingEventsWhileWaiting_data();
    void inet_runsPendingEventsWhileWaiting();

    void download_commitsOnlyACompleteReply_data();
    void download_commitsOnlyACompleteReply();
    void download_createsAMissingFile();
    void download_keepsTheFileWhenTheReplyOutlastsTheLimit();
};

void TestHttpClient::get_sendsGetWithHeadersAndTheAddressAsGiven()
{
    FakeWeb web;
    web.route("/s", reply(200, "ok"));
    HttpClient http;
    const auto result =
        http.get(web.baseUrl() + "/s?wd=%C3%C0%D4%AA&x=1", {{"If-Modified-Since", "0"}});
    QVERIFY(result);
    QCOMPARE(result->body, QByteArray("ok"));
    QCOMPARE(web.requests().size(), 1);
    const FakeWeb::Request request = web.requests().first();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.path, QByteArray("/s"));
    QCOMPARE(request.query, QByteArray("wd=%C3%C0%D4%AA&x=1"));
    QCOMPARE(request.header("If-Modified-Since"), QByteArray("0"));
    QVERIFY(!request.hasHeader("Authorization"));
}

void TestHttpClient::get_returnsTheBodyWhateverTheStatus_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("200 page") << 200 << QByteArray("<html>page</html>");
    QTest::newRow("404 error page") << 404 << QByteArray("<html>not found</html>");
    QTest::newRow("500 error page") << 500 << QByteArray("<html>broken</html>");
    QTest::newRow("200 empty") << 200 << QByteArray();
}

void TestHttpClient::get_returnsTheBodyWhateverTheStatus()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    FakeWeb web;
    web.route("/page", reply(status, body));
    const auto result = HttpClient().get(web.baseUrl() + "/page");
    QVERIFY(result);
    QCOMPARE(result->status, status);
    QCOMPARE(result->body, body);
}

void TestHttpClient::get_followsRedirects()
{
    FakeWeb web;
    FakeWeb::Reply moved = reply(302, {});
    moved.headers = {{"Location", "/new"}};
    web.route("/old", moved);
    web.route("/new", reply(200, "moved here"));
    const auto result = HttpClient().get(web.baseUrl() + "/old");
    QVERIFY(result);
    QCOMPARE(result->status, 200);
    QCOMPARE(result->body, QByteArray("moved here"));
}

void TestHttpClient::get_failsOnRefusedConnection()
{
    QVERIFY(!HttpClient().get(FakeWeb::refusingBaseUrl() + "/page"));
}

void TestHttpClient::get_givesUpOnSilentReply()
{
    FakeWeb web;
    web.route("/silent", reply(200, "too late", silenceMs));
    const HttpClient http(HttpTimeouts{60s, 300ms});
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!http.get(web.baseUrl() + "/silent"));
    QCOMPARE_LT(timer.elapsed(), givenUpWithinMs);
}

void TestHttpClient::get_givesUpOnUnansweredConnection()
{
    UnansweredPort port;
    const HttpClient http(HttpTimeouts{300ms, 60s});
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!http.get(port.baseUrl() + "/page"));
    QCOMPARE_LT(timer.elapsed(), givenUpWithinMs);
}

void TestHttpClient::givesUpOnATricklingReplyAfterTheTotalLimit_data()
{
    QTest::addColumn<HttpCaller>("caller");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("totalMs");
    QTest::addColumn<bool>("succeeds");
    for (HttpCaller caller : httpCallers) {
        QTest::addRow("%s, ends within the limit", nameOf(caller)) << caller << 6 << 5000 << true;
        QTest::addRow("%s, outlasts the limit", nameOf(caller)) << caller << 200 << 400 << false;
    }
}

void TestHttpClient::givesUpOnATricklingReplyAfterTheTotalLimit()
{
    QFETCH(HttpCaller, caller);
    QFETCH(int, bytes);
    QFETCH(int, totalMs);
    QFETCH(bool, succeeds);
    FakeWeb web;
    web.route("/trickle", trickling(bytes));
    QElapsedTimer timer;
    timer.start();
    const std::optional<QByteArray> body =
        fetchWith(caller, web.baseUrl() + "/trickle", std::chrono::milliseconds(totalMs));
    QCOMPARE(body.has_value(), succeeds);
    if (succeeds)
        QCOMPARE(*body, QByteArray(bytes, 'x'));
    // Waited out, not cut short by the stall limit (libcurl's clock may run a
    // millisecond or so behind ours).
    QCOMPARE_GE(timer.elapsed(), qint64(std::min(totalMs, bytes * trickleMs) * 9 / 10));
    QCOMPARE_LT(timer.elapsed(), givenUpWithinMs);
}

// The limits the program's own requests run with (every test above shortens
// them, so that none waits them out).
void TestHttpClient::programLimitsByDefault_data()
{
    QTest::addColumn<qint64>("limitMs");
    QTest::addColumn<qint64>("expectedMs");
    const HttpTimeouts pageFetch = HttpClient().limits();
    const HttpTimeouts download; // what downloadToFile takes when given none
    QTest::newRow("page fetch, connecting") << qint64(pageFetch.connect.count()) << 60000LL;
    QTest::newRow("page fetch, silent reply") << qint64(pageFetch.stall.count()) << 60000LL;
    QTest::newRow("page fetch, whole request") << qint64(pageFetch.total.count()) << 120000LL;
    QTest::newRow("download, connecting") << qint64(download.connect.count()) << 60000LL;
    QTest::newRow("download, silent reply") << qint64(download.stall.count()) << 60000LL;
    QTest::newRow("download, whole request") << qint64(download.total.count()) << 120000LL;
    QTest::newRow("transfer control, whole request") << qint64(Inet().limit().count()) << 60000LL;
}

void TestHttpClient::programLimitsByDefault()
{
    QFETCH(qint64, limitMs);
    QFETCH(qint64, expectedMs);
    QCOMPARE(limitMs, expectedMs);
}

void TestHttpClient::inet_returnsBodyAndDecodesAnsi()
{
    FakeWeb web;
    web.route("/gbk", QStringLiteral("最新版本：V4.0"), "gbk");
    web.route("/missing", reply(404, "gone"));
    Inet inet;
    QCOMPARE(inet.openUrlBytes(web.baseUrl() + "/gbk"),
             encodeAnsi(QStringLiteral("最新版本：V4.0")));
    QCOMPARE(inet.openUrl(web.baseUrl() + "/gbk"), QStringLiteral("最新版本：V4.0"));
    QCOMPARE(inet.openUrl(web.baseUrl() + "/missing"), QStringLiteral("gone"));
}

void TestHttpClient::inet_emptyBodyIsAResult()
{
    FakeWeb web;
    web.route("/empty", reply(200, {}));
    Inet inet;
    const auto bytes = inet.openUrlBytes(web.baseUrl() + "/empty");
    QVERIFY(bytes);
    QVERIFY(bytes->isEmpty());
    const auto text = inet.openUrl(web.baseUrl() + "/empty");
    QVERIFY(text);
    QVERIFY(text->isEmpty());
}

void TestHttpClient::inet_sendsGivenHeaders()
{
    FakeWeb web;
    web.route("/air", reply(200, "x"));
    Inet inet;
    QVERIFY(
        inet.openUrlBytes(web.baseUrl() + "/air/index?w=n", {{"Cookie", "uin=o123; skey=abc"}}));
    const FakeWeb::Request request = web.requests().first();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.target, QByteArray("/air/index?w=n"));
    QCOMPARE(request.header("Cookie"), QByteArray("uin=o123; skey=abc"));
}

void TestHttpClient::inet_failsOnRefusedConnection()
{
    Inet inet;
    QVERIFY(!inet.openUrlBytes(FakeWeb::refusingBaseUrl() + "/page"));
    QVERIFY(!inet.openUrl(FakeWeb::refusingBaseUrl() + "/page"));
}

void TestHttpClient::inet_givesUpAfterItsTimeout()
{
    FakeWeb web;
    web.route("/silent", reply(200, "too late", silenceMs));
    Inet inet(300ms);
    QElapsedTimer timer;
    timer.start();
    QVERIFY(!inet.openUrlBytes(web.baseUrl() + "/silent"));
    QCOMPARE_LT(timer.elapsed(), givenUpWithinMs);
}

void TestHttpClient::inet_runsPendingEventsWhileWaiting_data()
{
    QTest::addColumn<bool>("runsEvents");
    QTest::newRow("runs events") << true;
    QTest::newRow("told not to") << false;
}

void TestHttpClient::inet_runsPendingEventsWhileWaiting()
{
    QFETCH(bool, runsEvents);
    FakeWeb web;
    web.route("/slow", reply(200, "late", 200));
    Inet inet;
    inet.setRunsEventsWhileWaiting(runsEvents);
    bool ran = false;
    QTimer::singleShot(0, this, [&ran] { ran = true; });
    QCOMPARE(inet.openUrlBytes(web.baseUrl() + "/slow"), QByteArray("late"));
    QCOMPARE(ran, runsEvents);
    QCoreApplication::processEvents(); // the timer of the second row fires here
    QVERIFY(ran);
}

void TestHttpClient::download_commitsOnlyACompleteReply_data()
{
    QTest::addColumn<bool>("refused");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("committed");
    QTest::newRow("200 with body") << false << 200 << QByteArray("GIF89a-new") << true;
    QTest::newRow("404 error page") << false << 404 << QByteArray("not found") << false;
    QTest::newRow("500 error page") << false << 500 << QByteArray("broken") << false;
    QTest::newRow("200 empty") << false << 200 << QByteArray() << false;
    QTest::newRow("refused") << true << 0 << QByteArray() << false;
}

void TestHttpClient::download_commitsOnlyACompleteReply()
{
    QFETCH(bool, refused);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, committed);
    FakeWeb web;
    web.route("/Temp/123.gif", reply(status, body));
    TempFolders folders;
    const QString target = folders.program("orvoupcimg.gif");
    QVERIFY(TempFolders::writeFile(target, "GIF89a-old"));

    const QString base = refused ? FakeWeb::refusingBaseUrl() : web.baseUrl();
    QCOMPARE(downloadToFile(base + "/Temp/123.gif", target), committed);
    QCOMPARE(TempFolders::readFile(target), committed ? body : QByteArray("GIF89a-old"));
    // No temporary file is left beside the target.
    QCOMPARE(QDir(folders.program()).entryList(QDir::Files), QStringList{"orvoupcimg.gif"});
}

void TestHttpClient::download_createsAMissingFile()
{
    FakeWeb web;
    web.route("/Temp/1.gif", reply(200, "GIF89a"));
    TempFolders folders;
    const QString target = folders.program("1.gif");
    QVERIFY(downloadToFile(web.baseUrl() + "/Temp/1.gif", target));
    QCOMPARE(TempFolders::readFile(target), QByteArray("GIF89a"));
    QVERIFY(!downloadToFile(web.baseUrl() + "/Temp/1.gif", folders.program("no/such/1.gif")));
}

void TestHttpClient::download_keepsTheFileWhenTheReplyOutlastsTheLimit()
{
    FakeWeb web;
    web.route("/Temp/1.gif", trickling(200));
    TempFolders folders;
    const QString target = folders.program("1.gif");
    QVERIFY(TempFolders::writeFile(target, "GIF89a-old"));
    QVERIFY(!downloadToFile(web.baseUrl() + "/Temp/1.gif", target, HttpTimeouts{60s, 60s, 400ms}));
    QCOMPARE(TempFolders::readFile(target), QByteArray("GIF89a-old"));
    QCOMPARE(QDir(folders.program()).entryList(QDir::Files), QStringList{"1.gif"});
}

QTEST_GUILESS_MAIN(TestHttpClient)
#include "tst_http_client.moc"
