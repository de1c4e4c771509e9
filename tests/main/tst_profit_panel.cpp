#include "platform/box_number.h"
#include "profit_fixture.h"
#include "support/test_main.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>

namespace {

// Records the rate box's text at the moment each message box comes up.
class RateWatchingDialogs : public ScriptedDialogs
{
public:
    TextBox *rateBox = nullptr;
    QStringList ratesShown;

protected:
    MsgResult show(const QString &prompt, int style, const QString &title) override
    {
        if (rateBox)
            ratesShown << rateBox->text();
        return ScriptedDialogs::show(prompt, style, title);
    }
};

const QString zeroRatePrompt = QStringLiteral("亲，汇率不能为0不能为空也不能为小数点哦！");
const QString zeroRateTitle = QStringLiteral("亲，不能这么填哦亲！");

} // namespace

class TestProfitPanel : public QObject
{
    Q_OBJECT

private slots:
    void designTexts_data();
    void designTexts();
    void designCaptions_data();
    void designCaptions();
    void designLists();
    void example_data();
    void example();
    void customFreightUndeliverable_data();
    void customFreightUndeliverable();
    void markerNeedsTheExactText();
    void profitOfExactlyZeroIsALoss();
    void costIsWrittenInTwoSteps();
    void reset_data();
    void reset();
    void rateCheck_data();
    void rateCheck();
    void rateCheckOnLeavingTheBox();
    void zeroRateWithoutDefaultNeverDivides();
    void amountsBeyondADoubleShowNoInfinity();
    void typingARateRecomputesNothing();
    void keyFilter_data();
    void keyFilter();
    void pasteShortcutIsSwallowed();
    void lockedBoxesRefuseTyping();
};

void TestProfitPanel::designTexts_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("locked");

    const struct
    {
        const char *box, *text;
        bool locked;
    } rows[] = {
        {"Text101", "", false},     {"Text102", "0", true},   {"Text103", "", false},
        {"Text104", "0", true},     {"Text105", "", false},   {"Text106", "0", false},
        {"Text107", "9.99", false}, {"Text108", "0", true},   {"Text109", "0", true},
        {"Text110", "0", true},     {"Text111", "0", true},   {"Text112", "", false},
        {"Text113", "0", false},    {"Text114", "0", true},   {"Text115", "0", false},
        {"Text116", "0", true},     {"Text117", "15", false}, {"Text118", "6.10", false},
        {"Text119", "0", true},     {"Text120", "0", true},   {"Text121", "0", true},
        {"Text122", "0", true},     {"Text7", "0", true},     {"Text8", "0", true},
        {"Text9", "0", true},       {"Text10", "0", true},
    };
    for (const auto &row : rows)
        QTest::newRow(row.box) << row.box << row.text << row.locked;
}

void TestProfitPanel::designTexts()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(bool, locked);
    ProfitFixture f;
    QCOMPARE(f.text(box), text);
    QCOMPARE(f.box(box).isLocked(), locked);
}

void TestProfitPanel::designCaptions_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");

    const char *rows[][2] = {
        {"Label26", "Amazon利润计算器"},
        {"Label33", "货币选择"},
        {"Label1", "成本(RMB)"},
        {"Label2", "成本(USD)"},
        {"Label3", "国内运费(RMB)"},
        {"Label4", "国内运费(USD)"},
        {"Label6", "产品单价(USD)"},
        {"Label18", "标准"},
        {"Label5", "设定运费(USD)"},
        {"Label7", "销售额(USD)"},
        {"Label8", "交易费(USD)"},
        {"Label19", "加急"},
        {"Label15", "设定运费(USD)"},
        {"Label16", "销售额(USD)"},
        {"Label17", "交易费(USD)"},
        {"Label27", "运送国家"},
        {"Label10", "交易费率"},
        {"Label11", "%"},
        {"Label34", "自定义"},
        {"Label23", "包裹重量"},
        {"Label28", "g"},
        {"Label9", "汇率"},
        {"Label12", "纯利润(USD)"},
        {"Label13", "纯利润(RMB)"},
        {"Label21", "标准"},
        {"Label24", "自定义运费"},
        {"Label29", "RMB"},
        {"Label31", "USD"},
        {"Label49", "发EMS"},
        {"Label25", "EMS运费"},
        {"Label30", "RMB"},
        {"Label45", "纯利润(USD)"},
        {"Label46", "纯利润(RMB)"},
        {"Label32", "USD"},
        {"Label51", "自定义"},
        {"Label14", "纯利润(USD)"},
        {"Label20", "纯利润(RMB)"},
        {"Label22", "加急"},
        {"Label52", "发EMS"},
        {"Label35", "纯利润(USD)"},
        {"Label50", "纯利润(RMB)"},
        {"Label53", ""},
        {"Label54", ""},
        {"Label55", ""},
        {"Label56", ""},
        {"Label62", "使用说明(由于亚马逊交易费多变，本软件计算结果仅供参考！):"},
        {"Label57", "1.成本(RMB):此处输入产品的进货价"},
        {"Label58", "2.国内运费(RMB):此处输入采购产品时的国内物流运费"},
        {"Label59", "3.产品单价(USD):此处输入产品在亚马逊的销售单价(不包含运费)"},
        {"Label60", "4.设定运费(USD):此处输入我们在亚马逊店铺里设定的标准和加急运费"},
        {"Label61", "5.包裹重量:此处输入产品包装完成之后的整体包裹重量"},
        {"Label68", "6.自定义运费:此处输入产品发往顾客的快递物流费（EMS费用为4.5折）"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

void TestProfitPanel::designCaptions()
{
    QFETCH(QString, label);
    QFETCH(QString, caption);
    ProfitFixture f;
    QCOMPARE(f.caption(label), caption);
}

void TestProfitPanel::designLists()
{
    ProfitFixture f;
    QCOMPARE(f.panel->Combo2.text(), QString("美元"));
    QCOMPARE(f.panel->Combo2.ListCount(), 4);
    QCOMPARE(f.panel->Combo2.List(3), QString("卢布"));
    QCOMPARE(f.panel->Combo1.text(), QString("美国"));
    QCOMPARE(f.panel->Combo1.ListCount(), 99);
    QCOMPARE(f.panel->Combo1.List(0), QString("阿根廷"));
    QCOMPARE(f.panel->Combo1.List(98), QString("乍得"));
    QCOMPARE(f.panel->Command1.Caption(), QString("重置数据"));
    QCOMPARE(f.panel->Command2.Caption(), QString("确定"));
    QCOMPARE(f.panel->Command3.Caption(), QString("获取最新美元汇率"));
}

void TestProfitPanel::example_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");

    const char *rows[][2] = {
        {"Text102", "5.3846"},  {"Text104", "0.7692"},  {"Text108", "20.0000"},
        {"Text109", "30.0000"}, {"Text110", "3"},       {"Text111", "4.5"},
        {"Text114", "4.6154"},  {"Text116", "12.3077"}, {"Text120", "40.5000"},
        {"Text119", "6.2308"},  {"Text8", "-9.5000"},   {"Text7", "-1.4615"},
        {"Text10", "95.7500"},  {"Text9", "14.7308"},   {"Text122", "45.7500"},
        {"Text121", "7.0385"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

void TestProfitPanel::example()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    ProfitFixture f;
    f.enterExample();
    QCOMPARE(f.text(box), text);
    QCOMPARE(f.caption("Label53"), QString("盈利"));
    QCOMPARE(f.caption("Label54"), QString("亏本"));
    QCOMPARE(f.caption("Label55"), QString("盈利"));
    QCOMPARE(f.caption("Label56"), QString("盈利"));
}

void TestProfitPanel::customFreightUndeliverable_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");

    const char *rows[][2] = {
        {"Text114", "送不到"},  {"Text120", "送不到"},  {"Text119", "送不到"},
        {"Text10", "送不到"},   {"Text9", "送不到"},    {"Text8", "-9.5000"},
        {"Text7", "-1.4615"},   {"Text122", "45.7500"}, {"Text121", "7.0385"},
        {"Text116", "12.3077"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

void TestProfitPanel::customFreightUndeliverable()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    ProfitFixture f;
    f.enterExample();
    f.box("Text113").setText("送不到");
    QCOMPARE(f.text(box), text);
    QCOMPARE(f.caption("Label53"), QString("亏本"));
    QCOMPARE(f.caption("Label55"), QString("亏本"));
    QCOMPARE(f.caption("Label54"), QString("亏本"));
    QCOMPARE(f.caption("Label56"), QString("盈利"));
}

void TestProfitPanel::markerNeedsTheExactText()
{
    ProfitFixture f;
    f.enterExample();
    f.box("Text113").setText("送不到 ");
    QCOMPARE(f.text("Text120"), QString("70.5000"));
    QCOMPARE(f.text("Text114"), QString("0.0000"));
    QVERIFY(f.boxesShowing("送不到").isEmpty());
}

void TestProfitPanel::profitOfExactlyZeroIsALoss()
{
    ProfitFixture f;
    f.enterExample();
    // 20 × 6.5 − 35 − 5 − 6.5 × 3 − 70.5 = 0
    f.box("Text113").setText("70.5");
    QCOMPARE(f.text("Text120"), QString("0.0000"));
    QCOMPARE(f.text("Text119"), QString("0.0000"));
    QCOMPARE(f.caption("Label53"), QString("亏本"));
}

void TestProfitPanel::costIsWrittenInTwoSteps()
{
    ProfitFixture f;
    f.box("Text118").setText("6.5");
    QStringList writes;
    TextBox &converted = f.box("Text102");
    const std::function<void()> original = converted.Change;
    converted.Change = [&] {
        writes << converted.text();
        original();
    };
    f.box("Text101").setText("35");
    QCOMPARE(writes, QStringList({"5.38461538461539", "5.3846"}));
}

void TestProfitPanel::reset_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");

    const char *rows[][2] = {
        {"Text101", ""},       {"Text103", ""},       {"Text105", ""},       {"Text112", ""},
        {"Text102", "0.0000"}, {"Text104", "0.0000"}, {"Text108", "0"},      {"Text109", "0"},
        {"Text110", "0"},      {"Text111", "0"},      {"Text113", "0"},      {"Text114", "0"},
        {"Text115", "0"},      {"Text116", "0"},      {"Text120", "0.0000"}, {"Text122", "0.0000"},
        {"Text8", "0.0000"},   {"Text10", "0.0000"},  {"Text7", "0.0000"},   {"Text9", "0.0000"},
        {"Text119", "0"},      {"Text121", "0"},      {"Text106", "0"},      {"Text107", "10"},
        {"Text117", "15"},     {"Text118", "6.5"},
    };
    for (const auto &row : rows)
        QTest::newRow(row[0]) << row[0] << row[1];
}

void TestProfitPanel::reset()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    ProfitFixture f;
    f.enterExample();
    f.panel->Combo1.setText("英国");
    f.panel->Command1.click();
    QCOMPARE(f.text(box), text);
    for (const char *word : {"Label53", "Label54", "Label55", "Label56"})
        QCOMPARE(f.caption(word), QString("亏本"));
    QCOMPARE(f.panel->Combo1.text(), QString("英国"));
    QCOMPARE(f.panel->Combo2.text(), QString("美元"));
}

void TestProfitPanel::rateCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QString>("rateAtMessage");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("cost");

    QTest::newRow("empty") << ""
                           << "美元" << true << "0"
                           << "6.3175"
                           << "5.5402";
    QTest::newRow("lone point") << "."
                                << "美元" << true << "0"
                                << "6.3175"
                                << "5.5402";
    QTest::newRow("0") << "0"
                       << "美元" << true << "0"
                       << "6.3175"
                       << "5.5402";
    QTest::newRow("0.0") << "0.0"
                         << "英镑" << true << "0.0"
                         << "9.9629"
                         << "3.5130";
    QTest::newRow("00") << "00"
                        << "欧元" << true << "00"
                        << "8.3038"
                        << "4.2149";
    QTest::newRow("no number as a whole") << "6..1"
                                          << "卢布" << true << "6..1"
                                          << "0.2136"
                                          << "163.8577";
    QTest::newRow("6.5 with a blank before") << " 6.5"
                                             << "美元" << false << ""
                                             << " 6.5"
                                             << "5.3846";
    QTest::newRow("typed currency keeps the zero") << "0"
                                                   << "日元" << true << "0"
                                                   << "0"
                                                   << "4.9296";
}

void TestProfitPanel::rateCheck()
{
    QFETCH(QString, typed);
    QFETCH(QString, currency);
    QFETCH(bool, refused);
    QFETCH(QString, rateAtMessage);
    QFETCH(QString, rate);
    QFETCH(QString, cost);

    RateWatchingDialogs dialogs;
    ProfitFixture f;
    f.fake->services.dialogs = &dialogs;
    dialogs.rateBox = &f.box("Text118");
    f.box("Text118").setText("7.1");
    f.box("Text101").setText("35"); // 4.9296 at 7.1
    f.panel->Combo2.setText(currency);
    f.box("Text118").setText(typed);
    f.panel->Command2.click();

    if (refused) {
        QCOMPARE(dialogs.shown().size(), 1);
        QCOMPARE(dialogs.shown()[0].prompt, zeroRatePrompt);
        QCOMPARE(dialogs.shown()[0].title, zeroRateTitle);
        QCOMPARE(dialogs.shown()[0].style, MsgStyle::Information);
        QCOMPARE(dialogs.ratesShown, QStringList{rateAtMessage});
    } else {
        QVERIFY(dialogs.shown().isEmpty());
    }
    QCOMPARE(f.text("Text118"), rate);
    // The converted boxes follow the rate the profits are computed at.
    QCOMPARE(f.text("Text102"), cost);
}

void TestProfitPanel::rateCheckOnLeavingTheBox()
{
    ProfitFixture f;
    f.panel->show();
    QVERIFY(QTest::qWaitForWindowActive(f.panel.get()));
    f.enterExample();
    f.box("Text118").setFocus();
    f.box("Text118").setText("");
    f.box("Text105").setFocus();

    QCOMPARE(f.dialogs().shown().size(), 1);
    QCOMPARE(f.dialogs().shown()[0].prompt, zeroRatePrompt);
    QCOMPARE(f.text("Text118"), QString("6.3175"));
    // 20 × 6.3175 − 35 − 5 − 6.3175 × 3 − 30
    QCOMPARE(f.text("Text120"), QString("37.3975"));
    QCOMPARE(f.text("Text114"), QString("4.7487"));
}

void TestProfitPanel::zeroRateWithoutDefaultNeverDivides()
{
    ProfitFixture f;
    f.enterExample();
    const QString costBefore = f.text("Text102");
    const QString profitBefore = f.text("Text119");
    f.panel->Combo2.setText("日元");
    f.box("Text118").setText("0");
    f.panel->Command2.click();
    f.box("Text101").setText("50");
    f.box("Text113").setText("12");
    f.box("Text105").setText("25");

    QCOMPARE(f.text("Text118"), QString("0"));
    QCOMPARE(f.text("Text102"), costBefore);
    QCOMPARE(f.text("Text119"), profitBefore);
    // 0 × 25 − 50 − 5 − 0 − 12
    QCOMPARE(f.text("Text120"), QString("-67.0000"));
    QCOMPARE(f.caption("Label53"), QString("亏本"));
    for (const QString &entry : f.allBoxTexts()) {
        QVERIFY2(!entry.contains("inf", Qt::CaseInsensitive), qPrintable(entry));
        QVERIFY2(!entry.contains("nan", Qt::CaseInsensitive), qPrintable(entry));
    }
}

void TestProfitPanel::amountsBeyondADoubleShowNoInfinity()
{
    ProfitFixture f;
    f.enterExample();
    const QString profitBefore = f.text("Text120");
    // Pasted, as the key filter lets no exponent through.
    f.box("Text105").setText("1E308");
    f.box("Text101").setText(QString(400, '9'));

    QCOMPARE(f.text("Text108"), *fourDecimals(1e308));
    // sales × rate leaves the range of a double: the profit keeps its text.
    QCOMPARE(f.text("Text120"), profitBefore);
    for (const QString &entry : f.allBoxTexts()) {
        QVERIFY2(!entry.contains("inf", Qt::CaseInsensitive), qPrintable(entry));
        QVERIFY2(!entry.contains("nan", Qt::CaseInsensitive), qPrintable(entry));
    }
}

void TestProfitPanel::typingARateRecomputesNothing()
{
    ProfitFixture f;
    f.enterExample();
    const QStringList before = f.allBoxTexts();
    f.box("Text118").lineEdit()->end(false);
    QTest::keyClicks(f.box("Text118").widget(), "5");
    QCOMPARE(f.text("Text118"), QString("6.55"));
    QStringList after = f.allBoxTexts();
    after.replaceInStrings("Text118=6.55", "Text118=6.5");
    QCOMPARE(after, before);
}

void TestProfitPanel::keyFilter_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("text");

    const QString boxes[] = {"Text101", "Text103", "Text105", "Text106", "Text107",
                             "Text112", "Text113", "Text115", "Text117", "Text118"};
    for (const QString &box : boxes) {
        const QByteArray name = box.toLatin1();
        QTest::newRow(name + " digit") << box << int(Qt::Key_7) << "7"
                                       << "47";
        QTest::newRow(name + " point") << box << int(Qt::Key_Period) << "."
                                       << "4.";
        QTest::newRow(name + " letter") << box << int(Qt::Key_A) << "a"
                                        << "4";
        QTest::newRow(name + " minus") << box << int(Qt::Key_Minus) << "-"
                                       << "4";
    }
    QTest::newRow("Backspace") << "Text101" << int(Qt::Key_Backspace) << ""
                               << "";
    QTest::newRow("comma") << "Text101" << int(Qt::Key_Comma) << ","
                           << "4";
    QTest::newRow("blank") << "Text101" << int(Qt::Key_Space) << " "
                           << "4";
    QTest::newRow("full-width digit") << "Text101" << 0 << "１"
                                      << "4";
}

void TestProfitPanel::keyFilter()
{
    QFETCH(QString, box);
    QFETCH(int, key);
    QFETCH(QString, character);
    QFETCH(QString, text);

    ProfitFixture f;
    QWidget *widget = f.box(box).widget();
    f.box(box).setText("4");
    f.box(box).lineEdit()->end(false);
    QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(key), character, Qt::NoModifier);
    QCOMPARE(f.text(box), text);
}

void TestProfitPanel::pasteShortcutIsSwallowed()
{
    ProfitFixture f;
    QApplication::clipboard()->setText("99");
    QWidget *widget = f.box("Text101").widget();
    f.box("Text101").setText("4");
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.text("Text101"), QString("4"));
}

void TestProfitPanel::lockedBoxesRefuseTyping()
{
    ProfitFixture f;
    QTest::keyClicks(f.box("Text102").widget(), "12");
    QCOMPARE(f.text("Text102"), QString("0"));
    QVERIFY(f.box("Text102").widget()->focusPolicy() & Qt::TabFocus);
}

SKARVEL_TEST_MAIN(TestProfitPanel)
#include "tst_profit_panel.moc"
