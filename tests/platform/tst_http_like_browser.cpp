#include "platform/http_client.h"
#include "platform/inet.h"
#include "platform/web_engine_user_agent.h"
#include "platform/web_profile.h"
#include "support/fake_web.h"
#include "support/http_callers.h"
#include "support/temp_folders.h"
#include "support/test_main.h"

#include <QWebEngineProfile>
#include <QtTest>

namespace {

int headerCount(const FakeWeb::Request &request, const QByteArray &name)
{
    int count = 0;
    for (const auto &header : request.headers)
        count += header.first.compare(name, Qt::CaseInsensitive) == 0 ? 1 : 0;
    return count;
}

// Text in two code pages and every byte value, long enough to be worth compressing.
QByteArray mixedBody()
{
    QByteArray body = QStringLiteral("最新版本 V4.0 keyword list\r\n").toUtf8().repeated(50);
    body += QByteArray("\xD7\xEE\xD0\xC2\xB0\xE6\xB1\xBE").repeated(50);
    for (int value = 0; value < 256; ++value)
        body += char(value);
    return body;
}

} // namespace

// Every request of the program presents itself as the program's embedded browsers
// do, and accepts compressed replies.
class TestHttpLikeBrowser : public QObject
{
    Q_OBJECT

private slots:
    void userAgentIsTheBrowsers();
    void requestNamesTheEngineAndAcceptsCompression_data();
    void requestNamesTheEngineAndAcceptsCompression();
    void callersOwnUserAgentReplacesIt();
    void compressedReplyArrivesAsTheSameBytes_data();
    void compressedReplyArrivesAsTheSameBytes();
};

void TestHttpLikeBrowser::userAgentIsTheBrowsers()
{
    QCOMPARE(webEngineUserAgent(), QWebEngineProfile::defaultProfile()->httpUserAgent().toLatin1());
    TempFolders folders;
    WebProfile browsers(folders.profile("web"));
    QCOMPARE(webEngineUserAgent(), browsers.engineProfile()->httpUserAgent().toLatin1());
    browsers.close();
}

void TestHttpLikeBrowser::requestNamesTheEngineAndAcceptsCompression_data()
{
    addHttpCallerRows("any request");
}

void TestHttpLikeBrowser::requestNamesTheEngineAndAcceptsCompression()
{
    QFETCH(HttpCaller, caller);
    FakeWeb web;
    web.route("/page", QStringLiteral("page"));
    QVERIFY(fetchWith(caller, web.baseUrl() + "/page"));
    const FakeWeb::Request request = web.requests().first();
    QCOMPARE(request.header("User-Agent"), webEngineUserAgent());
    QVERIFY(request.header("Accept-Encoding").contains("gzip"));
}

void TestHttpLikeBrowser::callersOwnUserAgentReplacesIt()
{
    FakeWeb web;
    web.route("/page", QStringLiteral("page"));
    const HttpHeaders own = {{"User-Agent", "Mozilla/4.0 (compatible; MSIE 6.0)"}};
    QVERIFY(HttpClient().get(web.baseUrl() + "/page", own));
    QVERIFY(Inet().openUrlBytes(web.baseUrl() + "/page", own));
    for (const FakeWeb::Request &request : web.requests()) {
        QCOMPARE(headerCount(request, "User-Agent"), 1);
        QCOMPARE(request.header("User-Agent"), QByteArray("Mozilla/4.0 (compatible; MSIE 6.0)"));
    }
}

void TestHttpLikeBrowser::compressedReplyArrivesAsTheSameBytes_data()
{
    addHttpCallerRows("gzip");
}

void TestHttpLikeBrowser::compressedReplyArrivesAsTheSameBytes()
{
    QFETCH(HttpCaller, caller);
    FakeWeb web;
    FakeWeb::Reply plain;
    plain.body = mixedBody();
    plain.contentType = "text/html; charset=gbk";
    FakeWeb::Reply compressed = plain;
    compressed.gzipped = true;
    web.route("/plain", plain);
    web.route("/gzip", compressed);
    const std::optional<QByteArray> uncompressedBody = fetchWith(caller, web.baseUrl() + "/plain");
    QCOMPARE(uncompressedBody, mixedBody());
    QCOMPARE(fetchWith(caller, web.baseUrl() + "/gzip"), uncompressedBody);
}

SKARVEL_TEST_MAIN(TestHttpLikeBrowser)
#include "tst_http_like_browser.moc"
