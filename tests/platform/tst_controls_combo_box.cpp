#include "platform/controls/combo_box.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

namespace {

bool showActive(QWidget &window)
{
    window.resize(400, 300);
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// Records the handlers of a box in the order they run.
void record(ComboBox &box, QStringList &log)
{
    box.Click = [&box, &log] { log << "Click " + box.text(); };
    box.Change = [&box, &log] { log << "Change " + box.text(); };
}

void fill(ComboBox &box, const QStringList &items)
{
    for (const QString &item : items)
        box.AddItem(item);
}

// What the user (or the code) does to a box in the pick table.
enum class Action {
    LeaveBox,
    PressEnter,
    ClickInOpenList,
    DownTwiceOnClosedBox,
    PageDownOnClosedBox,
    WheelOnClosedBox,
    DownTwiceInOpenList,
    DownTwiceInOpenListThenEnter,
    EndInOpenList,
    SetListIndexInCode,
};

bool openList(ComboBox &box)
{
    box.widget()->showPopup();
    return QTest::qWaitForWindowExposed(box.widget()->view()->window());
}

void turnWheelDown(QWidget *widget)
{
    const QPointF at = widget->rect().center();
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

} // namespace

Q_DECLARE_METATYPE(ComboBox::Style)
Q_DECLARE_METATYPE(Action)

class TstControlsComboBox : public QObject
{
    Q_OBJECT
private slots:
    void dropDownListSetText_data();
    void dropDownListSetText();
    void fillingSelectsNothing_data();
    void fillingSelectsNothing();
    void setListIndex_data();
    void setListIndex();
    void userPickRunsClickOnly_data();
    void userPickRunsClickOnly();
    void onlyAPickRunsClick_data();
    void onlyAPickRunsClick();
    void dropDownListKeys_data();
    void dropDownListKeys();
    void editableTyping_data();
    void editableTyping();
    void completionInChange_data();
    void completionInChange();
    void editableSetTextRunsChangeOnly_data();
    void editableSetTextRunsChangeOnly();
    void editableSelection_data();
    void editableSelection();
};

void TstControlsComboBox::dropDownListSetText_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QStringList>("log");

    const QStringList types{"UPC-8位", "UPC-12位", "EAN-13位", "UPC-14位"};
    QTest::newRow("matching text selects and clicks")
        << types << -1 << "UPC-12位" << 1 << QStringList{"Click UPC-12位"};
    QTest::newRow("text that is no item leaves no selection")
        << types << 2 << "UPC-15位" << -1 << QStringList{};
    QTest::newRow("match is exact") << types << 2 << "UPC-12" << -1 << QStringList{};
    QTest::newRow("match is case-sensitive") << types << 2 << "upc-8位" << -1 << QStringList{};
    QTest::newRow("empty text") << types << 0 << "" << -1 << QStringList{};
    QTest::newRow("selected item again clicks again")
        << types << 0 << "UPC-8位" << 0 << QStringList{"Click UPC-8位"};
    QTest::newRow("first of equal items")
        << QStringList{"0", "1", "0"} << 2 << "0" << 0 << QStringList{"Click 0"};
}

void TstControlsComboBox::dropDownListSetText()
{
    QFETCH(QStringList, items);
    QFETCH(int, selected);
    QFETCH(QString, written);
    QFETCH(int, listIndex);
    QFETCH(QStringList, log);

    QWidget window;
    ComboBox box(&window, "Combo4");
    fill(box, items);
    box.setListIndex(selected);
    QStringList seen;
    record(box, seen);

    box.setText(written);

    QCOMPARE(seen, log);
    QCOMPARE(box.ListIndex(), listIndex);
    QCOMPARE(box.text(), listIndex >= 0 ? items.at(listIndex) : QString());
    QCOMPARE(box.widget()->currentText(), box.text());
}

void TstControlsComboBox::fillingSelectsNothing_data()
{
    QTest::addColumn<ComboBox::Style>("style");
    QTest::addColumn<bool>("clearFirst");
    QTest::addColumn<QString>("typed");

    QTest::newRow("drop-down list") << ComboBox::DropDownList << false << "";
    QTest::newRow("drop-down list after clear") << ComboBox::DropDownList << true << "";
    QTest::newRow("editable keeps its text") << ComboBox::Editable << false << "美";
    QTest::newRow("editable after clear") << ComboBox::Editable << true << "";
}

void TstControlsComboBox::fillingSelectsNothing()
{
    QFETCH(ComboBox::Style, style);
    QFETCH(bool, clearFirst);
    QFETCH(QString, typed);

    QWidget window;
    ComboBox box(&window, "Combo1", style);
    QStringList seen;
    record(box, seen);
    if (clearFirst) {
        fill(box, {"x", "y"});
        box.setListIndex(1);
        seen.clear();
        box.clear();
    } else if (!typed.isEmpty()) {
        box.widget()->lineEdit()->setText(typed);
    }

    fill(box, {"美国", "英国"});

    QCOMPARE(box.ListCount(), 2);
    QCOMPARE(box.ListIndex(), -1);
    QCOMPARE(box.text(), typed);
    QCOMPARE(box.List(1), QString("英国"));
    QCOMPARE(box.List(2), QString());
    QCOMPARE(seen, QStringList{});
}

void TstControlsComboBox::setListIndex_data()
{
    QTest::addColumn<ComboBox::Style>("style");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("drop-down list item")
        << ComboBox::DropDownList << 2 << 2 << "欧元" << QStringList{"Click 欧元"};
    QTest::newRow("drop-down list none")
        << ComboBox::DropDownList << -1 << -1 << "" << QStringList{};
    QTest::newRow("out of range changes nothing")
        << ComboBox::DropDownList << 4 << 0 << "美元" << QStringList{};
    QTest::newRow("editable item")
        << ComboBox::Editable << 1 << 1 << "英镑" << QStringList{"Click 英镑"};
    QTest::newRow("editable none") << ComboBox::Editable << -1 << -1 << "" << QStringList{};
}

void TstControlsComboBox::setListIndex()
{
    QFETCH(ComboBox::Style, style);
    QFETCH(int, index);
    QFETCH(int, listIndex);
    QFETCH(QString, text);
    QFETCH(QStringList, log);

    QWidget window;
    ComboBox box(&window, "Combo2", style);
    fill(box, {"美元", "英镑", "欧元", "卢布"});
    box.setListIndex(0);
    QStringList seen;
    record(box, seen);

    box.setListIndex(index);

    QCOMPARE(seen, log);
    QCOMPARE(box.ListIndex(), listIndex);
    QCOMPARE(box.text(), text);
}

void TstControlsComboBox::userPickRunsClickOnly_data()
{
    QTest::addColumn<ComboBox::Style>("style");

    QTest::newRow("drop-down list") << ComboBox::DropDownList;
    QTest::newRow("editable") << ComboBox::Editable;
}

void TstControlsComboBox::userPickRunsClickOnly()
{
    QFETCH(ComboBox::Style, style);

    QWidget window;
    ComboBox box(&window, "Combo5", style);
    fill(box, {"请点击下拉框选择", "关键词抓取器", "FBA发货计算器"});
    QVERIFY(showActive(window));
    QStringList seen;
    record(box, seen);

    box.widget()->showPopup();
    QAbstractItemView *view = box.widget()->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    const QRect row = view->visualRect(view->model()->index(1, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row.center());

    QCOMPARE(seen, QStringList{"Click 关键词抓取器"});
    QCOMPARE(box.ListIndex(), 1);
}

void TstControlsComboBox::onlyAPickRunsClick_data()
{
    QTest::addColumn<ComboBox::Style>("style");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<bool>("listOpen");

    // Both boxes start as a window's design leaves them: the editable one with the
    // text "美元" and no item selected, the drop-down list with "美元" selected.
    const ComboBox::Style edit = ComboBox::Editable;
    const ComboBox::Style list = ComboBox::DropDownList;
    const QStringList none;
    QTest::newRow("editable: leaving the box")
        << edit << "" << Action::LeaveBox << none << "美元" << -1 << false;
    QTest::newRow("editable: Enter")
        << edit << "" << Action::PressEnter << none << "美元" << -1 << false;
    QTest::newRow("editable: typed item, then leaving the box")
        << edit << "英镑" << Action::LeaveBox << QStringList{"Change 英镑"} << "英镑" << -1
        << false;
    QTest::newRow("editable: typed item, then Enter")
        << edit << "英镑" << Action::PressEnter << QStringList{"Change 英镑"} << "英镑" << -1
        << false;
    QTest::newRow("editable: mouse in the open list")
        << edit << "" << Action::ClickInOpenList << QStringList{"Click 欧元"} << "欧元" << 2
        << false;
    QTest::newRow("editable: arrow keys on the closed box")
        << edit << "" << Action::DownTwiceOnClosedBox << QStringList{"Click 美元", "Click 英镑"}
        << "英镑" << 1 << false;
    QTest::newRow("editable: page key on the closed box")
        << edit << "" << Action::PageDownOnClosedBox << QStringList{"Click 美元"} << "美元" << 0
        << false;
    QTest::newRow("editable: wheel on the closed box")
        << edit << "" << Action::WheelOnClosedBox << QStringList{"Click 美元"} << "美元" << 0
        << false;
    // The open list highlights the item equal to the text, as the Windows list does.
    QTest::newRow("editable: arrow keys in the open list")
        << edit << "" << Action::DownTwiceInOpenList << QStringList{"Click 英镑", "Click 欧元"}
        << "欧元" << 2 << true;
    QTest::newRow("editable: Enter after arrow keys in the open list")
        << edit << "" << Action::DownTwiceInOpenListThenEnter
        << QStringList{"Click 英镑", "Click 欧元"} << "欧元" << 2 << false;
    QTest::newRow("editable: End in the open list")
        << edit << "" << Action::EndInOpenList << QStringList{"Click 卢布"} << "卢布" << 3 << true;
    QTest::newRow("editable: ListIndex set in code")
        << edit << "" << Action::SetListIndexInCode << QStringList{"Click 欧元"} << "欧元" << 2
        << false;

    QTest::newRow("drop-down list: leaving the box")
        << list << "" << Action::LeaveBox << none << "美元" << 0 << false;
    QTest::newRow("drop-down list: Enter")
        << list << "" << Action::PressEnter << none << "美元" << 0 << false;
    QTest::newRow("drop-down list: mouse in the open list")
        << list << "" << Action::ClickInOpenList << QStringList{"Click 欧元"} << "欧元" << 2
        << false;
    QTest::newRow("drop-down list: arrow keys on the closed box")
        << list << "" << Action::DownTwiceOnClosedBox << QStringList{"Click 英镑", "Click 欧元"}
        << "欧元" << 2 << false;
    QTest::newRow("drop-down list: page key on the closed box")
        << list << "" << Action::PageDownOnClosedBox << QStringList{"Click 英镑"} << "英镑" << 1
        << false;
    QTest::newRow("drop-down list: wheel on the closed box")
        << list << "" << Action::WheelOnClosedBox << QStringList{"Click 英镑"} << "英镑" << 1
        << false;
    QTest::newRow("drop-down list: arrow keys in the open list")
        << list << "" << Action::DownTwiceInOpenList << QStringList{"Click 英镑", "Click 欧元"}
        << "欧元" << 2 << true;
    QTest::newRow("drop-down list: Enter after arrow keys in the open list")
        << list << "" << Action::DownTwiceInOpenListThenEnter
        << QStringList{"Click 英镑", "Click 欧元"} << "欧元" << 2 << false;
    QTest::newRow("drop-down list: End in the open list")
        << list << "" << Action::EndInOpenList << QStringList{"Click 卢布"} << "卢布" << 3 << true;
    QTest::newRow("drop-down list: ListIndex set in code")
        << list << "" << Action::SetListIndexInCode << QStringList{"Click 欧元"} << "欧元" << 2
        << false;
}

void TstControlsComboBox::onlyAPickRunsClick()
{
    QFETCH(ComboBox::Style, style);
    QFETCH(QString, typed);
    QFETCH(Action, action);
    QFETCH(QStringList, log);
    QFETCH(QString, text);
    QFETCH(int, listIndex);
    QFETCH(bool, listOpen);

    QWidget window;
    ComboBox box(&window, "Combo2", style);
    QLineEdit next(&window);
    next.move(0, 100);
    fill(box, {"美元", "英镑", "欧元", "卢布"});
    box.setText("美元");
    QVERIFY(showActive(window));
    box.setFocus();
    QStringList seen;
    record(box, seen);
    if (!typed.isEmpty()) {
        box.widget()->lineEdit()->selectAll();
        QInputMethodEvent commit;
        commit.setCommitString(typed);
        QApplication::sendEvent(box.widget(), &commit);
    }

    QAbstractItemView *view = box.widget()->view();
    switch (action) {
    case Action::LeaveBox:
        next.setFocus(Qt::MouseFocusReason);
        QVERIFY(!box.widget()->hasFocus());
        break;
    case Action::PressEnter:
        QTest::keyClick(box.widget(), Qt::Key_Return);
        break;
    case Action::ClickInOpenList: {
        QVERIFY(openList(box));
        const QRect row = view->visualRect(view->model()->index(2, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(4, row.center().y()));
        break;
    }
    case Action::DownTwiceOnClosedBox:
        QTest::keyClick(box.widget(), Qt::Key_Down);
        QTest::keyClick(box.widget(), Qt::Key_Down);
        break;
    case Action::PageDownOnClosedBox:
        QTest::keyClick(box.widget(), Qt::Key_PageDown);
        break;
    case Action::WheelOnClosedBox:
        turnWheelDown(box.widget());
        break;
    case Action::DownTwiceInOpenList:
    case Action::DownTwiceInOpenListThenEnter:
        QVERIFY(openList(box));
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Down);
        if (action == Action::DownTwiceInOpenListThenEnter)
            QTest::keyClick(view, Qt::Key_Return);
        break;
    case Action::EndInOpenList:
        QVERIFY(openList(box));
        QTest::keyClick(view, Qt::Key_End);
        break;
    case Action::SetListIndexInCode:
        box.setListIndex(2);
        break;
    }

    QCOMPARE(seen, log);
    QCOMPARE(box.text(), text);
    QCOMPARE(box.ListIndex(), listIndex);
    QCOMPARE(view->isVisible(), listOpen);
    QCOMPARE(box.ListCount(), 4);
}

void TstControlsComboBox::dropDownListKeys_data()
{
    QTest::addColumn<bool>("swallow");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("listIndex");
    QTest::addColumn<int>("clicks");

    QTest::newRow("swallowed key selects nothing") << true << -1 << "b" << -1 << 0;
    QTest::newRow("key selects the first item with its initial") << false << -1 << "a" << 1 << 1;
    QTest::newRow("same key moves to the next such item") << false << 1 << "a" << 2 << 1;
    QTest::newRow("search wraps round") << false << 2 << "a" << 1 << 1;
    QTest::newRow("initial is case-insensitive") << false << 0 << "B" << 3 << 1;
    QTest::newRow("no item with the initial") << false << 0 << "z" << 0 << 0;
    QTest::newRow("only match already selected") << false << 3 << "b" << 3 << 0;
    QTest::newRow("Chinese initial") << false << 3 << "美" << 0 << 1;
}

void TstControlsComboBox::dropDownListKeys()
{
    QFETCH(bool, swallow);
    QFETCH(int, selected);
    QFETCH(QString, typed);
    QFETCH(int, listIndex);
    QFETCH(int, clicks);

    QWidget window;
    ComboBox box(&window, "Combo3");
    fill(box, {"美国", "Apple", "apricot", "Banana"});
    QVERIFY(showActive(window));
    box.setListIndex(selected);
    box.setFocus();
    QList<int> keyAsciis;
    int clicked = 0;
    box.KeyPress = [&](int &keyAscii) {
        keyAsciis << keyAscii;
        if (swallow)
            keyAscii = 0;
    };
    box.Click = [&] { ++clicked; };

    const Qt::Key key = Qt::Key(typed.at(0).toUpper().unicode());
    QTest::sendKeyEvent(QTest::Click, box.widget(), key, typed, Qt::NoModifier);

    QCOMPARE(keyAsciis, QList<int>{int(typed.toUcs4().first())});
    QCOMPARE(box.ListIndex(), listIndex);
    QCOMPARE(clicked, clicks);
}

void TstControlsComboBox::editableTyping_data()
{
    QTest::addColumn<bool>("swallow");
    QTest::addColumn<bool>("inputMethod");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("log");

    const QString us = QString::fromUtf8("美");
    QTest::newRow("typed key: KeyPress, Change, KeyUp")
        << false << false << "a"
        << "a" << QStringList{"KeyPress 97", "Change a", "KeyUp 65"};
    QTest::newRow("swallowed key: KeyUp only") << true << false << "a"
                                               << "" << QStringList{"KeyPress 97", "KeyUp 65"};
    QTest::newRow("input-method commit: KeyPress, Change, KeyUp")
        << false << true << us << us << QStringList{"KeyPress 32654", "Change " + us, "KeyUp 229"};
    QTest::newRow("swallowed commit: KeyUp only")
        << true << true << us << "" << QStringList{"KeyPress 32654", "KeyUp 229"};
    QTest::newRow("Enter picks and adds nothing")
        << false << false << "\r"
        << "英国" << QStringList{"KeyPress 13", "KeyUp 13"};
}

void TstControlsComboBox::editableTyping()
{
    QFETCH(bool, swallow);
    QFETCH(bool, inputMethod);
    QFETCH(QString, typed);
    QFETCH(QString, text);
    QFETCH(QStringList, log);

    QWidget window;
    ComboBox box(&window, "Combo1", ComboBox::Editable);
    fill(box, {"美国", "英国"});
    QVERIFY(showActive(window));
    box.setFocus();
    if (typed == "\r") {
        box.setText("英国");
        box.setSelStart(2);
    }
    QStringList seen;
    record(box, seen);
    box.KeyPress = [&](int &keyAscii) {
        seen << QString("KeyPress %1").arg(keyAscii);
        if (swallow)
            keyAscii = 0;
    };
    box.KeyUp = [&](int keyCode, int) { seen << QString("KeyUp %1").arg(keyCode); };

    if (inputMethod) {
        QInputMethodEvent commit;
        commit.setCommitString(typed);
        QApplication::sendEvent(box.widget(), &commit);
    } else if (typed == "\r") {
        QTest::keyClick(box.widget(), Qt::Key_Return);
    } else {
        QTest::keyClicks(box.widget(), typed);
    }

    QCOMPARE(seen, log);
    QCOMPARE(box.text(), text);
    QCOMPARE(box.ListCount(), 2);
    QCOMPARE(box.ListIndex(), -1);
}

void TstControlsComboBox::completionInChange_data()
{
    QTest::addColumn<bool>("inputMethod");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("completed");
    QTest::addColumn<QString>("selected");

    QTest::newRow("typed key") << false << "a"
                               << "apricot"
                               << "pricot";
    QTest::newRow("input-method commit") << true << "美"
                                         << "美国"
                                         << "国";
}

// Change may complete the typed text to the first item it begins; KeyUp, which
// follows, sees the completed text.
void TstControlsComboBox::completionInChange()
{
    QFETCH(bool, inputMethod);
    QFETCH(QString, typed);
    QFETCH(QString, completed);
    QFETCH(QString, selected);

    QWidget window;
    ComboBox box(&window, "Combo1", ComboBox::Editable);
    fill(box, {"英国", "apricot", "美国"});
    QVERIFY(showActive(window));
    box.setFocus();
    QStringList seen;
    box.Change = [&] {
        seen << "Change " + box.text();
        const QString start = box.text();
        for (int i = 0; i < box.ListCount(); ++i) {
            if (box.List(i).startsWith(start) && box.List(i) != start) {
                box.setText(box.List(i));
                box.setSelStart(int(start.size()));
                box.setSelLength(int(box.List(i).size() - start.size()));
                return;
            }
        }
    };
    box.KeyUp = [&](int, int) { seen << "KeyUp " + box.text(); };

    if (inputMethod) {
        QInputMethodEvent commit;
        commit.setCommitString(typed);
        QApplication::sendEvent(box.widget(), &commit);
    } else {
        QTest::keyClicks(box.widget(), typed);
    }

    QCOMPARE(seen, (QStringList{"Change " + typed, "Change " + completed, "KeyUp " + completed}));
    QCOMPARE(box.text(), completed);
    QCOMPARE(box.widget()->lineEdit()->selectedText(), selected);
}

void TstControlsComboBox::editableSetTextRunsChangeOnly_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("new text") << "美国" << QStringList{"Change 美国"};
    QTest::newRow("equal text") << "美" << QStringList{};
    QTest::newRow("text that is no item") << "火星" << QStringList{"Change 火星"};
}

void TstControlsComboBox::editableSetTextRunsChangeOnly()
{
    QFETCH(QString, written);
    QFETCH(QStringList, log);

    QWidget window;
    ComboBox box(&window, "Combo1", ComboBox::Editable);
    fill(box, {"美国", "英国"});
    box.setText("美");
    QStringList seen;
    record(box, seen);

    box.setText(written);

    QCOMPARE(seen, log);
    QCOMPARE(box.text(), written);
    QCOMPARE(box.SelStart(), 0);
}

void TstControlsComboBox::editableSelection_data()
{
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<int>("readStart");
    QTest::addColumn<int>("readLength");
    QTest::addColumn<QString>("selected");

    QTest::newRow("completed part selected") << 1 << 3 << 1 << 3 << "大利亚";
    QTest::newRow("length cut at the end") << 2 << 10 << 2 << 2 << "利亚";
    QTest::newRow("start past the end") << 9 << 1 << 4 << 0 << "";
    QTest::newRow("caret only") << 2 << 0 << 2 << 0 << "";
}

void TstControlsComboBox::editableSelection()
{
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(int, readStart);
    QFETCH(int, readLength);
    QFETCH(QString, selected);

    QWidget window;
    ComboBox box(&window, "Combo1", ComboBox::Editable);
    box.setText("澳大利亚");

    box.setSelStart(selStart);
    box.setSelLength(selLength);

    QCOMPARE(box.SelStart(), readStart);
    QCOMPARE(box.SelLength(), readLength);
    QCOMPARE(box.widget()->lineEdit()->selectedText(), selected);
}

QTEST_MAIN(TstControlsComboBox)
#include "tst_controls_combo_box.moc"
