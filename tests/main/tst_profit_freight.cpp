#include "profit_fixture.h"
#include "support/test_main.h"

#include <QInputMethodEvent>

namespace {

const QStringList customGroup = {"Text10", "Text113", "Text114", "Text119", "Text120", "Text9"};
const QStringList emsGroup = {"Text115", "Text116", "Text121", "Text122", "Text7", "Text8"};

// A key that types nothing, so only its release reaches the destination box.
void releaseKeyInDestination(ProfitFixture &f)
{
    QTest::keyClick(f.destinationEdit(), Qt::Key_Shift);
}

// Chinese characters typed one key each, as a keyboard layout types them.
void typeInDestination(ProfitFixture &f, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, f.destinationEdit(), Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
}

void commitThroughInputMethod(ProfitFixture &f, const QString &text)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(f.destinationEdit(), &commit);
}

int listIndexOf(ProfitFixture &f, const QString &item)
{
    for (int i = 0; i < f.panel->Combo1.ListCount(); ++i) {
        if (f.panel->Combo1.List(i) == item)
            return i;
    }
    return -1;
}

} // namespace

class TestProfitFreight : public QObject
{
    Q_OBJECT

private slots:
    void emsZonesThroughTheWeightBox_data();
    void emsZonesThroughTheWeightBox();
    void keyReleaseInTheDestinationBox_data();
    void keyReleaseInTheDestinationBox();
    void typingCompletesTheDestination_data();
    void typingCompletesTheDestination();
    void deleteCompletesAgain();
    void pickKeepsTheCustomFreight();
    void pickKeepsATypedCustomFreight();
    void emptyingTheWeightZeroesTheFreights();
    void hugeWeights_data();
    void hugeWeights();
};

void TestProfitFreight::emsZonesThroughTheWeightBox_data()
{
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("ems");
    QTest::addColumn<QString>("custom");

    const struct
    {
        const char *destination, *at499, *at500, *at1500;
    } zones[] = {
        {"美国", "85", "145.75", "213.25"},       {"澳门", "40.5", "76", "103"},
        {"韩国", "55.75", "103", "139"},          {"蒙古", "62.5", "109.75", "150.25"},
        {"新西兰", "76", "123.25", "172.75"},     {"加拿大", "103", "163.75", "231.25"},
        {"孟加拉国", "112", "175", "247"},        {"墨西哥", "121", "199.75", "289.75"},
        {"刚果-布", "170.5", "258.25", "366.25"}, {"沙特阿拉伯", "170.5", "258.25", "366.25"},
    };
    int zone = 1;
    for (const auto &row : zones) {
        const QByteArray name = "zone " + QByteArray::number(zone++);
        // At 0 g the typed custom freight is zeroed with the EMS freight.
        QTest::newRow(name + " 0 g") << row.destination << "0"
                                     << "0"
                                     << "0";
        QTest::newRow(name + " 499 g") << row.destination << "499" << row.at499 << "30";
        QTest::newRow(name + " 500 g") << row.destination << "500" << row.at500 << "30";
        QTest::newRow(name + " 1500 g") << row.destination << "1500" << row.at1500 << "30";
    }
    QTest::newRow("weight 12 followed by letters reads 12") << "美国"
                                                            << "12abc"
                                                            << "85"
                                                            << "30";
    QTest::newRow("negative weight counts as 0") << "美国"
                                                 << "-5"
                                                 << "0"
                                                 << "0";
}

void TestProfitFreight::emsZonesThroughTheWeightBox()
{
    QFETCH(QString, destination);
    QFETCH(QString, weight);
    QFETCH(QString, ems);
    QFETCH(QString, custom);

    ProfitFixture f;
    f.box("Text118").setText("6.5");
    f.panel->Combo1.setText(destination);
    f.box("Text113").setText("30");
    f.box("Text112").setText(weight);
    QCOMPARE(f.text("Text115"), ems);
    QCOMPARE(f.text("Text113"), custom);
    if (ems == "0") {
        QCOMPARE(f.text("Text114"), QString("0"));
        QCOMPARE(f.text("Text116"), QString("0"));
    }
}

void TestProfitFreight::keyReleaseInTheDestinationBox_data()
{
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QStringList>("undeliverable");
    QTest::addColumn<QString>("ems");
    QTest::addColumn<QString>("custom");

    QTest::newRow("美国 300 g") << "美国"
                                << "300" << QStringList() << "85"
                                << "65.5";
    QTest::newRow("美国 empty weight") << "美国"
                                       << "" << QStringList() << "0"
                                       << "0";
    QTest::newRow("加拿大: no custom group") << "加拿大"
                                             << "300" << customGroup << "103"
                                             << "送不到";
    QTest::newRow("荷兰 typed: no EMS zone") << "荷兰"
                                             << "300" << emsGroup << "送不到"
                                             << "113";
    // The EMS freight of a destination without a zone stays marked at 0 g.
    QTest::newRow("荷兰 empty weight") << "荷兰"
                                       << "" << emsGroup << "送不到"
                                       << "0";
    QTest::newRow("刚果-金 1000 g") << "刚果-金"
                                    << "1000" << customGroup << "312.25"
                                    << "送不到";
    QTest::newRow("英国 300 g") << "英国"
                                << "300" << QStringList() << "103"
                                << "65";
    QTest::newRow("a prefix is no destination") << "美"
                                                << "300" << (customGroup + emsGroup) << "送不到"
                                                << "送不到";
    QTest::newRow("a blank before the name") << " 美国"
                                             << "300" << (customGroup + emsGroup) << "送不到"
                                             << "送不到";
    QTest::newRow("布基纳法索 joined") << "布基纳法索"
                                       << "300" << (customGroup + emsGroup) << "送不到"
                                       << "送不到";
    QTest::newRow("empty destination") << ""
                                       << "300" << (customGroup + emsGroup) << "送不到"
                                       << "送不到";
}

void TestProfitFreight::keyReleaseInTheDestinationBox()
{
    QFETCH(QString, destination);
    QFETCH(QString, weight);
    QFETCH(QStringList, undeliverable);
    QFETCH(QString, ems);
    QFETCH(QString, custom);

    ProfitFixture f;
    f.enterExample();
    f.panel->Combo1.setText(destination);
    f.box("Text112").setText(weight);
    releaseKeyInDestination(f);

    undeliverable.sort();
    QCOMPARE(f.boxesShowing("送不到"), undeliverable);
    QCOMPARE(f.text("Text115"), ems);
    QCOMPARE(f.text("Text113"), custom);
    if (undeliverable.contains("Text8")) {
        QCOMPARE(f.caption("Label54"), QString("亏本"));
        QCOMPARE(f.caption("Label56"), QString("亏本"));
    }
    if (undeliverable.contains("Text120")) {
        QCOMPARE(f.caption("Label53"), QString("亏本"));
        QCOMPARE(f.caption("Label55"), QString("亏本"));
    }
}

void TestProfitFreight::typingCompletesTheDestination_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("ems");
    QTest::addColumn<QString>("custom");

    QTest::newRow("印 gives 印度") << QStringList{"印"} << "印度" << 1 << 1 << "112"
                                   << "送不到";
    QTest::newRow("美 gives 美国") << QStringList{"美"} << "美国" << 1 << 1 << "85"
                                   << "65.5";
    QTest::newRow("typing on over the selection")
        << QStringList{"印", "度", "尼"} << "印度尼西亚" << 3 << 2 << "62.5"
        << "送不到";
    QTest::newRow("Backspace completes nothing")
        << QStringList{"美", "\b"} << "美" << 1 << 0 << "送不到"
        << "送不到";
    QTest::newRow("input method 英 gives 英国")
        << QStringList{"ime:英"} << "英国" << 1 << 1 << "103"
        << "65";
    QTest::newRow("input method 荷兰 has no item")
        << QStringList{"ime:荷兰"} << "荷兰" << 2 << 0 << "送不到"
        << "113";
}

void TestProfitFreight::typingCompletesTheDestination()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, destination);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, ems);
    QFETCH(QString, custom);

    ProfitFixture f;
    f.box("Text112").setText("300");
    f.destinationEdit()->clear();
    for (const QString &key : typed) {
        if (key.startsWith("ime:"))
            commitThroughInputMethod(f, key.mid(4));
        else if (key == "\b")
            QTest::keyClick(f.destinationEdit(), Qt::Key_Backspace);
        else
            typeInDestination(f, key);
    }
    QCOMPARE(f.panel->Combo1.text(), destination);
    QCOMPARE(f.panel->Combo1.SelStart(), selStart);
    QCOMPARE(f.panel->Combo1.SelLength(), selLength);
    QCOMPARE(f.text("Text115"), ems);
    QCOMPARE(f.text("Text113"), custom);
}

void TestProfitFreight::deleteCompletesAgain()
{
    ProfitFixture f;
    f.destinationEdit()->clear();
    typeInDestination(f, "美");
    QCOMPARE(f.panel->Combo1.text(), QString("美国"));
    QTest::keyClick(f.destinationEdit(), Qt::Key_Delete);
    QCOMPARE(f.panel->Combo1.text(), QString("美国"));

    // Deleting the whole text completes nothing; both freights are marked.
    f.destinationEdit()->selectAll();
    QTest::keyClick(f.destinationEdit(), Qt::Key_Delete);
    QCOMPARE(f.panel->Combo1.text(), QString());
    QCOMPARE(f.text("Text115"), QString("送不到"));
    QCOMPARE(f.text("Text113"), QString("送不到"));
}

void TestProfitFreight::pickKeepsTheCustomFreight()
{
    ProfitFixture f;
    f.box("Text112").setText("300");
    releaseKeyInDestination(f);
    QCOMPARE(f.text("Text113"), QString("65.5"));

    f.panel->Combo1.setListIndex(listIndexOf(f, "英国"));
    QCOMPARE(f.panel->Combo1.text(), QString("英国"));
    QCOMPARE(f.text("Text115"), QString("103"));
    QCOMPARE(f.text("Text113"), QString("65.5"));

    releaseKeyInDestination(f);
    QCOMPARE(f.text("Text113"), QString("65"));
}

void TestProfitFreight::pickKeepsATypedCustomFreight()
{
    ProfitFixture f;
    f.box("Text112").setText("300");
    f.box("Text113").setText("50");
    f.panel->Combo1.setListIndex(listIndexOf(f, "加拿大"));
    QCOMPARE(f.text("Text113"), QString("50"));
    QCOMPARE(f.text("Text115"), QString("103"));

    releaseKeyInDestination(f);
    QCOMPARE(f.text("Text113"), QString("送不到"));
}

void TestProfitFreight::emptyingTheWeightZeroesTheFreights()
{
    ProfitFixture f;
    f.box("Text112").setText("300");
    f.box("Text113").setText("50");
    f.box("Text112").setText("");
    for (const char *box : {"Text113", "Text114", "Text115", "Text116"})
        QCOMPARE(f.text(box), QString("0"));
}

void TestProfitFreight::hugeWeights_data()
{
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("ems");
    QTest::addColumn<QString>("custom");

    QTest::newRow("1E20 g") << "100000000000000000000"
                            << "6.75E+18"
                            << "1.3E+19";
    QTest::newRow("100000 g") << "100000"
                              << "6862"
                              << "13026.5";
    QTest::newRow("beyond a double reads 0") << "1" + QString(400, '0') << "0"
                                             << "0";
}

void TestProfitFreight::hugeWeights()
{
    QFETCH(QString, weight);
    QFETCH(QString, ems);
    QFETCH(QString, custom);

    ProfitFixture f;
    f.box("Text112").setText(weight);
    releaseKeyInDestination(f);
    QCOMPARE(f.text("Text115"), ems);
    QCOMPARE(f.text("Text113"), custom);
}

SKARVEL_TEST_MAIN(TestProfitFreight)
#include "tst_profit_freight.moc"
