#include "platform/box_writes.h"
#include "platform/controls/text_box.h"
#include "support/test_main.h"

#include <QTest>

namespace {

// A 400-digit number: beyond the range of a double.
const QString huge = QString(400, u'9');

} // namespace

class TstBoxWrites : public QObject
{
    Q_OBJECT
private slots:
    void reads_data();
    void reads();
    void writeAfterAFailedRead();
    void writeOfNoFiniteNumber();
    void reformatRunsChangeAndKeepsText_data();
    void reformatRunsChangeAndKeepsText();
};

void TstBoxWrites::reads_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("lenient");
    QTest::addColumn<bool>("lenientFails");
    QTest::addColumn<double>("strict");
    QTest::addColumn<bool>("strictFails");

    QTest::newRow("number") << " 2.5 " << 2.5 << false << 2.5 << false;
    QTest::newRow("empty") << "" << 0.0 << false << 0.0 << true;
    QTest::newRow("several points") << "1.2.3" << 1.2 << false << 0.0 << true;
    QTest::newRow("trailing letters") << "12abc" << 12.0 << false << 0.0 << true;
    QTest::newRow("message") << "尺寸顺序错误" << 0.0 << false << 0.0 << true;
    QTest::newRow("beyond a double") << huge << 0.0 << true << 0.0 << true;
}

void TstBoxWrites::reads()
{
    QFETCH(QString, text);
    QFETCH(double, lenient);
    QFETCH(bool, lenientFails);
    QFETCH(double, strict);
    QFETCH(bool, strictFails);

    QWidget window;
    TextBox box(&window, "Text1");
    box.setText(text);

    BoxReads lenientRead;
    QCOMPARE(lenientRead(box), lenient);
    QCOMPARE(lenientRead.failed(), lenientFails);
    BoxReads strictRead;
    QCOMPARE(strictRead.strict(box), strict);
    QCOMPARE(strictRead.failed(), strictFails);
}

void TstBoxWrites::writeAfterAFailedRead()
{
    QWidget window;
    TextBox source(&window, "Text1");
    TextBox target(&window, "Text2");
    target.setText("7");
    source.setText("");

    BoxReads read;
    const double value = read(target) + read.strict(source);

    QVERIFY(!writePlain(target, read, value));
    QCOMPARE(target.text(), "7");
}

void TstBoxWrites::writeOfNoFiniteNumber()
{
    QWidget window;
    TextBox target(&window, "Text2");
    target.setText("7");

    BoxReads read;
    QVERIFY(!writePlain(target, read, 1e308 * 10));
    QCOMPARE(target.text(), "7");
    QVERIFY(writePlain(target, read, 10.0 / 2.54));
    QCOMPARE(target.text(), "3.93700787401575");
}

void TstBoxWrites::reformatRunsChangeAndKeepsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("formatted");

    QTest::newRow("number") << "3.93700787401575"
                            << "3.9370";
    QTest::newRow("whole") << "1"
                           << "1.0000";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("message") << "尺寸顺序错误"
                             << "尺寸顺序错误";
}

void TstBoxWrites::reformatRunsChangeAndKeepsText()
{
    QFETCH(QString, text);
    QFETCH(QString, formatted);

    QWidget window;
    TextBox box(&window, "Text2");
    box.setChangeOnEqualText(true);
    box.setText(text);
    QStringList seen;
    box.Change = [&] { seen << box.text(); };

    reformat(box);

    QCOMPARE(box.text(), formatted);
    QCOMPARE(seen, QStringList{formatted});
}

SKARVEL_TEST_MAIN(TstBoxWrites)
#include "tst_box_writes.moc"
