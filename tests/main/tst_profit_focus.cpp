#include "main/form1.h"
#include "profit_fixture.h"
#include "support/active_window.h"
#include "support/fake_web.h"
#include "support/test_main.h"

#include <QInputMethodEvent>

namespace {

// A click as the user makes it: the press moves the focus into the widget.
void clickInto(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(4, widget->height() / 2));
}

void typeInto(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(edit, &commit);
}

} // namespace

class TestProfitFocus : public QObject
{
    Q_OBJECT

private slots:
    void typedRateSurvivesAVisitToTheCurrencyBox();
    void leavingAComboBoxChangesNoBox_data();
    void leavingAComboBoxChangesNoBox();
    void firstClickInTheNewMainWindowChangesNoBox();
};

// The rate is taken over when its box is left; the currency box it is left for
// must not put the default rate back.
void TestProfitFocus::typedRateSurvivesAVisitToTheCurrencyBox()
{
    ProfitFixture f;
    f.box("Text118").setFocus();
    QVERIFY(showActive(*f.panel));
    QVERIFY(f.box("Text118").widget()->hasFocus());
    f.box("Text101").setText("35");
    f.box("Text118").lineEdit()->selectAll();
    QTest::keyClicks(f.box("Text118").widget(), "7");

    clickInto(f.currencyEdit());
    QVERIFY(f.panel->Combo2.widget()->hasFocus());
    clickInto(f.box("Text101").widget());

    QCOMPARE(f.text("Text118"), QString("7"));
    QCOMPARE(f.text("Text102"), QString("5.0000"));
    QCOMPARE(f.caption("Label6"), QString("产品单价(USD)"));
    QCOMPARE(f.panel->Combo2.text(), QString("美元"));
    QVERIFY(f.dialogs().shown().isEmpty());
}

void TestProfitFocus::leavingAComboBoxChangesNoBox_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typedCurrency");
    QTest::addColumn<bool>("pickPound");

    QTest::newRow("currency box as designed") << "Combo2"
                                              << "" << false;
    QTest::newRow("currency box with a typed item") << "Combo2"
                                                    << "英镑" << false;
    // The pick writes the destination 英国 but keeps the EMS freight of 美国.
    QTest::newRow("destination box after a currency pick") << "Combo1"
                                                           << "" << true;
}

// The boxes' texts equal items of their lists, yet only a pick from the list runs
// their Click handlers (the currency switch, the EMS freight).
void TestProfitFocus::leavingAComboBoxChangesNoBox()
{
    QFETCH(QString, box);
    QFETCH(QString, typedCurrency);
    QFETCH(bool, pickPound);

    ProfitFixture f;
    f.box("Text101").setFocus();
    QVERIFY(showActive(*f.panel));
    f.enterExample();
    f.box("Text112").setText("300");
    if (!typedCurrency.isEmpty())
        typeInto(f.currencyEdit(), typedCurrency);
    if (pickPound) {
        f.panel->Combo2.setListIndex(1);
        QCOMPARE(f.panel->Combo1.text(), QString("英国"));
        QCOMPARE(f.text("Text115"), QString("85"));
    }
    QVERIFY(f.box("Text101").widget()->hasFocus());
    const QStringList before = shownTexts(*f.panel);

    QLineEdit *edit = box == "Combo2" ? f.currencyEdit() : f.destinationEdit();
    clickInto(edit);
    QVERIFY(edit->parentWidget()->hasFocus());
    clickInto(f.box("Text101").widget());

    QCOMPARE(shownTexts(*f.panel), before);
    QVERIFY(f.dialogs().shown().isEmpty());
}

// The new main window has its focus in the currency box; the first click elsewhere
// leaves that box and must leave the calculator as it was designed.
void TestProfitFocus::firstClickInTheNewMainWindowChangesNoBox()
{
    FakeWeb web;
    FakeServices fake(web.baseUrl());
    Form1 form(fake.services);
    form.load();
    QVERIFY(showActive(form));
    ProfitPanel &panel = form.profitPanel;
    QVERIFY(panel.Combo2.widget()->hasFocus());
    const QStringList before = shownTexts(panel);

    clickInto(panel.Text101.widget());

    QVERIFY(panel.Text101.widget()->hasFocus());
    QCOMPARE(shownTexts(panel), before);
}

SKARVEL_TEST_MAIN(TestProfitFocus)
#include "tst_profit_focus.moc"
