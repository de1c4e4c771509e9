#include "net/fetch.h"
#include "net/network_probe.h"
#include "platform/code_page.h"
#include "platform/http_client.h"
#include "platform/inet.h"
#include "support/fake_web.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace std::chrono_literals;

namespace {

using Fetch = QString (*)(const HttpClient &, const QString &, const QString &);

FakeWeb::Reply reply(int status, const QByteArray &body, int delayMs = 0)
{
    FakeWeb::Reply reply;
    reply.status = status;
    reply.body = body;
    reply.delayMs = delayMs;
    return reply;
}

const QByteArray bom = "\xEF\xBB\xBF";

} // namespace

Q_DECLARE_METATYPE(Fetch)

class TestFetch : public QObject
{
    Q_OBJECT

private slots:
    void getBody_sendsGetWithIfModifiedSince_data();
    void getBody_sendsGetWithIfModifiedSince();
    void getBody_decodesTheBodyWhateverTheStatus_data();
    void getBody_decodesTheBodyWhateverTheStatus();
    void getBody_givesEmptyTextWithoutReply_data();
    void getBody_givesEmptyTextWithoutReply();

    void bytesToBstr_data();
    void bytesToBstr();

    void networkProbe_data();
    void networkProbe();
    void networkProbe_asksWithTheAddressAlone();

private:
    static void bothFetches();
};

void TestFetch::bothFetches()
{
    QTest::addColumn<Fetch>("fetch");
}

void TestFetch::getBody_sendsGetWithIfModifiedSince_data()
{
    bothFetches();
    QTest::newRow("GetBody") << Fetch(GetBody);
    QTest::newRow("GetBody1") << Fetch(GetBody1);
}

void TestFetch::getBody_sendsGetWithIfModifiedSince()
{
    QFETCH(Fetch, fetch);
    FakeWeb web;
    web.route("/s", reply(200, "ok"));
    const QString url = web.baseUrl() + "/s?wd=%C3%C0%D4%AA%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA";
    QCOMPARE(fetch(HttpClient(), url, "utf-8"), QString("ok"));
    QCOMPARE(web.requests().size(), 1);
    const FakeWeb::Request request = web.requests().first();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.query, QByteArray("wd=%C3%C0%D4%AA%C8%CB%C3%F1%B1%D2%BB%E3%C2%CA"));
    QCOMPARE(request.header("If-Modified-Since"), QByteArray("0"));
    QVERIFY(!request.hasHeader("Authorization"));
}

void TestFetch::getBody_decodesTheBodyWhateverTheStatus_data()
{
    bothFetches();
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("coding");
    QTest::addColumn<QString>("text");

    const QString notice = QStringLiteral("最新版本：V4.0版本信息结束");
    const QString rate = QStringLiteral("1美元=6.1050人民币");
    for (const auto &[name, fetch] :
         {std::pair{"GetBody", Fetch(GetBody)}, std::pair{"GetBody1", Fetch(GetBody1)}}) {
        const auto row = [name](const char *what) -> QTestData & {
            return QTest::newRow(qPrintable(QString("%1: %2").arg(name, what)));
        };
        row("gb2312 page") << fetch << 200 << encodeAnsi(notice) << "gb2312" << notice;
        row("utf-8 page") << fetch << 200 << rate.toUtf8() << "utf-8" << rate;
        row("utf-8 with byte order mark") << fetch << 200 << bom + rate.toUtf8() << "utf-8" << rate;
        row("404 error page") << fetch << 404 << QStringLiteral("<h1>找不到</h1>").toUtf8()
                              << "utf-8" << QStringLiteral("<h1>找不到</h1>");
        row("500 error page") << fetch << 500 << QByteArray("Internal Server Error") << "gb2312"
                              << "Internal Server Error";
        row("empty body") << fetch << 200 << QByteArray() << "utf-8"
                          << "";
        row("unknown charset leaves the body undecoded")
            << fetch << 200 << encodeAnsi(notice) << "x-unknown" << notice;
    }
}

void TestFetch::getBody_decodesTheBodyWhateverTheStatus()
{
    QFETCH(Fetch, fetch);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QString, coding);
    QFETCH(QString, text);
    FakeWeb web;
    web.route("/page", reply(status, body));
    QCOMPARE(fetch(HttpClient(), web.baseUrl() + "/page", coding), text);
}

void TestFetch::getBody_givesEmptyTextWithoutReply_data()
{
    bothFetches();
    QTest::addColumn<bool>("refused");
    QTest::newRow("GetBody: refused") << Fetch(GetBody) << true;
    QTest::newRow("GetBody1: refused") << Fetch(GetBody1) << true;
    QTest::newRow("GetBody: silent server") << Fetch(GetBody) << false;
    QTest::newRow("GetBody1: silent server") << Fetch(GetBody1) << false;
}

void TestFetch::getBody_givesEmptyTextWithoutReply()
{
    QFETCH(Fetch, fetch);
    QFETCH(bool, refused);
    FakeWeb web;
    web.route("/page", reply(200, "too late", 60000));
    const QString base = refused ? FakeWeb::refusingBaseUrl() : web.baseUrl();
    const HttpClient http(HttpTimeouts{300ms, 300ms});
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(fetch(http, base + "/page", "utf-8"), QString());
    // Given up on, not waited out.
    QCOMPARE_LT(timer.elapsed(), 10000);
}

void TestFetch::bytesToBstr_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("charset");
    QTest::addColumn<bool>("decoded");
    QTest::addColumn<QString>("text");
    const QString chinese = QStringLiteral("亲，网络异常");
    QTest::newRow("gb2312 reads as GBK") << encodeAnsi(chinese) << "gb2312" << true << chinese;
    // "镕" is in GBK but not in GB2312 proper.
    QTest::newRow("gb2312 beyond GB2312")
        << encodeAnsi(QStringLiteral("朱镕基")) << "gb2312" << true << QStringLiteral("朱镕基");
    QTest::newRow("utf-8") << chinese.toUtf8() << "utf-8" << true << chinese;
    QTest::newRow("utf-8 drops the byte order mark")
        << bom + chinese.toUtf8() << "utf-8" << true << chinese;
    QTest::newRow("empty body") << QByteArray() << "utf-8" << true << "";
    QTest::newRow("unknown charset") << QByteArray("abc") << "x-unknown" << false << QString();
}

void TestFetch::bytesToBstr()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, charset);
    QFETCH(bool, decoded);
    QFETCH(QString, text);
    const std::optional<QString> result = BytesToBstr(body, charset);
    QCOMPARE(result.has_value(), decoded);
    if (decoded)
        QCOMPARE(*result, text);
}

void TestFetch::networkProbe_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("reachable");
    QTest::newRow("page") << "answers" << 200 << QByteArray("最新版本：") << true;
    QTest::newRow("one byte") << "answers" << 200 << QByteArray("x") << true;
    QTest::newRow("404 error page") << "answers" << 404 << QByteArray("not found") << true;
    QTest::newRow("empty body") << "answers" << 200 << QByteArray() << false;
    QTest::newRow("404 empty") << "answers" << 404 << QByteArray() << false;
    QTest::newRow("refused") << "refuses" << 0 << QByteArray() << false;
    QTest::newRow("silent past the time-out") << "silent" << 200 << QByteArray("late") << false;
}

void TestFetch::networkProbe()
{
    QFETCH(QString, server);
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(bool, reachable);
    FakeWeb web;
    web.route("/page", reply(status, body, server == "silent" ? 60000 : 0));
    const QString base = server == "refuses" ? FakeWeb::refusingBaseUrl() : web.baseUrl();
    Inet inet(300ms);
    QCOMPARE(NetworkProbe(inet, base + "/page"), reachable);
}

void TestFetch::networkProbe_asksWithTheAddressAlone()
{
    FakeWeb web;
    web.route("/su", reply(200, "window.baidu.sug({})"));
    Inet inet;
    QVERIFY(NetworkProbe(inet, web.baseUrl() + "/su?wd=%E4%BA%B2"));
    const FakeWeb::Request request = web.requests().first();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.target, QByteArray("/su?wd=%E4%BA%B2"));
    QVERIFY(!request.hasHeader("If-Modified-Since"));
}

QTEST_GUILESS_MAIN(TestFetch)
#include "tst_fetch.moc"
