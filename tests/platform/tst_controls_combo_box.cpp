#include "platform/controls/combo_box.h"
#include "support/test_main.h"

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
    EndTwiceInOpenList,
    HomeInOpenList,
    PageUpInOpenList,
    PageDownInOpenList,
    UpInOpenList,
    KeypadDownInOpenList,
    KeypadUpInOpenList,
    KeypadPageDownInOpenList,
    KeypadPageUpInOpenList,
    HoverThenEnterInOpenList,
    InitialThenEnterInOpenList,
    KeyPickThenPrefixAndEnterInNextOpening,
    SetListIndexInCode,
};

// The key an action presses in the open list.
QKeyCombination openListKey(Action action)
{
    switch (action) {
    case Action::EndInOpenList:
    case Action::EndTwiceInOpenList:
        return Qt::Key_End;
    case Action::HomeInOpenList:
        return Qt::Key_Home;
    case Action::PageUpInOpenList:
        return Qt::Key_PageUp;
    case Action::PageDownInOpenList:
        return Qt::Key_PageDown;
    case Action::UpInOpenList:
        return Qt::Key_Up;
    // The keypad's keys with Num Lock off.
    case Action::KeypadDownInOpenList:
        return Qt::KeypadModifier | Qt::Key_Down;
    case Action::KeypadUpInOpenList:
        return Qt::KeypadModifier | Qt::Key_Up;
    case Action::KeypadPageDownInOpenList:
        return Qt::KeypadModifier | Qt::Key_PageDown;
    case Action::KeypadPageUpInOpenList:
        return Qt::KeypadModifier | Qt::Key_PageUp;
    default:
        return Qt::Key_unknown;
    }
}

bool openList(ComboBox &box)
{
    box.widget()->showPopup();
    return QTest::qWaitForWindowExposed(box.widget()->view()->window());
}

// How the user drops the list down.
enum class Opener { Arrow, AltDown, F4 };

// How the user closes the list again.
enum class Closer { Enter, F4, Escape, ClickOutside, ClickHighlightedRow };

// Types over the box's whole text as a user does: Latin keys one by one, Chinese
// through an input method, an empty text by deleting.
void typeOver(ComboBox &box, const QString &text)
{
    box.widget()->lineEdit()->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(box.widget(), Qt::Key_Backspace);
    } else if (text.front().unicode() < 0x80) {
        QTest::keyClicks(box.widget(), text);
    } else {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(box.widget(), &commit);
    }
}

void open(QComboBox *box, Opener opener)
{
    switch (opener) {
    case Opener::Arrow:
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 4, box->height() / 2));
        break;
    case Opener::AltDown:
        QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
        break;
    case Opener::F4:
        QTest::keyClick(box, Qt::Key_F4);
        break;
    }
}

void close(QAbstractItemView *view, Closer closer)
{
    switch (closer) {
    case Closer::Enter:
        QTest::keyClick(view, Qt::Key_Return);
        break;
    case Closer::F4:
        QTest::keyClick(view, Qt::Key_F4);
        break;
    case Closer::Escape:
        QTest::keyClick(view, Qt::Key_Escape);
        break;
    case Closer::ClickOutside:
        // Through the window system, which closes a popup clicked outside.
        QTest::mouseClick(view->window()->windowHandle(), Qt::LeftButton, {}, QPoint(-20, -20));
        break;
    case Closer::ClickHighlightedRow: {
        // The pointer comes to the row before it clicks there.
        const QPoint row(4, view->visualRect(view->currentIndex()).center().y());
        QTest::mouseMove(view->viewport(), row);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row);
        break;
    }
    }
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
Q_DECLARE_METATYPE(Opener)
Q_DECLARE_METATYPE(Closer)

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
    void openedListFollowsTheText_data();
    void openedListFollowsTheText();
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
    // A typed item is highlighted when the list opens, and is no pick yet.
    QTest::newRow("editable: Home in the open list")
        << edit << "欧元" << Action::HomeInOpenList << QStringList{"Change 欧元", "Click 美元"}
        << "美元" << 0 << true;
    QTest::newRow("editable: Page Up in the open list")
        << edit << "卢布" << Action::PageUpInOpenList << QStringList{"Change 卢布", "Click 美元"}
        << "美元" << 0 << true;
    QTest::newRow("editable: Page Down in the open list")
        << edit << "" << Action::PageDownInOpenList << QStringList{"Click 卢布"} << "卢布" << 3
        << true;
    QTest::newRow("editable: keypad Down in the open list")
        << edit << "" << Action::KeypadDownInOpenList << QStringList{"Click 英镑"} << "英镑" << 1
        << true;
    QTest::newRow("editable: keypad Up in the open list")
        << edit << "欧元" << Action::KeypadUpInOpenList << QStringList{"Change 欧元", "Click 英镑"}
        << "英镑" << 1 << true;
    QTest::newRow("editable: keypad Page Down in the open list")
        << edit << "" << Action::KeypadPageDownInOpenList << QStringList{"Click 卢布"} << "卢布"
        << 3 << true;
    QTest::newRow("editable: keypad Page Up in the open list")
        << edit << "卢布" << Action::KeypadPageUpInOpenList
        << QStringList{"Change 卢布", "Click 美元"} << "美元" << 0 << true;
    QTest::newRow("editable: Up on the first item of the open list")
        << edit << "" << Action::UpInOpenList << none << "美元" << -1 << true;
    QTest::newRow("editable: End on the last item of the open list")
        << edit << "卢布" << Action::EndInOpenList << QStringList{"Change 卢布"} << "卢布" << -1
        << true;
    QTest::newRow("editable: End twice in the open list")
        << edit << "" << Action::EndTwiceInOpenList << QStringList{"Click 卢布"} << "卢布" << 3
        << true;
    QTest::newRow("editable: Enter on the item under the mouse pointer")
        << edit << "" << Action::HoverThenEnterInOpenList << QStringList{"Click 欧元"} << "欧元"
        << 2 << false;
    QTest::newRow("editable: Enter on the item found by its initial")
        << edit << "" << Action::InitialThenEnterInOpenList << QStringList{"Click 欧元"} << "欧元"
        << 2 << false;
    QTest::newRow("editable: item picked by a key in an earlier opening, its prefix typed, "
                  "Enter picks it again")
        << edit << "" << Action::KeyPickThenPrefixAndEnterInNextOpening
        << QStringList{"Click 英镑", "Change 英", "Click 英镑"} << "英镑" << 1 << false;
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
    QTest::newRow("drop-down list: Home on the first item of the open list")
        << list << "" << Action::HomeInOpenList << none << "美元" << 0 << true;
    QTest::newRow("drop-down list: Page Down in the open list")
        << list << "" << Action::PageDownInOpenList << QStringList{"Click 卢布"} << "卢布" << 3
        << true;
    QTest::newRow("drop-down list: keypad Down in the open list")
        << list << "" << Action::KeypadDownInOpenList << QStringList{"Click 英镑"} << "英镑" << 1
        << true;
    QTest::newRow("drop-down list: keypad Page Down in the open list")
        << list << "" << Action::KeypadPageDownInOpenList << QStringList{"Click 卢布"} << "卢布"
        << 3 << true;
    QTest::newRow("drop-down list: Up on the first item of the open list")
        << list << "" << Action::UpInOpenList << none << "美元" << 0 << true;
    QTest::newRow("drop-down list: End twice in the open list")
        << list << "" << Action::EndTwiceInOpenList << QStringList{"Click 卢布"} << "卢布" << 3
        << true;
    QTest::newRow("drop-down list: Enter on the item under the mouse pointer")
        << list << "" << Action::HoverThenEnterInOpenList << QStringList{"Click 欧元"} << "欧元"
        << 2 << false;
    QTest::newRow("drop-down list: Enter on the item found by its initial")
        << list << "" << Action::InitialThenEnterInOpenList << QStringList{"Click 欧元"} << "欧元"
        << 2 << false;
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
    case Action::EndTwiceInOpenList:
    case Action::HomeInOpenList:
    case Action::PageUpInOpenList:
    case Action::PageDownInOpenList:
    case Action::UpInOpenList:
    case Action::KeypadDownInOpenList:
    case Action::KeypadUpInOpenList:
    case Action::KeypadPageDownInOpenList:
    case Action::KeypadPageUpInOpenList: {
        QVERIFY(openList(box));
        const QKeyCombination key = openListKey(action);
        QTest::keyClick(view, key.key(), key.keyboardModifiers());
        if (action == Action::EndTwiceInOpenList)
            QTest::keyClick(view, key.key(), key.keyboardModifiers());
        break;
    }
    case Action::HoverThenEnterInOpenList: {
        QVERIFY(openList(box));
        const QRect row = view->visualRect(view->model()->index(2, 0));
        QTest::mouseMove(view->viewport(), QPoint(4, row.center().y()));
        QCOMPARE(view->currentIndex().row(), 2);
        QTest::keyClick(view, Qt::Key_Return);
        break;
    }
    case Action::InitialThenEnterInOpenList:
        QVERIFY(openList(box));
        QTest::sendKeyEvent(QTest::Click, view, Qt::Key_unknown, QStringLiteral("欧"),
                            Qt::NoModifier);
        QCOMPARE(view->currentIndex().row(), 2);
        QTest::keyClick(view, Qt::Key_Return);
        break;
    case Action::KeyPickThenPrefixAndEnterInNextOpening: {
        QVERIFY(openList(box));
        QTest::keyClick(view, Qt::Key_Down);
        QTest::keyClick(view, Qt::Key_Return);
        QTRY_VERIFY(!view->isVisible());
        box.widget()->lineEdit()->selectAll();
        QInputMethodEvent prefix;
        prefix.setCommitString(box.text().left(1));
        QApplication::sendEvent(box.widget(), &prefix);
        QVERIFY(openList(box));
        QCOMPARE(view->currentIndex().row(), 1);
        QTest::keyClick(view, Qt::Key_Return);
        break;
    }
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

void TstControlsComboBox::openedListFollowsTheText_data()
{
    QTest::addColumn<ComboBox::Style>("style");
    QTest::addColumn<int>("picked");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Opener>("opener");
    QTest::addColumn<int>("highlighted");
    QTest::addColumn<Closer>("closer");
    QTest::addColumn<QStringList>("log");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("listIndex");

    // The box starts with an item picked from its list, then the user types over the
    // editable box's text. Opening runs no handler and leaves the text as typed.
    const ComboBox::Style edit = ComboBox::Editable;
    const ComboBox::Style list = ComboBox::DropDownList;
    const QStringList none;
    QTest::newRow("typed prefix: first item beginning with it, Enter picks it")
        << edit << 0 << "加" << Opener::F4 << 1 << Closer::Enter << QStringList{"Click 加拿大"}
        << "加拿大" << 1;
    QTest::newRow("typed prefix: opened with Alt+Down")
        << edit << 0 << "加" << Opener::AltDown << 1 << Closer::Enter << QStringList{"Click 加拿大"}
        << "加拿大" << 1;
    QTest::newRow("typed prefix: opened with the arrow, click on the highlighted row")
        << edit << 0 << "加" << Opener::Arrow << 1 << Closer::ClickHighlightedRow
        << QStringList{"Click 加拿大"} << "加拿大" << 1;
    QTest::newRow("typed prefix: Escape leaves the typed text")
        << edit << 0 << "加" << Opener::F4 << 1 << Closer::Escape << none << "加" << -1;
    QTest::newRow("typed prefix: click outside leaves the typed text")
        << edit << 0 << "加" << Opener::F4 << 1 << Closer::ClickOutside << none << "加" << -1;
    QTest::newRow("typed item: Enter picks it")
        << edit << 0 << "加蓬" << Opener::F4 << 2 << Closer::Enter << QStringList{"Click 加蓬"}
        << "加蓬" << 2;
    QTest::newRow("typed item picked before: Enter picks it again")
        << edit << 2 << "加蓬" << Opener::F4 << 2 << Closer::Enter << QStringList{"Click 加蓬"}
        << "加蓬" << 2;
    QTest::newRow("case-insensitive ASCII prefix")
        << edit << 0 << "BA" << Opener::F4 << 3 << Closer::Enter << QStringList{"Click bahamas"}
        << "bahamas" << 3;
    QTest::newRow("case-insensitive ASCII prefix, not the first letters alone")
        << edit << 0 << "baHR" << Opener::AltDown << 4 << Closer::Enter
        << QStringList{"Click Bahrain"} << "Bahrain" << 4;
    QTest::newRow("an item's middle is no match")
        << edit << 0 << "拿大" << Opener::F4 << -1 << Closer::Enter << none << "拿大" << -1;
    QTest::newRow("no match: Enter closes and leaves the text")
        << edit << 0 << "火星" << Opener::F4 << -1 << Closer::Enter << none << "火星" << -1;
    QTest::newRow("no match: F4 closes and leaves the text")
        << edit << 0 << "火星" << Opener::F4 << -1 << Closer::F4 << none << "火星" << -1;
    QTest::newRow("no match: opened with the arrow, Escape")
        << edit << 0 << "火星" << Opener::Arrow << -1 << Closer::Escape << none << "火星" << -1;
    QTest::newRow("no match: click outside") << edit << 0 << "火星" << Opener::AltDown << -1
                                             << Closer::ClickOutside << none << "火星" << -1;
    QTest::newRow("empty text: no item highlighted, Enter closes")
        << edit << 0 << "" << Opener::F4 << -1 << Closer::Enter << none << "" << -1;
    QTest::newRow("empty text: opened with the arrow")
        << edit << 0 << "" << Opener::Arrow << -1 << Closer::Escape << none << "" << -1;
    QTest::newRow("drop-down list: its selected item")
        << list << 2 << "" << Opener::F4 << 2 << Closer::Escape << none << "加蓬" << 2;
    QTest::newRow("drop-down list: opened with the arrow")
        << list << 2 << "" << Opener::Arrow << 2 << Closer::ClickOutside << none << "加蓬" << 2;
    QTest::newRow("drop-down list: Enter on its selected item")
        << list << 2 << "" << Opener::AltDown << 2 << Closer::Enter << none << "加蓬" << 2;
    QTest::newRow("drop-down list: no selection, none highlighted")
        << list << -1 << "" << Opener::F4 << -1 << Closer::Enter << none << "" << -1;
}

void TstControlsComboBox::openedListFollowsTheText()
{
    QFETCH(ComboBox::Style, style);
    QFETCH(int, picked);
    QFETCH(QString, typed);
    QFETCH(Opener, opener);
    QFETCH(int, highlighted);
    QFETCH(Closer, closer);
    QFETCH(QStringList, log);
    QFETCH(QString, text);
    QFETCH(int, listIndex);

    QWidget window;
    ComboBox box(&window, "Combo1", style);
    fill(box, {"阿根廷", "加拿大", "加蓬", "bahamas", "Bahrain"});
    box.setListIndex(picked);
    QVERIFY(showActive(window));
    box.setFocus();
    if (style == ComboBox::Editable)
        typeOver(box, typed);
    const QString shown = box.text();
    QStringList seen;
    record(box, seen);

    open(box.widget(), opener);
    QAbstractItemView *view = box.widget()->view();
    QVERIFY(QTest::qWaitForWindowExposed(view->window()));
    QCOMPARE(view->currentIndex().row(), highlighted);
    QCOMPARE(view->selectionModel()->isRowSelected(qMax(highlighted, 0)), highlighted >= 0);
    QCOMPARE(box.text(), shown);
    QCOMPARE(seen, QStringList{});
    close(view, closer);

    QCOMPARE(seen, log);
    QCOMPARE(box.text(), text);
    QCOMPARE(box.ListIndex(), listIndex);
    QTRY_VERIFY(!view->isVisible());
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

SKARVEL_TEST_MAIN(TstControlsComboBox)
#include "tst_controls_combo_box.moc"
