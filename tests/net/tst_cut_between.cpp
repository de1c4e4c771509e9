#include "net/cut_between.h"

#include <QtTest>

class TestCutBetween : public QObject
{
    Q_OBJECT

private slots:
    void cut_data();
    void cut();
};

void TestCutBetween::cut_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("close");
    QTest::addColumn<bool>("hasValue");
    QTest::addColumn<QString>("value");

    QTest::newRow("value between the markers") << "最新版本：V4.0版本信息结束"
                                               << "最新版本："
                                               << "版本信息结束" << true << "V4.0";
    QTest::newRow("exchange rate") << "<b>1美元=6.1050人民币</b>"
                                   << "1美元="
                                   << "人民币" << true << "6.1050";
    QTest::newRow("404 page without the opening marker")
        << "<html><title>404 Not Found</title></html>"
        << "最新版本："
        << "版本信息结束" << false << QString();
    QTest::newRow("empty text") << ""
                                << "1美元="
                                << "人民币" << false << QString();
    QTest::newRow("opening marker twice before the closing marker") << "1美元=6.10 1美元=6.20人民币"
                                                                    << "1美元="
                                                                    << "人民币" << true << "6.10 ";
    QTest::newRow("closing marker only before the opening marker") << "人民币 1美元=6.10"
                                                                   << "1美元="
                                                                   << "人民币" << true << "6.10";
    QTest::newRow("closing marker only before, up to the next opening marker")
        << "人民币 1美元=6.10 1美元=6.20"
        << "1美元="
        << "人民币" << true << "6.10 ";
    QTest::newRow("opening marker last") << "汇率 1美元="
                                         << "1美元="
                                         << "人民币" << false << QString();
    QTest::newRow("second opening marker at once") << "1美元=1美元=6.10人民币"
                                                   << "1美元="
                                                   << "人民币" << false << QString();
    QTest::newRow("closing marker at once empties") << "1美元=人民币"
                                                    << "1美元="
                                                    << "人民币" << true << "";
    QTest::newRow("no closing marker gives the rest")
        << "最新公告：放假通知\r\n下周见"
        << "最新公告："
        << "公告信息结束" << true << "放假通知\r\n下周见";
    QTest::newRow("blanks are kept") << "1美元= 6.10 人民币"
                                     << "1美元="
                                     << "人民币" << true << " 6.10 ";
    QTest::newRow("opening marker is case-sensitive") << "lock1 Lock2"
                                                      << "Lock"
                                                      << " " << true << "2";
    QTest::newRow("lower-case opening marker only") << "lock12"
                                                    << "Lock"
                                                    << " " << false << QString();
    QTest::newRow("closing marker is case-sensitive") << "<img src=\"/Temp/a.GIF\">"
                                                      << "/Temp/"
                                                      << ".gif" << true << "a.GIF\">";
    QTest::newRow("first of several closing markers") << "[a]b]c"
                                                      << "["
                                                      << "]" << true << "a";
    QTest::newRow("overlapping opening markers") << "xxxy"
                                                 << "xx"
                                                 << "z" << true << "xy";
}

void TestCutBetween::cut()
{
    QFETCH(QString, text);
    QFETCH(QString, open);
    QFETCH(QString, close);
    QFETCH(bool, hasValue);
    QFETCH(QString, value);

    const std::optional<QString> result = CutBetween(text, open, close);
    QCOMPARE(result.has_value(), hasValue);
    if (hasValue)
        QCOMPARE(*result, value);
}

QTEST_APPLESS_MAIN(TestCutBetween)
#include "tst_cut_between.moc"
