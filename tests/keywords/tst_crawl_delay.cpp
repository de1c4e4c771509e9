#include "keywords/crawl_delay.h"

#include <QTest>

class TestCrawlDelay : public QObject
{
    Q_OBJECT

private slots:
    void wait_data();
    void wait();
};

void TestCrawlDelay::wait_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("waits");
    QTest::addColumn<int>("ms");

    QTest::newRow("design text") << "0.5" << true << 500;
    QTest::newRow("item 0") << "0" << true << 0;
    QTest::newRow("item 0.2") << "0.2" << true << 200;
    QTest::newRow("item 9") << "9" << true << 9000;
    QTest::newRow("blanks around") << " 2 " << true << 2000;
    QTest::newRow("empty waits 0") << "" << true << 0;
    QTest::newRow("no number waits 0") << "abc" << true << 0;
    QTest::newRow("trailing text waits 0") << "1s" << true << 0;
    QTest::newRow("negative") << "-1" << true << -1000;
    QTest::newRow("half a millisecond to even: 0") << "0.0005" << true << 0;
    QTest::newRow("one and a half to even: 2") << "0.0015" << true << 2;
    QTest::newRow("two and a half to even: 2") << "0.0025" << true << 2;
    QTest::newRow("exponent") << "1e-3" << true << 1;
    QTest::newRow("product overflows: 0") << "1e306" << true << 0;
    QTest::newRow("text overflows: 0") << "1e400" << true << 0;
    QTest::newRow("largest 32-bit wait") << "2147483.647" << true << 2147483647;
    QTest::newRow("beyond 32 bits: no wait") << "2147483.648" << false << 0;
    QTest::newRow("below 32 bits: no wait") << "-2147483.649" << false << 0;
}

void TestCrawlDelay::wait()
{
    QFETCH(QString, text);
    QFETCH(bool, waits);
    QFETCH(int, ms);

    const std::optional<qint32> wait = crawlWaitMs(text);
    QCOMPARE(wait.has_value(), waits);
    if (waits)
        QCOMPARE(*wait, ms);
}

QTEST_APPLESS_MAIN(TestCrawlDelay)
#include "tst_crawl_delay.moc"
