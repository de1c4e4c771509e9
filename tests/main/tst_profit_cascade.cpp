#include "profit_fixture.h"
#include "support/test_main.h"

class TestProfitCascade : public QObject
{
    Q_OBJECT

private slots:
    void typingBehindTheUnitPrice();
    void editsAfterTheExample_data();
    void editsAfterTheExample();
};

// The worked example: a 0 typed behind the unit price 2. The writes of the
// sales, fee and one profit box, in the order they happen, nested.
void TestProfitCascade::typingBehindTheUnitPrice()
{
    ProfitFixture f;
    f.enterExample();
    f.box("Text113").setText("0");
    f.box("Text115").setText("0");
    f.box("Text105").setText("2");
    QCOMPARE(f.text("Text108"), QString("2.0000"));
    QCOMPARE(f.text("Text110"), QString("0.3"));
    QCOMPARE(f.text("Text109"), QString("12.0000"));
    QCOMPARE(f.text("Text111"), QString("1.8"));

    QStringList writes;
    for (const char *name : {"Text108", "Text110", "Text109", "Text111", "Text122"}) {
        TextBox &box = f.box(name);
        const std::function<void()> original = box.Change;
        box.Change = [&writes, &box, original] {
            writes << box.objectName() + "=" + box.text();
            original();
        };
    }
    f.box("Text105").lineEdit()->end(false);
    QTest::keyClick(f.box("Text105").widget(), Qt::Key_0);

    const QStringList expectedWrites = {
        "Text108=20",
        "Text110=3",
        // Standard values new, expedited still old: 12 × 6.5 − 40 − 6.5 × 1.8
        "Text122=26.3",
        "Text122=26.3000",
        "Text108=20.0000",
        "Text109=30",
        "Text111=4.5",
        "Text122=125.75",
        "Text122=125.7500",
        "Text109=30.0000",
        // The unit price handler's own recomputation.
        "Text122=125.75",
        "Text122=125.7500",
    };
    QCOMPARE(writes, expectedWrites);

    const QStringList expected = {
        "Text108=20.0000", "Text110=3",       "Text109=30.0000",  "Text111=4.5",
        "Text120=70.5000", "Text119=10.8462", "Text122=125.7500", "Text121=19.3462",
        "Text8=70.5000",   "Text7=10.8462",   "Text10=125.7500",  "Text9=19.3462",
    };
    for (const QString &entry : expected) {
        const QString name = entry.section('=', 0, 0);
        QCOMPARE(name + "=" + f.text(name), entry);
    }
    for (const char *word : {"Label53", "Label54", "Label55", "Label56"})
        QCOMPARE(f.caption(word), QString("盈利"));
}

void TestProfitCascade::editsAfterTheExample_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("standard charge: standard side only")
        << QStringList{"Text106=5"}
        << QStringList{"Text108=25.0000", "Text110=3.75",  "Text109=30.0000", "Text111=4.5",
                       "Text120=68.1250", "Text8=18.1250", "Text10=95.7500"};
    QTest::newRow("expedited charge: expedited side only")
        << QStringList{"Text107=12"}
        << QStringList{"Text108=20.0000", "Text110=3",       "Text109=32.0000", "Text111=4.8",
                       "Text120=40.5000", "Text10=106.8000", "Text122=56.8000"};
    QTest::newRow("sales four decimals, fee plain")
        << QStringList{"Text105=12", "Text107=9.99"}
        << QStringList{"Text109=21.9900", "Text111=3.2985", "Text108=12.0000", "Text110=1.8"};
    QTest::newRow("empty unit price: sales are the charges")
        << QStringList{"Text105="}
        << QStringList{"Text108=0.0000", "Text110=0", "Text109=10.0000", "Text111=1.5"};
    QTest::newRow("unit price 12.5.3 reads 12.5")
        << QStringList{"Text105=12.5.3"} << QStringList{"Text108=12.5000", "Text110=1.875"};
    QTest::newRow("custom freight 12 at rate 6: EMS profits unchanged")
        << QStringList{"Text118=6", "click=Command2", "Text113=12"}
        << QStringList{"Text114=2.0000", "Text120=50.0000", "Text10=101.0000", "Text8=-18.0000",
                       "Text122=33.0000"};
    QTest::newRow("domestic freight converts and recomputes")
        << QStringList{"Text103=13"}
        << QStringList{"Text104=2.0000", "Text120=32.5000", "Text122=37.7500"};
    QTest::newRow("marked custom freight stays marked after the expedited charge")
        << QStringList{"Text113=送不到", "Text107=20"}
        << QStringList{"Text114=送不到", "Text120=送不到",   "Text119=送不到", "Text10=送不到",
                       "Text9=送不到",   "Text122=101.0000", "Label53=亏本",   "Label55=亏本"};
    QTest::newRow("marked custom freight stays marked after the fee rate")
        << QStringList{"Text113=送不到", "Text117=10"}
        << QStringList{"Text114=送不到", "Text120=送不到", "Text119=送不到", "Text10=送不到",
                       "Text9=送不到",   "Text8=-3.0000",  "Label53=亏本",   "Label55=亏本"};
    QTest::newRow("marked EMS freight stays marked after the unit price")
        << QStringList{"Text115=送不到", "Text105=25"}
        << QStringList{"Text116=送不到", "Text122=送不到",  "Text121=送不到", "Text8=送不到",
                       "Text7=送不到",   "Text120=68.1250", "Label54=亏本",   "Label56=亏本"};
    QTest::newRow("a 5 in front of the marker reads 5")
        << QStringList{"Text113=5送不到"}
        << QStringList{"Text114=0.7692", "Text120=65.5000", "Label53=盈利"};
    QTest::newRow("a 5 behind the marker reads 0")
        << QStringList{"Text113=送不到5"}
        << QStringList{"Text114=0.0000", "Text120=70.5000", "Label53=盈利"};
}

void TestProfitCascade::editsAfterTheExample()
{
    QFETCH(QStringList, edits);
    QFETCH(QStringList, expected);

    ProfitFixture f;
    f.enterExample();
    for (const QString &edit : edits) {
        if (edit == "click=Command2")
            f.panel->Command2.click();
        else
            f.box(edit.section('=', 0, 0)).setText(edit.section('=', 1));
    }
    for (const QString &entry : expected) {
        const QString name = entry.section('=', 0, 0);
        const QString shown = name.startsWith("Label") ? f.caption(name) : f.text(name);
        QCOMPARE(name + "=" + shown, entry);
    }
}

SKARVEL_TEST_MAIN(TestProfitCascade)
#include "tst_profit_cascade.moc"
