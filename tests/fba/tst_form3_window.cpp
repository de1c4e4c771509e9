#include "form3_fixture.h"
#include "support/number_box_keys.h"
#include "support/test_main.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QStringList editableBoxes{"Text1", "Text3",  "Text4",  "Text6",  "Text7",
                                "Text8", "Text20", "Text24", "Text25", "Text26"};

QStringList designTexts(Form3 &form)
{
    QStringList texts;
    for (TextBox *box : allBoxes(form)) {
        const QString name = box->objectName();
        if (name == "Text3")
            texts << "1";
        else if (name == "Text24")
            texts << "453.59237";
        else if (name == "Text25")
            texts << "2.54";
        else if (name == "Text26")
            texts << "6.3672";
        else
            texts << "0";
    }
    return texts;
}

} // namespace

class TstForm3Window : public QObject
{
    Q_OBJECT
private slots:
    void opening();
    void openingComputesNothing();
    void lockedBoxes();
    void keyFilterOnEveryEditableBox_data();
    void keyFilterOnEveryEditableBox();
    void pasteShortcutSwallowed();
    void typingRunsTheFiguresPerKeystroke();
    void lockedBoxRefusesTyping();
    void listOffersOneItem();
    void tabOrderAndFirstFocus();
    void reopeningRestoresTheDesign();
};

void TstForm3Window::opening()
{
    OpenedWindow window;
    Form3 &form = window.form;

    QCOMPARE(form.Caption(), "亚马逊FBA发货费用计算器 - Tobrin");
    QCOMPARE(form.Label30.Caption(), "亚马逊FBA发货费用计算器");
    QCOMPARE(texts(allBoxes(form)), designTexts(form));
    QCOMPARE(form.Combo1.text(), "非媒介类产品");
    QCOMPARE(form.Command1.Caption(), "自动获取最新转换");
    QCOMPARE(form.Label24.Caption() + form.Label25.Caption(), "1磅=克");
    QCOMPARE(form.Label26.Caption() + form.Label27.Caption(), "1英寸=厘米");
    QCOMPARE(form.Label28.Caption() + form.Label29.Caption(), "1美元=人民币");
    // The volume box holds the product of the three inch sides.
    QCOMPARE(form.Label37.Caption(), "体积（立方英寸）");
    QCOMPARE(form.size(), QSize(978, 449));
}

void TstForm3Window::openingComputesNothing()
{
    FakeServices fake;
    Form3 form(fake.services);
    QStringList changed;
    for (TextBox *box : allBoxes(form)) {
        const std::function<void()> own = box->Change;
        box->Change = [box, &changed, own] {
            changed << box->objectName();
            if (own)
                own();
        };
    }

    form.load();

    QVERIFY(changed.isEmpty());
}

void TstForm3Window::lockedBoxes()
{
    OpenedWindow window;
    for (TextBox *box : allBoxes(window.form))
        QCOMPARE(box->isLocked(), !editableBoxes.contains(box->objectName()));
}

void TstForm3Window::keyFilterOnEveryEditableBox_data()
{
    QTest::addColumn<QString>("box");

    for (const QString &name : editableBoxes)
        QTest::newRow(qPrintable(name)) << name;
}

void TstForm3Window::keyFilterOnEveryEditableBox()
{
    QFETCH(QString, box);

    OpenedWindow window;
    Form3 &form = window.form;
    QVERIFY(showActive(form));

    typeKeysToSift(boxNamed(form, box).lineEdit());

    QCOMPARE(boxNamed(form, box).text(), "123.45");
}

void TstForm3Window::pasteShortcutSwallowed()
{
    OpenedWindow window;
    Form3 &form = window.form;
    QVERIFY(showActive(form));

    pasteByShortcut(form.Text4.lineEdit());

    QCOMPARE(form.Text4.text(), "0");
}

void TstForm3Window::typingRunsTheFiguresPerKeystroke()
{
    OpenedWindow window;
    Form3 &form = window.form;
    QVERIFY(showActive(form));
    form.Text1.setFocus();
    form.Text1.lineEdit()->selectAll();

    QTest::keyClicks(form.Text1.lineEdit(), "30");
    QCOMPARE(form.Text14.text(), "1.0000");
    QTest::keyClicks(form.Text1.lineEdit(), "0");
    QCOMPARE(form.Text14.text(), "0");
    QCOMPARE(form.Text2.text(), "1910.1600");

    // Several points can be typed; the price then counts 0 in RMB and 1.2 for the
    // exemption.
    form.Text1.lineEdit()->selectAll();
    QTest::keyClicks(form.Text1.lineEdit(), "1.2.3");
    QCOMPARE(form.Text1.text(), "1.2.3");
    QCOMPARE(form.Text2.text(), "0.0000");
    QCOMPARE(form.Text14.text(), "1.0000");
}

void TstForm3Window::lockedBoxRefusesTyping()
{
    OpenedWindow window;
    Form3 &form = window.form;
    QVERIFY(showActive(form));
    form.Text13.setFocus();

    QTest::keyClicks(form.Text13.lineEdit(), "5");

    QCOMPARE(form.Text13.text(), "0");
    QCOMPARE(form.Text18.text(), "0");
}

void TstForm3Window::listOffersOneItem()
{
    OpenedWindow window;
    Form3 &form = window.form;
    QCOMPARE(form.Combo1.ListCount(), 1);

    form.Combo1.setListIndex(0);

    QCOMPARE(form.Combo1.text(), "非媒介类产品");
    QCOMPARE(texts(allBoxes(form)), designTexts(form));
}

void TstForm3Window::tabOrderAndFirstFocus()
{
    OpenedWindow window;
    Form3 &form = window.form;
    QVERIFY(showActive(form));

    QCOMPARE(QApplication::focusWidget(), form.Command1.widget());
    QStringList expected{"Command1"};
    for (int number = 26; number >= 12; --number)
        expected << QStringLiteral("Text%1").arg(number);
    expected << "Combo1";
    for (int number = 11; number >= 1; --number)
        expected << QStringLiteral("Text%1").arg(number);
    expected << "Text27"
             << "Text28";
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, expected);
}

void TstForm3Window::reopeningRestoresTheDesign()
{
    FakeServices fake;
    {
        Form3 form(fake.services);
        form.load();
        form.show();
        enter(form.Text26, "7");
        enter(form.Text1, "10");
        enter(form.Text6, "10");
        enter(form.Text7, "20");
        QCOMPARE(form.Text6.widget()->palette().color(QPalette::Text), QColor(Qt::red));

        form.Unload();
        QVERIFY(!form.isVisible());
    }
    Form3 reopened(fake.services);
    reopened.load();

    QCOMPARE(texts(allBoxes(reopened)), designTexts(reopened));
    QCOMPARE(reopened.Text6.widget()->palette().color(QPalette::Text), QColor(Qt::black));
}

SKARVEL_TEST_MAIN(TstForm3Window)
#include "tst_form3_window.moc"
