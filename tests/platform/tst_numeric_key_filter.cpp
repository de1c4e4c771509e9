#include "platform/numeric_key_filter.h"

#include <QTest>

class TestNumericKeyFilter : public QObject
{
    Q_OBJECT

private slots:
    void passesDigitsPointAndBackspace_data();
    void passesDigitsPointAndBackspace();
};

void TestNumericKeyFilter::passesDigitsPointAndBackspace_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("passes");

    QTest::newRow("0") << int('0') << true;
    QTest::newRow("9") << int('9') << true;
    QTest::newRow("point") << int('.') << true;
    QTest::newRow("backspace") << 8 << true;
    QTest::newRow("letter") << int('a') << false;
    QTest::newRow("minus") << int('-') << false;
    QTest::newRow("comma") << int(',') << false;
    QTest::newRow("blank") << int(' ') << false;
    QTest::newRow("Enter") << 13 << false;
    QTest::newRow("Ctrl+V") << 22 << false;
    QTest::newRow("Ctrl+C") << 3 << false;
    QTest::newRow("full-width 1") << 0xFF11 << false;
    QTest::newRow("Chinese character") << 0x4E2D << false;
}

void TestNumericKeyFilter::passesDigitsPointAndBackspace()
{
    QFETCH(int, key);
    QFETCH(bool, passes);
    int filtered = key;
    NumericKeyFilter(filtered);
    QCOMPARE(filtered, passes ? key : 0);
}

QTEST_GUILESS_MAIN(TestNumericKeyFilter)
#include "tst_numeric_key_filter.moc"
