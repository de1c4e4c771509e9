#include "net/fetch.h"
#include "net/network_probe.h"
#include "support/fake_services.h"
#include "support/fake_web.h"

#include <QtTest>

class TestFakeServices : public QObject
{
    Q_OBJECT

private slots:
    void everyServicePointsAtTheFakeWeb();
    void withoutAFakeWebEveryRequestIsRefused();
    void endingTheProgramIsRecorded();
};

void TestFakeServices::everyServicePointsAtTheFakeWeb()
{
    FakeWeb web;
    web.route("/s", QStringLiteral("1美元=6.1050人民币"));
    FakeServices fake(web.baseUrl());
    for (const QString &name : Endpoints::names())
        QCOMPARE(fake.services.endpoints->base(name), web.baseUrl());
    const QString url = fake.services.endpoints->base("websearch") + "/s?wd=x";
    QCOMPARE(GetBody(*fake.services.http, url, "utf-8"), QStringLiteral("1美元=6.1050人民币"));
    QVERIFY(NetworkProbe(*fake.services.inet, url));

    fake.pointAt("maker", "http://127.0.0.1:1");
    QCOMPARE(fake.services.endpoints->base("maker"), QString("http://127.0.0.1:1"));
}

void TestFakeServices::withoutAFakeWebEveryRequestIsRefused()
{
    FakeServices fake;
    const QString url = fake.services.endpoints->base("maker") + "/";
    QVERIFY(url.startsWith("http://127.0.0.1:"));
    QCOMPARE(GetBody(*fake.services.http, url, "gb2312"), QString());
    QVERIFY(!NetworkProbe(*fake.services.inet, url));
}

void TestFakeServices::endingTheProgramIsRecorded()
{
    FakeServices fake;
    QVERIFY(fake.services.dialogs && fake.services.shell && fake.services.clipboard &&
            fake.services.tray && fake.services.instanceLock && fake.services.clock);
    QCOMPARE(fake.services.paths.runtimeDir, fake.folders.temp());
    fake.tray.add("tip");
    QVERIFY(!fake.services.programEnded());
    fake.services.endProgram();
    QVERIFY(fake.services.programEnded());
    QVERIFY(!fake.tray.isShown());
}

QTEST_GUILESS_MAIN(TestFakeServices)
#include "tst_fake_services.moc"
