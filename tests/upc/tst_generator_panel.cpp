#include "generator_fixture.h"
#include "support/test_main.h"
#include "upc/code_list.h"
#include "upc/form6.h"
#include "upc/generator_settings.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const QString upc12 = QStringLiteral("UPC-12位");
const QString firstTen[] = {"036000291452", "036000291469", "036000291476", "036000291483",
                            "036000291490", "036000291506", "036000291513", "036000291520",
                            "036000291537", "036000291544"};

QString runOf(int codes)
{
    QStringList list;
    for (int i = 0; i < codes; ++i)
        list << firstTen[i];
    return list.join("\r\n");
}

} // namespace

class TestGeneratorPanel : public QObject
{
    Q_OBJECT

private slots:
    void designState();
    void typeSwitch_data();
    void typeSwitch();
    void unknownTypeChangesNothing();
    void generatesTheWorkedExample();
    void generationSavesTheFieldsFirst();
    void emptyCodeBoxShowsTheNotice_data();
    void emptyCodeBoxShowsTheNotice();
    void blankCodeBoxReadsZero();
    void noCountMakesNoCode_data();
    void noCountMakesNoCode();
    void pastedValuesEndTheRun_data();
    void pastedValuesEndTheRun();
    void unknownTypeSavesAndStops();
    void flagDigitListTakesNoTypedKeys();
    void numberBoxesTakeOnlyDigitsAndPoint();
    void fullManufacturerCodeMovesTheFocus();

    void stepping_data();
    void stepping();
    void nextStopsAtTheListsLastCode();
    void steppingWithUnknownTypeDoesNothing();
    void pickByDoubleClick();
    void continueFromThePickedCode();
    void copyCurrent();
    void copyAll();
    void copyWithEmptyListShowsTheNotice_data();
    void copyWithEmptyListShowsTheNotice();
    void howToText();
    void toggleOpensAndClosesThePanel();
    void lookupSetsTheSearchAddress();
    void lookupWithoutCodeShowsTheNotice();
};

void TestGeneratorPanel::designState()
{
    FakeServices fake;
    GeneratorPanel panel(fake.services);
    QCOMPARE(panel.Combo4.ListCount(), 4);
    QCOMPARE(panel.Combo4.List(0), QStringLiteral("UPC-8位"));
    QCOMPARE(panel.Combo4.List(3), QStringLiteral("UPC-14位"));
    QCOMPARE(panel.Combo4.ListIndex(), -1);
    QCOMPARE(panel.Combo3.ListCount(), 0);
    QCOMPARE(panel.Text3.text(), QStringLiteral("1"));
    QCOMPARE(panel.Text3.MaxLength(), 4);
    QVERIFY(!panel.Text3.isEnabled());
    QCOMPARE(panel.Text4.text(), QStringLiteral("1"));
    QCOMPARE(panel.Text4.MaxLength(), 2);
    QVERIFY(!panel.Text4.isEnabled());
    QCOMPARE(panel.Text2.MaxLength(), 0);
    QCOMPARE(panel.Text5.MaxLength(), 0);
    QCOMPARE(panel.Text1.text(), ::howToText() + "\r\n");
    QVERIFY(panel.Text6.isLocked());
    QVERIFY(panel.Command11.isEnabled());
    QCOMPARE(panel.Command4.Caption(), QStringLiteral("打开UPC码生成器"));
    QCOMPARE(panel.Label39.Caption(), QStringLiteral("<"));
    QCOMPARE(panel.GTINURL, QString());

    const QList<QPair<QString, QString>> captions{
        {"flagDigitCaption", "旗码"},    {"manufacturerCaption", "厂商代码"},
        {"productCaption", "商品代码"},  {"countCaption", "生成数量"},
        {"intervalCaption", "序列间隔"}, {"Label43", "不会使用？点击查看帮助"}};
    for (const auto &[name, caption] : captions)
        QCOMPARE(panel.findChild<QLabel *>(name)->text(), caption);
    const QList<QPair<QString, QString>> buttons{
        {"Command6", "立即生成"},      {"Command8", "上一个"},    {"Command9", "下一个"},
        {"Command10", "复制到剪贴板"}, {"Command7", "复制全部"},  {"Command12", "UPC码查询"},
        {"Command17", "提取商品代码"}, {"Command11", "导出条码"}, {"Command16", "打开目录"},
        {"Command5", "清空数据"}};
    for (const auto &[name, caption] : buttons)
        QCOMPARE(panel.findChild<QPushButton *>(name)->text(), caption);

    // The toggle must stay in the part of the panel the narrow window shows.
    QVERIFY(panel.Command4.widget()->geometry().right() < Form::twips(360));
    QVERIFY(panel.Label39.widget()->geometry().right() < Form::twips(360));

    panel.enableCountAndInterval();
    QVERIFY(panel.Text3.isEnabled());
    QVERIFY(panel.Text4.isEnabled());
}

void TestGeneratorPanel::typeSwitch_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("manufacturerLimit");
    QTest::addColumn<int>("productLimit");
    QTest::addColumn<bool>("exportEnabled");

    QTest::newRow("8 digits") << QStringLiteral("UPC-8位") << 3 << 3 << false;
    QTest::newRow("12 digits") << upc12 << 5 << 5 << true;
    QTest::newRow("13 digits") << QStringLiteral("UPC-13位") << 6 << 5 << false;
    QTest::newRow("14 digits") << QStringLiteral("UPC-14位") << 6 << 6 << false;
}

void TestGeneratorPanel::typeSwitch()
{
    QFETCH(QString, type);
    GeneratorFixture f;
    f.panel->Combo4.setText(QStringLiteral("UPC-13位"));
    f.panel->Text2.setText("123");
    f.panel->Text5.setText("456");

    f.panel->Combo4.setListIndex(f.panel->Combo4.widget()->findText(type));
    QCOMPARE(f.panel->Text2.text(), QString());
    QCOMPARE(f.panel->Text5.text(), QString());
    QTEST(f.panel->Text2.MaxLength(), "manufacturerLimit");
    QTEST(f.panel->Text5.MaxLength(), "productLimit");
    QTEST(f.panel->Command11.isEnabled(), "exportEnabled");
}

void TestGeneratorPanel::unknownTypeChangesNothing()
{
    GeneratorFixture f;
    f.panel->Combo4.setText(QStringLiteral("UPC-13位"));
    f.panel->Text2.setText("123");
    f.panel->Combo4.setText(QStringLiteral("UPC-10位"));
    QCOMPARE(f.panel->Combo4.text(), QString());
    QCOMPARE(f.panel->Text2.text(), QStringLiteral("123"));
    QCOMPARE(f.panel->Text2.MaxLength(), 6);
    QVERIFY(!f.panel->Command11.isEnabled());
}

void TestGeneratorPanel::generatesTheWorkedExample()
{
    GeneratorFixture f;
    f.generate12("3");
    QCOMPARE(f.panel->Text1.text(), runOf(3));
    QCOMPARE(f.panel->Text6.text(), firstTen[0]);
    QCOMPARE(f.panel->currentCodeStart, 0);
    QCOMPARE(f.panel->Text1.SelStart(), 0);
    QCOMPARE(f.panel->Text1.SelLength(), 12);
    QVERIFY(f.dialogs().shown().isEmpty());
}

void TestGeneratorPanel::generationSavesTheFieldsFirst()
{
    GeneratorFixture f;
    f.generate(QStringLiteral("UPC-14位"), "1", "001234", "678901", "2", "3");
    const GeneratorFields saved = GeneratorSettings::read(f.paths());
    QCOMPARE(saved.codeType, QStringLiteral("UPC-14位"));
    QCOMPARE(saved.flagDigit, QStringLiteral("1"));
    QCOMPARE(saved.manufacturer, QStringLiteral("001234"));
    QCOMPARE(saved.product, QStringLiteral("678901"));
    QCOMPARE(saved.count, QStringLiteral("2"));
    QCOMPARE(saved.interval, QStringLiteral("3"));
}

void TestGeneratorPanel::emptyCodeBoxShowsTheNotice_data()
{
    QTest::addColumn<QString>("manufacturer");
    QTest::addColumn<QString>("product");
    QTest::newRow("manufacturer empty") << ""
                                        << "29145";
    QTest::newRow("product empty") << "36000"
                                   << "";
}

void TestGeneratorPanel::emptyCodeBoxShowsTheNotice()
{
    QFETCH(QString, manufacturer);
    QFETCH(QString, product);
    GeneratorFixture f;
    f.generate12("2");
    f.dialogs().clear();

    f.generate(upc12, "0", manufacturer, product, "5");
    QCOMPARE(f.dialogs().shown().size(), 1);
    QCOMPARE(f.dialogs().shown()[0].prompt, QStringLiteral("亲，请填写厂商代码和商品代码哦！"));
    QCOMPARE(f.dialogs().shown()[0].title, QStringLiteral("亲，厂商代码或者商品代码不能为空！"));
    QCOMPARE(f.dialogs().shown()[0].style, 64);
    QCOMPARE(f.panel->Text1.text(), runOf(2));
    QCOMPARE(f.panel->Text6.text(), firstTen[0]);
    QCOMPARE(GeneratorSettings::read(f.paths()).manufacturer, manufacturer);
    QCOMPARE(GeneratorSettings::read(f.paths()).count, QStringLiteral("5"));
}

void TestGeneratorPanel::blankCodeBoxReadsZero()
{
    GeneratorFixture f;
    f.generate(upc12, "0", " ", "29145", "1");
    QVERIFY(f.dialogs().shown().isEmpty());
    QCOMPARE(f.panel->Text1.text(), QStringLiteral("000000291453"));
}

void TestGeneratorPanel::noCountMakesNoCode_data()
{
    QTest::addColumn<QString>("count");
    QTest::newRow("zero") << "0";
    QTest::newRow("empty") << "";
    QTest::newRow("no number") << ".";
}

void TestGeneratorPanel::noCountMakesNoCode()
{
    QFETCH(QString, count);
    GeneratorFixture f;
    f.generate12("2");
    f.generate12(count);
    QCOMPARE(f.panel->Text1.text(), QString());
    QCOMPARE(f.panel->Text6.text(), QString());
    QVERIFY(f.dialogs().shown().isEmpty());
}

// The key filter lets a paste through, so the boxes may hold what no typing gives.
void TestGeneratorPanel::pastedValuesEndTheRun_data()
{
    addValuesBeyondTypingRows();
}

void TestGeneratorPanel::pastedValuesEndTheRun()
{
    QFETCH(QString, count);
    QFETCH(QString, product);
    QFETCH(QString, interval);
    QFETCH(int, codes);
    GeneratorFixture f;

    f.generate(upc12, "0", "36000", product, count, interval);

    verifyRun(f.panel->Text1.text(), codes);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(f.panel->Text6.text(), codesIn(f.panel->Text1.text()).value(0));
    const GeneratorFields saved = GeneratorSettings::read(f.paths());
    QCOMPARE(saved.count, count);
    QCOMPARE(saved.product, product);
    QCOMPARE(saved.interval, interval);
}

void TestGeneratorPanel::unknownTypeSavesAndStops()
{
    GeneratorFixture f;
    f.generate12("2");
    f.panel->Combo4.setText(QStringLiteral("UPC-10位"));
    f.panel->Text2.setText("");
    f.panel->Command6.click();
    QCOMPARE(f.panel->Text1.text(), runOf(2));
    QVERIFY(f.dialogs().shown().isEmpty());
    QCOMPARE(GeneratorSettings::read(f.paths()).codeType, QString());
    QCOMPARE(GeneratorSettings::read(f.paths()).manufacturer, QString());
}

void TestGeneratorPanel::flagDigitListTakesNoTypedKeys()
{
    GeneratorFixture f;
    f.panel->Combo3.setText("2");
    QTest::keyClick(f.panel->Combo3.widget(), Qt::Key_5);
    QTest::keyClick(f.panel->Combo3.widget(), Qt::Key_0);
    QCOMPARE(f.panel->Combo3.text(), QStringLiteral("2"));
}

void TestGeneratorPanel::numberBoxesTakeOnlyDigitsAndPoint()
{
    GeneratorFixture f;
    for (TextBox *box : {&f.panel->Text2, &f.panel->Text5, &f.panel->Text3, &f.panel->Text4}) {
        box->setText({});
        QTest::keyClicks(box->widget(), "1a-.2");
        const QString passed = QStringLiteral("1.2");
        QCOMPARE(box->text(), box->MaxLength() ? passed.left(box->MaxLength()) : passed);
    }
    f.panel->Text1.setText({});
    QTest::keyClicks(f.panel->Text1.widget(), "7x8");
    QTest::keyClick(f.panel->Text1.widget(), Qt::Key_Return);
    QCOMPARE(f.panel->Text1.text(), QStringLiteral("78"));
}

void TestGeneratorPanel::fullManufacturerCodeMovesTheFocus()
{
    GeneratorFixture f;
    f.panel->show();
    QVERIFY(QTest::qWaitForWindowActive(f.panel.get()));
    f.panel->Combo4.setText(upc12);
    f.panel->Text2.widget()->setFocus();
    QTest::keyClicks(f.panel->Text2.widget(), "3600");
    QVERIFY(f.panel->Text2.widget()->hasFocus());
    QTest::keyClicks(f.panel->Text2.widget(), "0");
    QVERIFY(f.panel->Text5.widget()->hasFocus());
    QCOMPARE(f.panel->Text2.text(), QStringLiteral("36000"));
}

void TestGeneratorPanel::stepping_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("countBox");
    QTest::addColumn<int>("start");

    const QStringList nine(9, "next");
    QTest::newRow("next once") << QStringList{"next"} << "10" << 14;
    QTest::newRow("next to the last code") << nine << "10" << 126;
    QTest::newRow("next on the last code stays")
        << nine + QStringList{"next", "next"} << "10" << 126;
    QTest::newRow("previous on the first stays") << QStringList{"previous"} << "10" << 0;
    QTest::newRow("next, next, previous") << QStringList{"next", "next", "previous"} << "10" << 14;
    QTest::newRow("count box lowered to 5 bounds next")
        << QStringList(7, "next") + QStringList{"lower", "next"} << "10" << 56;
}

void TestGeneratorPanel::stepping()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, countBox);
    GeneratorFixture f;
    f.generate12(countBox);
    for (const QString &click : clicks) {
        if (click == "next")
            f.panel->Command9.click();
        else if (click == "previous")
            f.panel->Command8.click();
        else
            f.panel->Text3.setText("5");
    }
    QFETCH(int, start);
    QCOMPARE(f.panel->currentCodeStart, start);
    QCOMPARE(f.panel->Text1.SelStart(), start);
    QCOMPARE(f.panel->Text1.SelLength(), 12);
    QCOMPARE(f.panel->Text6.text(), firstTen[start / 14]);
}

void TestGeneratorPanel::nextStopsAtTheListsLastCode()
{
    GeneratorFixture f;
    f.generate12("3");
    f.panel->Text3.setText("9999");
    for (int i = 0; i < 5; ++i)
        f.panel->Command9.click();
    QCOMPARE(f.panel->currentCodeStart, 28);
    QCOMPARE(f.panel->Text6.text(), firstTen[2]);
}

void TestGeneratorPanel::steppingWithUnknownTypeDoesNothing()
{
    GeneratorFixture f;
    f.generate12("5");
    f.panel->Command9.click();
    f.panel->Combo4.setText("x");
    f.panel->Command9.click();
    f.panel->Command8.click();
    f.panel->Text5.setText("777");
    f.panel->Command17.click();
    QCOMPARE(f.panel->currentCodeStart, 14);
    QCOMPARE(f.panel->Text6.text(), firstTen[1]);
    QCOMPARE(f.panel->Text5.text(), QStringLiteral("777"));
}

void TestGeneratorPanel::pickByDoubleClick()
{
    GeneratorFixture f;
    f.panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.panel.get()));
    f.generate12("10");
    f.doubleClickLine(6);
    QCOMPARE(f.panel->Text6.text(), firstTen[6]);
    QCOMPARE(f.panel->currentCodeStart, 84);
    f.panel->Command9.click();
    QCOMPARE(f.panel->Text6.text(), firstTen[7]);
    QCOMPARE(f.panel->currentCodeStart, 98);
}

void TestGeneratorPanel::continueFromThePickedCode()
{
    GeneratorFixture f;
    f.panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.panel.get()));
    f.generate12("10");
    f.doubleClickLine(9);
    f.panel->Command17.click();
    QCOMPARE(f.panel->Text5.text(), QStringLiteral("29155"));
    f.panel->Command6.click();
    QCOMPARE(f.panel->Text6.text(), QStringLiteral("036000291551"));
}

void TestGeneratorPanel::copyCurrent()
{
    GeneratorFixture f;
    f.generate12("3");
    f.panel->Command9.click();
    f.panel->Command10.click();
    QCOMPARE(f.fake->clipboard.content, firstTen[1]);
    QCOMPARE(f.dialogs().shown().size(), 1);
    QCOMPARE(f.dialogs().shown()[0].prompt,
             QStringLiteral("亲，复制单个UPC码成功，您可以粘贴到其它地方了，欧也！"));
    QCOMPARE(f.dialogs().shown()[0].title, QStringLiteral("亲，您复制成功了！"));
    QCOMPARE(f.dialogs().shown()[0].style, 64);
}

void TestGeneratorPanel::copyAll()
{
    GeneratorFixture f;
    f.generate12("3");
    f.panel->Command7.click();
    QCOMPARE(f.fake->clipboard.content,
             QStringLiteral("036000291452\r\n036000291469\r\n036000291476"));
    QCOMPARE(f.dialogs().shown().size(), 1);
    QCOMPARE(f.dialogs().shown()[0].prompt,
             QStringLiteral("亲，复制全部UPC码成功，您可以粘贴到其它地方了，欧也！"));
    QCOMPARE(f.dialogs().shown()[0].title, QStringLiteral("亲，您复制成功了！"));
}

void TestGeneratorPanel::copyWithEmptyListShowsTheNotice_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("copy current") << "Command10";
    QTest::newRow("copy all") << "Command7";
}

void TestGeneratorPanel::copyWithEmptyListShowsTheNotice()
{
    QFETCH(QString, button);
    GeneratorFixture f;
    f.generate12("3");
    f.fake->clipboard.content = "before";
    // The user empties the list by hand; the current code box still shows a code.
    f.panel->Text1.setText({});
    f.panel->findChild<QPushButton *>(button)->click();
    QCOMPARE(f.fake->clipboard.content, QStringLiteral("before"));
    QCOMPARE(f.dialogs().shown().size(), 1);
    QCOMPARE(f.dialogs().shown()[0].prompt,
             QStringLiteral("亲，老花眼了吧，文本框是空的！没有复制到任何内容！"));
    QCOMPARE(f.dialogs().shown()[0].title, QStringLiteral("文本框内容为空！"));
    QCOMPARE(f.dialogs().shown()[0].style, 64);
}

void TestGeneratorPanel::howToText()
{
    GeneratorFixture f;
    f.generate12("3");
    f.panel->Command9.click();
    f.panel->Label43.widget()->setFocus();
    QTest::mouseClick(f.panel->Label43.widget(), Qt::LeftButton);
    QCOMPARE(f.panel->Text1.text(), ::howToText());
    QCOMPARE(f.panel->Text6.text(), firstTen[1]);
    QCOMPARE(f.panel->currentCodeStart, 14);
}

void TestGeneratorPanel::toggleOpensAndClosesThePanel()
{
    FakeServices fake;
    QWidget mainWindow;
    mainWindow.resize(Form::twips(10440), Form::twips(10440));
    auto *panel = new GeneratorPanel(fake.services, &mainWindow);
    panel->setGeometry(Form::twips(10080), 0, Form::twips(6075), Form::twips(10440));

    panel->Command4.click();
    QCOMPARE(mainWindow.width(), Form::twips(16155));
    QCOMPARE(mainWindow.height(), Form::twips(10440));
    QCOMPARE(panel->Command4.Caption(), QStringLiteral("关闭UPC码生成器"));
    QCOMPARE(panel->Label39.Caption(), QStringLiteral(">"));

    panel->Command4.click();
    QCOMPARE(mainWindow.width(), Form::twips(10440));
    QCOMPARE(panel->Command4.Caption(), QStringLiteral("打开UPC码生成器"));
    QCOMPARE(panel->Label39.Caption(), QStringLiteral("<"));
}

void TestGeneratorPanel::lookupSetsTheSearchAddress()
{
    GeneratorFixture f;
    f.generate12("3");
    f.panel->Command9.click();
    f.panel->Command12.click();
    QCOMPARE(f.panel->GTINURL,
             f.fake->endpoints.base("marketplace") +
                 "/s/ref=nb_sb_noss?url=search-alias%3Daps&field-keywords=036000291469");
    QVERIFY(f.dialogs().shown().isEmpty());
    Form6 *lookup = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Form6 *>(widget); window && window->isVisible())
            lookup = window;
    }
    QVERIFY(lookup);
    lookup->close();
}

void TestGeneratorPanel::lookupWithoutCodeShowsTheNotice()
{
    GeneratorFixture f;
    f.panel->Command12.click();
    QCOMPARE(f.panel->GTINURL, QString());
    QCOMPARE(f.dialogs().shown().size(), 1);
    QCOMPARE(f.dialogs().shown()[0].prompt,
             QStringLiteral("亲，请先生成UPC码再进行GTIN查询操作！"));
    QCOMPARE(f.dialogs().shown()[0].title, QStringLiteral("亲，请先生成UPC码！"));
    QCOMPARE(f.dialogs().shown()[0].style, 64);
}

SKARVEL_TEST_MAIN(TestGeneratorPanel)
#include "tst_generator_panel.moc"
