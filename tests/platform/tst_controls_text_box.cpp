#include "platform/controls/line_breaks.h"
#include "platform/controls/text_box.h"
#include "support/context_menu.h"
#include "support/test_main.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

namespace {

// Key and focus events reach a widget only in a shown, active window.
bool showActive(QWidget &window)
{
    window.resize(400, 300);
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// The character filter of the number boxes: digits, the point and Backspace pass.
void digitsOnly(int &keyAscii)
{
    const bool digit = keyAscii >= '0' && keyAscii <= '9';
    if (!digit && keyAscii != '.' && keyAscii != 8)
        keyAscii = 0;
}

// Types the text; a line feed stands for the Enter key.
void type(QWidget *widget, const QString &text)
{
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            QTest::keyClick(widget, Qt::Key_Return);
        QTest::keyClicks(widget, lines.at(i));
    }
}

QWidget *editor(TextBox &box)
{
    return box.lineEdit() ? static_cast<QWidget *>(box.lineEdit()) : box.textEdit();
}

QString shown(TextBox &box)
{
    return box.lineEdit() ? box.lineEdit()->text() : box.textEdit()->toPlainText();
}

} // namespace

Q_DECLARE_METATYPE(TextBox::Kind)

class TstControlsTextBox : public QObject
{
    Q_OBJECT
private slots:
    void changeOnSetText_data();
    void changeOnSetText();
    void changeChains_data();
    void changeChains();
    void typingRunsChange_data();
    void typingRunsChange();
    void keyPressSwallows_data();
    void keyPressSwallows();
    void swallowedKeyRunsNoShortcut_data();
    void swallowedKeyRunsNoShortcut();
    void keyUpCodes_data();
    void keyUpCodes();
    void maxLengthLimitsTypingOnly_data();
    void maxLengthLimitsTypingOnly();
    void lineBreaksCountTwo_data();
    void lineBreaksCountTwo();
    void widgetSelectionInHeldPositions_data();
    void widgetSelectionInHeldPositions();
    void inputMethodCommitCountsAsTyped_data();
    void inputMethodCommitCountsAsTyped();
    void changeMayRewriteTheTypedBox_data();
    void changeMayRewriteTheTypedBox();
    void lockedBoxTakesNoTyping_data();
    void lockedBoxTakesNoTyping();
    void doubleClick_data();
    void doubleClick();
    void multiLineBoxShowsItsLastWriteWhenEventsRun();
    void typingMeetsTheLastWrite();
    void writingTheShownTextBackDropsTheUndoHistory();
    void writingTheShownTextBackShowsItAsWritten_data();
    void writingTheShownTextBackShowsItAsWritten();
    void rightClickMenuIsInChinese_data();
    void rightClickMenuIsInChinese();
};

void TstControlsTextBox::changeOnSetText_data()
{
    QTest::addColumn<bool>("changeOnEqualText");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("changes");

    QTest::newRow("real change") << false << "1"
                                 << "2" << 1;
    QTest::newRow("equal text runs nothing") << false << "1"
                                             << "1" << 0;
    QTest::newRow("equal text, change on equal") << true << "1"
                                                 << "1" << 1;
    QTest::newRow("real change, change on equal") << true << "1"
                                                  << "12" << 1;
    QTest::newRow("emptied") << false << "1"
                             << "" << 1;
}

void TstControlsTextBox::changeOnSetText()
{
    QFETCH(bool, changeOnEqualText);
    QFETCH(QString, before);
    QFETCH(QString, written);
    QFETCH(int, changes);

    QWidget window;
    TextBox box(&window, "Text101");
    box.setText(before);
    box.setChangeOnEqualText(changeOnEqualText);
    int runs = 0;
    QString seen;
    box.Change = [&] {
        ++runs;
        seen = box.text();
    };
    box.setText(written);

    QCOMPARE(runs, changes);
    if (changes > 0)
        QCOMPARE(seen, written);
    QCOMPARE(box.text(), written);
    QCOMPARE(box.lineEdit()->text(), written);
    QCOMPARE(window.findChild<QLineEdit *>("Text101"), box.lineEdit());
}

void TstControlsTextBox::changeChains_data()
{
    QTest::addColumn<bool>("rewriteOwnBox");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<QStringList>("texts");

    QTest::newRow("three boxes, nested in order")
        << false << QStringList{"A begin", "B begin", "C", "B end", "A end"}
        << QStringList{"5", "51", "512"};
    // A handler that rewrites its own box runs again inside itself, once more for
    // the new text and not for the equal one that follows.
    QTest::newRow("handler rewrites its own box")
        << true << QStringList{"A begin", "A begin", "B begin", "C", "B end", "A end", "A end"}
        << QStringList{"5.0", "5.01", "5.012"};
}

void TstControlsTextBox::changeChains()
{
    QFETCH(bool, rewriteOwnBox);
    QFETCH(QStringList, order);
    QFETCH(QStringList, texts);

    QWidget window;
    TextBox a(&window, "Text105");
    TextBox b(&window, "Text108");
    TextBox c(&window, "Text110");
    QStringList log;
    a.Change = [&] {
        log << "A begin";
        if (rewriteOwnBox && !a.text().endsWith(".0"))
            a.setText(a.text() + ".0");
        else
            b.setText(a.text() + "1");
        log << "A end";
    };
    b.Change = [&] {
        log << "B begin";
        c.setText(b.text() + "2");
        log << "B end";
    };
    c.Change = [&] { log << "C"; };

    a.setText("5");

    QCOMPARE(log, order);
    QCOMPARE((QStringList{a.text(), b.text(), c.text()}), texts);
}

void TstControlsTextBox::typingRunsChange_data()
{
    QTest::addColumn<TextBox::Kind>("kind");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("changes");

    QTest::newRow("single line") << TextBox::SingleLine << ""
                                 << "12.5"
                                 << "12.5" << 4;
    QTest::newRow("appended to a written text") << TextBox::SingleLine << "7"
                                                << "8"
                                                << "78" << 1;
    QTest::newRow("multi-line, Enter makes CR LF") << TextBox::MultiLine << ""
                                                   << "ab\ncd"
                                                   << "ab\r\ncd" << 5;
    QTest::newRow("multi-line, typed after a written break") << TextBox::MultiLine << "ab\r\n"
                                                             << "c"
                                                             << "ab\r\nc" << 1;
}

void TstControlsTextBox::typingRunsChange()
{
    QFETCH(TextBox::Kind, kind);
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, after);
    QFETCH(int, changes);

    QWidget window;
    TextBox box(&window, "Text1", kind);
    QVERIFY(showActive(window));
    box.setText(before);
    box.setSelStart(int(before.size()));
    box.setFocus();
    QStringList seen;
    box.Change = [&] { seen << box.text(); };

    type(editor(box), typed);

    QCOMPARE(box.text(), after);
    QCOMPARE(seen.size(), changes);
    QCOMPARE(seen.last(), after);
}

void TstControlsTextBox::keyPressSwallows_data()
{
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QList<int>>("keyAsciis");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    QTest::newRow("letter swallowed") << true << int(Qt::Key_A) << none << "12" << QList<int>{'a'};
    QTest::newRow("digit passes") << true << int(Qt::Key_5) << none << "125" << QList<int>{'5'};
    QTest::newRow("point passes") << true << int(Qt::Key_Period) << none << "12."
                                  << QList<int>{'.'};
    QTest::newRow("Backspace passes as 8")
        << true << int(Qt::Key_Backspace) << none << "1" << QList<int>{8};
    QTest::newRow("Enter arrives as 13")
        << true << int(Qt::Key_Return) << none << "12" << QList<int>{13};
    QTest::newRow("minus swallowed")
        << true << int(Qt::Key_Minus) << none << "12" << QList<int>{'-'};
    QTest::newRow("Ctrl+V swallowed, nothing pasted")
        << true << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier) << "12"
        << QList<int>{22};
    QTest::newRow("Ctrl+V passed, pasted")
        << false << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier) << "1234"
        << QList<int>{22};
    QTest::newRow("Ctrl+X swallowed, nothing cut")
        << true << int(Qt::Key_X) << Qt::KeyboardModifiers(Qt::ControlModifier) << "12"
        << QList<int>{24};
    QTest::newRow("Ctrl+Z arrives as 26")
        << true << int(Qt::Key_Z) << Qt::KeyboardModifiers(Qt::ControlModifier) << "12"
        << QList<int>{26};
    QTest::newRow("Delete runs no KeyPress")
        << true << int(Qt::Key_Delete) << none << "2" << QList<int>{};
    QTest::newRow("arrow runs no KeyPress")
        << true << int(Qt::Key_Left) << none << "12" << QList<int>{};
    QTest::newRow("Home runs no KeyPress")
        << true << int(Qt::Key_Home) << none << "12" << QList<int>{};
}

void TstControlsTextBox::keyPressSwallows()
{
    QFETCH(bool, filtered);
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, after);
    QFETCH(QList<int>, keyAsciis);

    QWidget window;
    TextBox box(&window, "Text101");
    QVERIFY(showActive(window));
    box.setText("12");
    // Delete works at the start, the other keys at the end.
    box.setSelStart(key == Qt::Key_Delete ? 0 : 2);
    box.setFocus();
    QApplication::clipboard()->setText("34");
    QList<int> seen;
    box.KeyPress = [&](int &keyAscii) {
        seen << keyAscii;
        if (filtered)
            digitsOnly(keyAscii);
    };

    QTest::keyClick(box.lineEdit(), Qt::Key(key), modifiers);

    QCOMPARE(box.text(), after);
    QCOMPARE(box.lineEdit()->text(), after);
    QCOMPARE(seen, keyAsciis);
}

void TstControlsTextBox::swallowedKeyRunsNoShortcut_data()
{
    QTest::addColumn<bool>("swallowed");
    QTest::addColumn<bool>("shortcutRuns");

    QTest::newRow("swallowed key") << true << false;
    QTest::newRow("passed key") << false << true;
}

void TstControlsTextBox::swallowedKeyRunsNoShortcut()
{
    QFETCH(bool, swallowed);
    QFETCH(bool, shortcutRuns);

    QWidget window;
    TextBox box(&window, "Text118");
    QAction action(&window);
    action.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    window.addAction(&action);
    bool triggered = false;
    connect(&action, &QAction::triggered, [&] { triggered = true; });
    QVERIFY(showActive(window));
    box.setFocus();
    box.KeyPress = [&](int &keyAscii) {
        if (swallowed)
            keyAscii = 0;
    };

    QTest::keyClick(box.lineEdit(), Qt::Key_Q, Qt::ControlModifier);

    QCOMPARE(triggered, shortcutRuns);
}

void TstControlsTextBox::keyUpCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<bool>("autoRepeat");
    QTest::addColumn<QList<int>>("keyUp");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    QTest::newRow("letter upper-case") << int(Qt::Key_A) << none << false << QList<int>{65, 0};
    QTest::newRow("shifted letter")
        << int(Qt::Key_A) << Qt::KeyboardModifiers(Qt::ShiftModifier) << false << QList<int>{65, 1};
    QTest::newRow("digit") << int(Qt::Key_5) << none << false << QList<int>{53, 0};
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << none << false << QList<int>{8, 0};
    QTest::newRow("Enter") << int(Qt::Key_Return) << none << false << QList<int>{13, 0};
    QTest::newRow("Delete") << int(Qt::Key_Delete) << none << false << QList<int>{46, 0};
    QTest::newRow("left arrow") << int(Qt::Key_Left) << none << false << QList<int>{37, 0};
    QTest::newRow("down arrow") << int(Qt::Key_Down) << none << false << QList<int>{40, 0};
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << Qt::KeyboardModifiers(Qt::ControlModifier) << false
                            << QList<int>{86, 2};
    QTest::newRow("auto-repeat release ignored") << int(Qt::Key_A) << none << true << QList<int>{};
}

void TstControlsTextBox::keyUpCodes()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(bool, autoRepeat);
    QFETCH(QList<int>, keyUp);

    QWidget window;
    TextBox box(&window, "Text112");
    QVERIFY(showActive(window));
    box.setFocus();
    QList<int> seen;
    box.KeyUp = [&](int keyCode, int shift) { seen << keyCode << shift; };

    QKeyEvent release(QEvent::KeyRelease, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(box.lineEdit(), &release);

    QCOMPARE(seen, keyUp);
}

void TstControlsTextBox::maxLengthLimitsTypingOnly_data()
{
    QTest::addColumn<TextBox::Kind>("kind");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("changes");

    const TextBox::Kind single = TextBox::SingleLine;
    const TextBox::Kind multi = TextBox::MultiLine;
    QTest::newRow("typing stops at the limit") << single << 3 << ""
                                               << "12345"
                                               << ""
                                               << "123" << 3;
    QTest::newRow("written text is never cut") << single << 3 << "123456"
                                               << ""
                                               << ""
                                               << "123456" << 0;
    QTest::newRow("typing refused in a longer box") << single << 3 << "123456"
                                                    << "7"
                                                    << ""
                                                    << "123456" << 0;
    QTest::newRow("paste keeps what fits") << single << 4 << "12"
                                           << ""
                                           << "3456"
                                           << "1234" << 1;
    QTest::newRow("no limit") << single << 0 << "12"
                              << "345"
                              << ""
                              << "12345" << 3;
    QTest::newRow("multi-line, a typed break counts two") << multi << 4 << "ab"
                                                          << "\nc"
                                                          << ""
                                                          << "ab\r\n"
                                                          << 1;
    QTest::newRow("multi-line, paste never keeps half a break") << multi << 3 << ""
                                                                << ""
                                                                << "ab\r\ncd"
                                                                << "ab" << 1;
    QTest::newRow("multi-line, written text is never cut") << multi << 3 << "ab\r\ncd"
                                                           << "e"
                                                           << ""
                                                           << "ab\r\ncd" << 0;
}

void TstControlsTextBox::maxLengthLimitsTypingOnly()
{
    QFETCH(TextBox::Kind, kind);
    QFETCH(int, maxLength);
    QFETCH(QString, written);
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, after);
    QFETCH(int, changes);

    QWidget window;
    TextBox box(&window, "Text3", kind);
    QVERIFY(showActive(window));
    box.setMaxLength(maxLength);
    box.setText(written);
    QCOMPARE(box.text(), written);
    box.setSelStart(int(written.size()));
    box.setFocus();
    int runs = 0;
    box.Change = [&] { ++runs; };

    type(editor(box), typed);
    if (!pasted.isEmpty()) {
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(editor(box), Qt::Key_V, Qt::ControlModifier);
    }

    QCOMPARE(box.text(), after);
    QCOMPARE(LineBreaks::heldText(shown(box)), after);
    QCOMPARE(runs, changes);
}

void TstControlsTextBox::lineBreaksCountTwo_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("selText");
    QTest::addColumn<QString>("shownSelection");

    const QString codes = "036000291452\r\n036000291469\r\n036000291476";
    QTest::newRow("second code of a list") << codes << 14 << 12 << "036000291469"
                                           << "036000291469";
    QTest::newRow("third code of a list") << codes << 28 << 12 << "036000291476"
                                          << "036000291476";
    QTest::newRow("a break is two characters") << "ab\r\ncd" << 2 << 2 << "\r\n"
                                               << QString(QChar::ParagraphSeparator);
    QTest::newRow("across a break")
        << "ab\r\ncd" << 1 << 4 << "b\r\nc" << QString("b") + QChar::ParagraphSeparator + "c";
    QTest::newRow("length past the end is cut") << "ab\r\ncd" << 4 << 10 << "cd"
                                                << "cd";
    QTest::newRow("start past the end") << "ab" << 9 << 1 << ""
                                        << "";
}

void TstControlsTextBox::lineBreaksCountTwo()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, selText);
    QFETCH(QString, shownSelection);

    QWidget window;
    TextBox box(&window, "Text1", TextBox::MultiLine);
    box.setText(text);
    QCOMPARE(box.text(), text);

    box.setSelStart(selStart);
    box.setSelLength(selLength);

    QCOMPARE(box.SelText(), selText);
    QCOMPARE(box.SelStart(), std::min(selStart, int(text.size())));
    QCOMPARE(box.SelLength(), int(selText.size()));
    QCOMPARE(box.textEdit()->textCursor().selectedText(), shownSelection);

    // Replacing the selection keeps the rest, breaks included.
    const int start = box.SelStart();
    int changes = 0;
    box.Change = [&] { ++changes; };
    box.setSelText("X");
    QCOMPARE(box.text(), text.left(start) + "X" + text.mid(start + selText.size()));
    QCOMPARE(box.SelStart(), start + 1);
    QCOMPARE(changes, 1);
}

void TstControlsTextBox::widgetSelectionInHeldPositions_data()
{
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");

    // "ab\r\ncd\r\nef" shows as "ab", "cd", "ef" in three blocks.
    QTest::newRow("caret in the second line") << 3 << 3 << 4 << 0;
    QTest::newRow("caret at the end") << 8 << 8 << 10 << 0;
    QTest::newRow("second line selected backwards") << 5 << 3 << 4 << 2;
    QTest::newRow("selection over two breaks") << 1 << 7 << 1 << 8;
}

void TstControlsTextBox::widgetSelectionInHeldPositions()
{
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(int, selStart);
    QFETCH(int, selLength);

    QWidget window;
    TextBox box(&window, "Text2", TextBox::MultiLine);
    box.setText("ab\r\ncd\r\nef");
    QTextCursor cursor = box.textEdit()->textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    box.textEdit()->setTextCursor(cursor);

    QCOMPARE(box.SelStart(), selStart);
    QCOMPARE(box.SelLength(), selLength);
}

void TstControlsTextBox::inputMethodCommitCountsAsTyped_data()
{
    QTest::addColumn<TextBox::Kind>("kind");
    QTest::addColumn<bool>("filtered");
    QTest::addColumn<QString>("commit");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QStringList>("events");

    const QString us = QString::fromUtf8("美国");
    QTest::newRow("commit typed") << TextBox::SingleLine << false << us << us
                                  << QStringList{"KeyPress 32654", "KeyPress 22269", "Change " + us,
                                                 "KeyUp 229"};
    QTest::newRow("multi-line commit typed")
        << TextBox::MultiLine << false << us << us
        << QStringList{"KeyPress 32654", "KeyPress 22269", "Change " + us, "KeyUp 229"};
    QTest::newRow("filter swallows every character")
        << TextBox::SingleLine << true << us << ""
        << QStringList{"KeyPress 32654", "KeyPress 22269", "KeyUp 229"};
    QTest::newRow("filter keeps the digits")
        << TextBox::SingleLine << true << QString::fromUtf8("1元2") << "12"
        << QStringList{"KeyPress 49", "KeyPress 20803", "KeyPress 50", "Change 12", "KeyUp 229"};
    QTest::newRow("full-width digits swallowed")
        << TextBox::SingleLine << true << QString::fromUtf8("１") << ""
        << QStringList{"KeyPress 65297", "KeyUp 229"};
}

void TstControlsTextBox::inputMethodCommitCountsAsTyped()
{
    QFETCH(TextBox::Kind, kind);
    QFETCH(bool, filtered);
    QFETCH(QString, commit);
    QFETCH(QString, after);
    QFETCH(QStringList, events);

    QWidget window;
    TextBox box(&window, "Combo1", kind);
    QVERIFY(showActive(window));
    box.setFocus();
    QStringList log;
    box.KeyPress = [&](int &keyAscii) {
        log << QString("KeyPress %1").arg(keyAscii);
        if (filtered)
            digitsOnly(keyAscii);
    };
    box.Change = [&] { log << "Change " + box.text(); };
    box.KeyUp = [&](int keyCode, int) { log << QString("KeyUp %1").arg(keyCode); };

    QInputMethodEvent event;
    event.setCommitString(commit);
    QApplication::sendEvent(editor(box), &event);

    QCOMPARE(log, events);
    QCOMPARE(box.text(), after);
    QCOMPARE(shown(box), after);
}

void TstControlsTextBox::changeMayRewriteTheTypedBox_data()
{
    QTest::addColumn<TextBox::Kind>("kind");

    QTest::newRow("single line") << TextBox::SingleLine;
    QTest::newRow("multi-line") << TextBox::MultiLine;
}

// A Change handler that rewrites the box being typed into (a completion) leaves the
// box with its text and selection; typing then goes on from there.
void TstControlsTextBox::changeMayRewriteTheTypedBox()
{
    QFETCH(TextBox::Kind, kind);

    QWidget window;
    TextBox box(&window, "Text5", kind);
    QVERIFY(showActive(window));
    box.setFocus();
    box.Change = [&] {
        if (box.text() == "1") {
            box.setText("1.0000");
            box.setSelStart(1);
            box.setSelLength(5);
        }
    };

    QTest::keyClicks(editor(box), "1");
    QCOMPARE(box.text(), QString("1.0000"));
    QCOMPARE(box.SelText(), QString(".0000"));
    QTest::keyClicks(editor(box), "5");

    QCOMPARE(box.text(), QString("15"));
    QCOMPARE(shown(box), QString("15"));
}

void TstControlsTextBox::lockedBoxTakesNoTyping_data()
{
    QTest::addColumn<TextBox::Kind>("kind");

    QTest::newRow("single line") << TextBox::SingleLine;
    QTest::newRow("multi-line") << TextBox::MultiLine;
}

void TstControlsTextBox::lockedBoxTakesNoTyping()
{
    QFETCH(TextBox::Kind, kind);

    QWidget window;
    TextBox box(&window, "Text102", kind);
    QVERIFY(showActive(window));
    box.setLocked(true);
    box.setText("0");
    box.setSelStart(1);
    box.setFocus();
    QVERIFY(editor(box)->hasFocus());
    QStringList log;
    box.Change = [&] { log << "Change " + box.text(); };

    QTest::keyClicks(editor(box), "12");
    QCOMPARE(box.text(), QString("0"));
    box.setText("3.5");

    QCOMPARE(log, QStringList{"Change 3.5"});
    QCOMPARE(shown(box), QString("3.5"));
    QCOMPARE(editor(box)->palette().color(QPalette::Base),
             editor(box)->palette().color(QPalette::Window));
}

void TstControlsTextBox::doubleClick_data()
{
    QTest::addColumn<TextBox::Kind>("kind");

    QTest::newRow("single line") << TextBox::SingleLine;
    QTest::newRow("multi-line") << TextBox::MultiLine;
}

void TstControlsTextBox::doubleClick()
{
    QFETCH(TextBox::Kind, kind);

    QWidget window;
    TextBox box(&window, "Text6", kind);
    box.setGeometryTwips(150, 150, 3000, 1500);
    QVERIFY(showActive(window));
    box.setText("12345 abc\r\nxyz");
    int clicks = 0;
    QString selected;
    box.DblClick = [&] {
        ++clicks;
        selected = box.SelText();
    };

    QWidget *target = box.textEdit() ? box.textEdit()->viewport() : box.lineEdit();
    QTest::mouseDClick(target, Qt::LeftButton, {}, QPoint(5, 5));

    QCOMPARE(clicks, 1);
    // The handler sees the word the double-click selected.
    QCOMPARE(selected, QStringLiteral("12345"));
    QCOMPARE(box.widget()->geometry(), QRect(10, 10, 200, 100));
}

// Writes that follow each other with no events between (a status text written and
// written back) never reach the widget, which lays its whole text out each time.
void TstControlsTextBox::multiLineBoxShowsItsLastWriteWhenEventsRun()
{
    QWidget window;
    TextBox box(&window, "Text2", TextBox::MultiLine);
    box.setText("working");
    QCoreApplication::processEvents();
    auto *document = window.findChild<QPlainTextEdit *>("Text2");
    int rewrites = 0;
    connect(document, &QPlainTextEdit::textChanged, [&] { ++rewrites; });

    box.setText("waiting");
    box.setText("working");
    box.setText("done\r\nall");
    QCOMPARE(box.text(), "done\r\nall");
    QCoreApplication::processEvents();

    QCOMPARE(document->toPlainText(), "done\nall");
    QCOMPARE(rewrites, 1);
    box.setText("waiting");
    box.setText("done\r\nall");
    QCoreApplication::processEvents();
    QCOMPARE(rewrites, 1);
}

void TstControlsTextBox::typingMeetsTheLastWrite()
{
    QWidget window;
    TextBox box(&window, "Text2", TextBox::MultiLine);
    QVERIFY(showActive(window));
    box.setFocus();
    auto *viewport = window.findChild<QPlainTextEdit *>("Text2")->viewport();
    box.setText("abc");
    QTest::keyClick(viewport, Qt::Key_D);

    // A written text puts the caret at its start.
    QCOMPARE(box.text(), "dabc");
    QCOMPARE(shown(box), "dabc");
}

void TstControlsTextBox::writingTheShownTextBackDropsTheUndoHistory()
{
    QWidget window;
    TextBox box(&window, "Text2", TextBox::MultiLine);
    QVERIFY(showActive(window));
    box.setFocus();
    QTest::keyClicks(box.textEdit(), "typed");
    box.setText("status");
    box.setText("typed");
    QTest::keyClick(box.textEdit(), Qt::Key_Z, Qt::ControlModifier);

    QCOMPARE(box.text(), "typed");
    QCOMPARE(shown(box), "typed");
    QCOMPARE(box.SelStart(), 0);
}

using DocumentChange = std::function<void(QPlainTextEdit *)>;

void TstControlsTextBox::writingTheShownTextBackShowsItAsWritten_data()
{
    QTest::addColumn<DocumentChange>("change");
    QTest::newRow("nothing changed") << DocumentChange([](QPlainTextEdit *) {});
    QTest::newRow("caret moved") << DocumentChange(
        [](QPlainTextEdit *document) { QTest::keyClick(document, Qt::Key_Down); });
    QTest::newRow("text selected")
        << DocumentChange([](QPlainTextEdit *document) { document->selectAll(); });
    QTest::newRow("scrolled down") << DocumentChange([](QPlainTextEdit *document) {
        document->verticalScrollBar()->setValue(document->verticalScrollBar()->maximum());
    });
    QTest::newRow("scrolled right") << DocumentChange([](QPlainTextEdit *document) {
        document->horizontalScrollBar()->setValue(document->horizontalScrollBar()->maximum());
    });
    QTest::newRow("modified") << DocumentChange(
        [](QPlainTextEdit *document) { document->document()->setModified(true); });
    QTest::newRow("typing undone") << DocumentChange([](QPlainTextEdit *document) {
        QTest::keyClick(document, Qt::Key_X);
        QTest::keyClick(document, Qt::Key_Z, Qt::ControlModifier);
    });
}

// However the user left the shown text, writing it again shows it as a first write
// does: caret at the start, nothing selected, scrolled to the top left.
void TstControlsTextBox::writingTheShownTextBackShowsItAsWritten()
{
    QFETCH(DocumentChange, change);
    QWidget window;
    TextBox box(&window, "Text2", TextBox::MultiLine);
    box.textEdit()->setLineWrapMode(QPlainTextEdit::NoWrap);
    QVERIFY(showActive(window));
    box.setFocus();
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines << QString(300, QChar(u'a' + i % 26));
    const QString text = lines.join("\r\n");
    box.setText(text);
    QPlainTextEdit *document = box.textEdit();
    change(document);

    box.setText("status");
    box.setText(text);
    QCoreApplication::processEvents();

    QCOMPARE(document->textCursor().position(), 0);
    QVERIFY(!document->textCursor().hasSelection());
    QCOMPARE(document->verticalScrollBar()->value(), 0);
    QCOMPARE(document->horizontalScrollBar()->value(), 0);
    QVERIFY(!document->document()->isModified());
    // A write empties what the user could bring back, as it does on Windows.
    QVERIFY(!document->document()->isRedoAvailable());
    QCOMPARE(box.text(), text);
}

void TstControlsTextBox::rightClickMenuIsInChinese_data()
{
    QTest::addColumn<TextBox::Kind>("kind");
    QTest::newRow("single line") << TextBox::SingleLine;
    QTest::newRow("multi-line") << TextBox::MultiLine;
}

void TstControlsTextBox::rightClickMenuIsInChinese()
{
    QFETCH(TextBox::Kind, kind);
    QWidget window;
    TextBox box(&window, "Text1", kind);
    QVERIFY(showActive(window));
    box.setText("typed");
    QWidget *clicked =
        box.lineEdit() ? static_cast<QWidget *>(box.lineEdit()) : box.textEdit()->viewport();

    QCOMPARE(contextMenuTexts(clicked), chineseTextBoxMenu);
}

SKARVEL_TEST_MAIN(TstControlsTextBox)
#include "tst_controls_text_box.moc"
