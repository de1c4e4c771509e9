#include "net/endpoints.h"
#include "support/temp_folders.h"

#include <QtTest>

class TestEndpoints : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void defaults_data();
    void defaults();
    void namesAreTheServiceTable();
    void unknownNameHasNoAddress();
    void fileNamedInTheEnvironmentOverrides();
    void missingOrUnsetFileKeepsDefaults_data();
    void missingOrUnsetFileKeepsDefaults();
    void setDropsATrailingSlash();
};

void TestEndpoints::cleanup()
{
    qunsetenv("SKARVEL_ENDPOINTS");
}

void TestEndpoints::defaults_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("base");
    QTest::newRow("websearch") << "websearch"
                               << "http://www.baidu.com";
    QTest::newRow("marketplace") << "marketplace"
                                 << "http://www.amazon.com";
    QTest::newRow("suggest.baidu") << "suggest.baidu"
                                   << "http://suggestion.baidu.com";
    QTest::newRow("suggest.amazon_uk") << "suggest.amazon_uk"
                                       << "http://completion.amazon.co.uk";
    QTest::newRow("suggest.aliexpress") << "suggest.aliexpress"
                                        << "http://connectkeyword.aliexpress.com";
    QTest::newRow("suggest.google_com_hk") << "suggest.google_com_hk"
                                           << "http://www.google.com.hk";
    QTest::newRow("worldfirst") << "worldfirst"
                                << "http://www.worldfirst.com";
    QTest::newRow("qqgroup") << "qqgroup"
                             << "http://qun.qq.com";
    QTest::newRow("qqlogin") << "qqlogin"
                             << "http://xui.ptlogin2.qq.com";
    QTest::newRow("sellercentral is https") << "sellercentral"
                                            << "https://sellercentral.amazon.com";
    QTest::newRow("maker placeholder") << "maker"
                                       << "http://maker.skarvel.invalid";
    QTest::newRow("barcode placeholder") << "barcode"
                                         << "http://barcode.skarvel.invalid";
    QTest::newRow("vendor placeholder") << "vendor"
                                        << "http://vendor.skarvel.invalid";
}

void TestEndpoints::defaults()
{
    QFETCH(QString, name);
    QFETCH(QString, base);
    QCOMPARE(Endpoints().base(name), base);
    QCOMPARE(Endpoints::fromEnvironment().base(name), base);
}

void TestEndpoints::namesAreTheServiceTable()
{
    const QStringList expected = {
        "maker",
        "websearch",
        "barcode",
        "marketplace",
        "suggest.baidu",
        "suggest.taobao",
        "suggest.amazon_us",
        "suggest.amazon_uk",
        "suggest.aliexpress",
        "suggest.google_com",
        "suggest.google_co_jp",
        "suggest.google_ru",
        "suggest.google_com_hk",
        "suggest.google_de",
        "worldfirst",
        "forex",
        "qqgroup",
        "qqlogin",
        "vendor",
        "sellercentral",
    };
    QCOMPARE(Endpoints::names(), expected);
    const Endpoints endpoints;
    for (const QString &name : expected) {
        const QString base = endpoints.base(name);
        QVERIFY2(base.startsWith("http://") || base.startsWith("https://"), qPrintable(name));
        QVERIFY2(!base.endsWith('/'), qPrintable(name));
    }
}

void TestEndpoints::unknownNameHasNoAddress()
{
    QCOMPARE(Endpoints().base("nosuchservice"), QString());
    QCOMPARE(Endpoints().base(""), QString());
}

void TestEndpoints::fileNamedInTheEnvironmentOverrides()
{
    TempFolders folders;
    const QString file = folders.temp("endpoints.ini");
    QVERIFY(TempFolders::writeFile(file, "[hosts]\n"
                                         "maker=http://127.0.0.1:8123\n"
                                         "suggest.baidu=http://127.0.0.1:8124/\n"
                                         "[other]\n"
                                         "websearch=http://127.0.0.1:1\n"));
    qputenv("SKARVEL_ENDPOINTS", file.toLocal8Bit());
    const Endpoints endpoints = Endpoints::fromEnvironment();
    QCOMPARE(endpoints.base("maker"), QString("http://127.0.0.1:8123"));
    QCOMPARE(endpoints.base("suggest.baidu"), QString("http://127.0.0.1:8124"));
    QCOMPARE(endpoints.base("websearch"), QString("http://www.baidu.com"));
    QCOMPARE(endpoints.base("qqgroup"), QString("http://qun.qq.com"));
}

void TestEndpoints::missingOrUnsetFileKeepsDefaults_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::newRow("empty variable") << QByteArray("");
    QTest::newRow("missing file") << QByteArray("/nonexistent/endpoints.ini");
}

void TestEndpoints::missingOrUnsetFileKeepsDefaults()
{
    QFETCH(QByteArray, variable);
    qputenv("SKARVEL_ENDPOINTS", variable);
    const Endpoints endpoints = Endpoints::fromEnvironment();
    for (const QString &name : Endpoints::names())
        QCOMPARE(endpoints.base(name), Endpoints().base(name));
}

void TestEndpoints::setDropsATrailingSlash()
{
    Endpoints endpoints;
    endpoints.set("forex", "http://127.0.0.1:9000/");
    QCOMPARE(endpoints.base("forex"), QString("http://127.0.0.1:9000"));
}

QTEST_GUILESS_MAIN(TestEndpoints)
#include "tst_endpoints.moc"
