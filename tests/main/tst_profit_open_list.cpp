#include "main/currency_table.h"
#include "profit_fixture.h"
#include "support/active_window.h"
#include "support/test_main.h"

#include <QAbstractItemView>
#include <QInputMethodEvent>

#include <memory>

namespace {

ComboBox &comboNamed(ProfitPanel &panel, const QString &name)
{
    return name == "Combo1" ? panel.Combo1 : panel.Combo2;
}

// What the user does before the list opens: the worked example with a parcel weight,
// a rate typed into its box, then Chinese typed over the combo box's text through an
// input method, as it is typed.
bool typeIntoTheCalculator(ProfitFixture &f, ComboBox &combo, const QString &typed)
{
    f.enterExample();
    f.box("Text112").setText("300");
    f.box("Text118").setFocus();
    if (!showActive(*f.panel))
        return false;
    f.box("Text118").lineEdit()->selectAll();
    QTest::keyClicks(f.box("Text118").widget(), "7");
    QLineEdit *edit = combo.widget()->lineEdit();
    QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(4, edit->height() / 2));
    edit->selectAll();
    QInputMethodEvent commit;
    commit.setCommitString(typed);
    QCoreApplication::sendEvent(edit, &commit);
    return combo.widget()->hasFocus();
}

// Counts the box's Click runs and keeps its handler: a pick of an item the typing has
// completed already may show nothing new.
std::shared_ptr<int> countClicks(ComboBox &combo)
{
    auto count = std::make_shared<int>(0);
    combo.Click = [count, handler = combo.Click] {
        ++*count;
        handler();
    };
    return count;
}

bool openWithF4(ComboBox &combo)
{
    QTest::keyClick(combo.widget(), Qt::Key_F4);
    return QTest::qWaitForWindowExposed(combo.widget()->view()->window());
}

void clickInTheOpenList(ComboBox &combo, const QString &item)
{
    QAbstractItemView *view = combo.widget()->view();
    const QModelIndex index = view->model()->index(combo.widget()->findText(item), 0);
    view->scrollTo(index);
    const QPoint row(4, view->visualRect(index).center().y());
    QTest::mouseMove(view->viewport(), row);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row);
}

} // namespace

class TestProfitOpenList : public QObject
{
    Q_OBJECT

private slots:
    void enterInTheOpenedListPicksTheTypedItem_data();
    void enterInTheOpenedListPicksTheTypedItem();
    void enterInTheOpenedListWithNoMatchChangesNothing_data();
    void enterInTheOpenedListWithNoMatchChangesNothing();
};

void TestProfitOpenList::enterInTheOpenedListPicksTheTypedItem_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("item");

    // The destination box completes 加 to 加拿大 as it is typed.
    QTest::newRow("destination prefix") << "Combo1"
                                        << "加"
                                        << "加拿大";
    QTest::newRow("destination") << "Combo1"
                                 << "加拿大"
                                 << "加拿大";
    QTest::newRow("currency") << "Combo2"
                              << "英镑"
                              << "英镑";
    // The first item of a list is highlighted as any other, and Enter picks it.
    QTest::newRow("destination prefix 阿, completed to the first item 阿根廷") << "Combo1"
                                                                               << "阿"
                                                                               << "阿根廷";
    QTest::newRow("currency 美元, the first item") << "Combo2"
                                                   << "美元"
                                                   << "美元";
}

// Enter on the item the opened list highlights for the typed text does what a click on
// that item in the list does: the EMS freight of the destination, the currency switch.
void TestProfitOpenList::enterInTheOpenedListPicksTheTypedItem()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, item);

    ProfitFixture clicked;
    ComboBox &clickedCombo = comboNamed(*clicked.panel, box);
    QVERIFY(typeIntoTheCalculator(clicked, clickedCombo, typed));
    QCOMPARE(clickedCombo.text(), item);
    const QStringList typedTexts = shownTexts(*clicked.panel);
    QVERIFY(openWithF4(clickedCombo));
    clickInTheOpenList(clickedCombo, item);
    QCOMPARE(clickedCombo.text(), item);
    QVERIFY(!clickedCombo.widget()->view()->isVisible());
    const QStringList picked = shownTexts(*clicked.panel);
    clicked.panel->hide();

    ProfitFixture entered;
    ComboBox &combo = comboNamed(*entered.panel, box);
    QVERIFY(typeIntoTheCalculator(entered, combo, typed));
    QCOMPARE(shownTexts(*entered.panel), typedTexts);
    const std::shared_ptr<int> clicks = countClicks(combo);
    QVERIFY(openWithF4(combo));
    QCOMPARE(combo.widget()->view()->currentIndex().row(), combo.widget()->findText(item));
    QTest::keyClick(combo.widget()->view(), Qt::Key_Return);

    QVERIFY(!combo.widget()->view()->isVisible());
    QCOMPARE(*clicks, 1);
    QCOMPARE(combo.text(), item);
    QCOMPARE(shownTexts(*entered.panel), picked);
    QVERIFY(entered.dialogs().shown().isEmpty());
    if (box == "Combo2") {
        // The pick switched the currency: its destination and its default rate.
        const Currency *currency = currencyNamed(item);
        QVERIFY(currency);
        QCOMPARE(entered.panel->Combo1.text(), currency->destination);
        QCOMPARE(entered.text("Text118"), currency->defaultRate);
    }
}

void TestProfitOpenList::enterInTheOpenedListWithNoMatchChangesNothing_data()
{
    QTest::addColumn<QString>("box");

    QTest::newRow("destination") << "Combo1";
    QTest::newRow("currency") << "Combo2";
}

// No item begins with the typed text: the list opens with none highlighted, and Enter
// closes it with the text as typed and nothing recomputed.
void TestProfitOpenList::enterInTheOpenedListWithNoMatchChangesNothing()
{
    QFETCH(QString, box);

    ProfitFixture f;
    ComboBox &combo = comboNamed(*f.panel, box);
    QVERIFY(typeIntoTheCalculator(f, combo, "火星"));
    const QStringList before = shownTexts(*f.panel);

    QVERIFY(openWithF4(combo));
    QTest::keyClick(combo.widget()->view(), Qt::Key_Return);

    QVERIFY(!combo.widget()->view()->isVisible());
    QCOMPARE(combo.text(), QString("火星"));
    QCOMPARE(shownTexts(*f.panel), before);
    QVERIFY(f.dialogs().shown().isEmpty());
}

SKARVEL_TEST_MAIN(TestProfitOpenList)
#include "tst_profit_open_list.moc"
