#include "platform/controls/combo_box.h"
#include "platform/controls/command_button.h"
#include "platform/controls/image.h"
#include "platform/controls/label.h"
#include "platform/controls/text_box.h"
#include "platform/controls/timer.h"
#include "support/test_main.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool showActive(QWidget &window)
{
    window.resize(400, 300);
    window.show();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

// How the user (or the code) presses the button in the click table.
enum class ButtonGesture {
    ClickInCode,
    Return,
    KeypadEnter,
    Space,
    HeldReturn,
    ReturnInTextBox,
    ReturnInComboBox,
    ReturnInOpenedList,
};

// How the button comes to be clicked after the user typed in a box.
enum class FocusingClick { Mouse, InCode, TabThenReturn };

// Return held down until the keyboard repeats it twice, then let go.
void holdReturn(QWidget *widget)
{
    QTest::keyPress(widget, Qt::Key_Return);
    for (int repeat = 0; repeat < 2; ++repeat) {
        QKeyEvent again(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
        QApplication::sendEvent(widget, &again);
    }
    QTest::keyRelease(widget, Qt::Key_Return);
}

// A picture file of the given colour; answers its path.
QString writePicture(const QTemporaryDir &dir, const QString &name, Qt::GlobalColor colour)
{
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(colour);
    const QString path = dir.filePath(name);
    picture.save(path);
    return path;
}

} // namespace

Q_DECLARE_METATYPE(ButtonGesture)
Q_DECLARE_METATYPE(FocusingClick)

class TstControlsSimple : public QObject
{
    Q_OBJECT
private slots:
    void labelCaptionIsPlainText_data();
    void labelCaptionIsPlainText();
    void labelClicks_data();
    void labelClicks();
    void buttonClick_data();
    void buttonClick();
    void lostFocusRunsBeforeButtonClick_data();
    void lostFocusRunsBeforeButtonClick();
    void windowSwitchIsNoFocusChange();
    void imageLoadPicture_data();
    void imageLoadPicture();
    void imageClick();
    void timerTicks_data();
    void timerTicks();
    void timerStops_data();
    void timerStops();
    void timerNeverTicksEarly();
};

void TstControlsSimple::labelCaptionIsPlainText_data()
{
    QTest::addColumn<QString>("caption");

    QTest::newRow("markup shown as written") << "<b>V3.91</b>";
    QTest::newRow("entity shown as written") << "&lt;最新版本&gt;";
    QTest::newRow("plain") << "正在获取最新版本信息";
}

void TstControlsSimple::labelCaptionIsPlainText()
{
    QFETCH(QString, caption);

    QWidget window;
    Label label(&window, "Label67", "design");
    QCOMPARE(label.Caption(), QString("design"));

    label.setCaption(caption);

    QCOMPARE(label.Caption(), caption);
    QCOMPARE(label.widget()->textFormat(), Qt::PlainText);
    QCOMPARE(window.findChild<QLabel *>("Label67"), label.widget());
}

void TstControlsSimple::labelClicks_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("click") << "click" << QStringList{"Click"};
    QTest::newRow("double-click runs Click once, then DblClick")
        << "double" << QStringList{"Click", "DblClick"};
    QTest::newRow("right button") << "right" << QStringList{};
    QTest::newRow("released outside") << "outside" << QStringList{};
}

void TstControlsSimple::labelClicks()
{
    QFETCH(QString, gesture);
    QFETCH(QStringList, log);

    QWidget window;
    Label label(&window, "Label43", "使用说明");
    label.setGeometryTwips(0, 0, 1500, 300);
    QVERIFY(showActive(window));
    QStringList seen;
    label.Click = [&] { seen << "Click"; };
    label.DblClick = [&] { seen << "DblClick"; };

    const QPoint inside(5, 5);
    QWidget *target = label.widget();
    if (gesture == "click") {
        QTest::mouseClick(target, Qt::LeftButton, {}, inside);
    } else if (gesture == "double") {
        QTest::mouseClick(target, Qt::LeftButton, {}, inside);
        QTest::mouseDClick(target, Qt::LeftButton, {}, inside);
    } else if (gesture == "right") {
        QTest::mouseClick(target, Qt::RightButton, {}, inside);
    } else {
        QTest::mousePress(target, Qt::LeftButton, {}, inside);
        QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(150, 5));
    }

    QCOMPARE(seen, log);
}

void TstControlsSimple::buttonClick_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<ButtonGesture>("gesture");
    // Held with the key of a Return or keypad Enter gesture.
    QTest::addColumn<Qt::KeyboardModifiers>("held");
    QTest::addColumn<int>("clicks");

    const Qt::KeyboardModifiers none = Qt::NoModifier;
    QTest::newRow("enabled") << true << ButtonGesture::ClickInCode << none << 1;
    QTest::newRow("disabled") << false << ButtonGesture::ClickInCode << none << 0;
    QTest::newRow("Return on the focused button") << true << ButtonGesture::Return << none << 1;
    QTest::newRow("keypad Enter on the focused button")
        << true << ButtonGesture::KeypadEnter << none << 1;
    QTest::newRow("Space on the focused button") << true << ButtonGesture::Space << none << 1;
    QTest::newRow("held Return clicks once") << true << ButtonGesture::HeldReturn << none << 1;
    QTest::newRow("Return on a disabled button") << false << ButtonGesture::Return << none << 0;
    QTest::newRow("keypad Enter on a disabled button")
        << false << ButtonGesture::KeypadEnter << none << 0;
    QTest::newRow("Ctrl+Return on the focused button")
        << true << ButtonGesture::Return << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
    QTest::newRow("Shift+Return on the focused button")
        << true << ButtonGesture::Return << Qt::KeyboardModifiers(Qt::ShiftModifier) << 0;
    QTest::newRow("Alt+Return on the focused button")
        << true << ButtonGesture::Return << Qt::KeyboardModifiers(Qt::AltModifier) << 0;
    QTest::newRow("Ctrl+keypad Enter on the focused button")
        << true << ButtonGesture::KeypadEnter << Qt::KeyboardModifiers(Qt::ControlModifier) << 0;
    QTest::newRow("Return in a text box beside the button")
        << true << ButtonGesture::ReturnInTextBox << none << 0;
    QTest::newRow("Return in a combo box beside the button")
        << true << ButtonGesture::ReturnInComboBox << none << 0;
    QTest::newRow("Return in the opened list of a combo box beside the button")
        << true << ButtonGesture::ReturnInOpenedList << none << 0;
}

void TstControlsSimple::buttonClick()
{
    QFETCH(bool, enabled);
    QFETCH(ButtonGesture, gesture);
    QFETCH(Qt::KeyboardModifiers, held);
    QFETCH(int, clicks);

    QWidget window;
    TextBox rate(&window, "Text118");
    ComboBox currency(&window, "Combo2", ComboBox::Editable);
    CommandButton button(&window, "Command6", "生成");
    rate.setGeometryTwips(0, 0, 1500, 300);
    currency.setGeometryTwips(0, 450, 1500, 300);
    button.setGeometryTwips(0, 900, 1500, 450);
    currency.AddItem("美元");
    currency.AddItem("英镑");
    button.setEnabled(enabled);
    int clicked = 0;
    button.Click = [&] { ++clicked; };
    // The boxes keep their Enter: it reaches their own key hook.
    int keyInBox = 0;
    rate.KeyPress = [&](int &code) { keyInBox = code; };
    currency.KeyPress = [&](int &code) { keyInBox = code; };
    QVERIFY(showActive(window));
    button.setFocus();
    QCOMPARE(button.widget()->hasFocus(), enabled);

    QPushButton *pressed = button.widget();
    switch (gesture) {
    case ButtonGesture::ClickInCode:
        button.click();
        break;
    case ButtonGesture::Return:
        QTest::keyClick(pressed, Qt::Key_Return, held);
        break;
    case ButtonGesture::KeypadEnter:
        QTest::keyClick(pressed, Qt::Key_Enter, held | Qt::KeypadModifier);
        break;
    case ButtonGesture::Space:
        QTest::keyClick(pressed, Qt::Key_Space);
        break;
    case ButtonGesture::HeldReturn:
        holdReturn(pressed);
        break;
    case ButtonGesture::ReturnInTextBox:
        rate.setFocus();
        QTest::keyClick(rate.lineEdit(), Qt::Key_Return);
        QVERIFY(rate.lineEdit()->hasFocus());
        QCOMPARE(keyInBox, 13);
        break;
    case ButtonGesture::ReturnInComboBox:
        currency.setFocus();
        QTest::keyClick(currency.widget(), Qt::Key_Return);
        QVERIFY(currency.widget()->hasFocus());
        QCOMPARE(keyInBox, 13);
        break;
    case ButtonGesture::ReturnInOpenedList: {
        currency.setFocus();
        QTest::keyClick(currency.widget(), Qt::Key_F4);
        QAbstractItemView *list = currency.widget()->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->isVisible());
        QCOMPARE(currency.text(), QString("美元"));
        break;
    }
    }

    QCOMPARE(clicked, clicks);
    QCOMPARE(button.isEnabled(), enabled);
    QCOMPARE(button.Caption(), QString("生成"));
    QCOMPARE(window.findChild<QPushButton *>("Command6"), button.widget());
}

void TstControlsSimple::lostFocusRunsBeforeButtonClick_data()
{
    QTest::addColumn<FocusingClick>("how");

    QTest::newRow("mouse click") << FocusingClick::Mouse;
    QTest::newRow("click() in code") << FocusingClick::InCode;
    QTest::newRow("Tab to the button, then Return") << FocusingClick::TabThenReturn;
}

void TstControlsSimple::lostFocusRunsBeforeButtonClick()
{
    QFETCH(FocusingClick, how);

    QWidget window;
    TextBox rate(&window, "Text118");
    CommandButton button(&window, "Command2", "计算");
    rate.setGeometryTwips(0, 0, 1500, 300);
    button.setGeometryTwips(0, 600, 1500, 450);
    QStringList log;
    rate.GotFocus = [&] { log << "GotFocus"; };
    rate.LostFocus = [&] { log << "LostFocus " + rate.text(); };
    button.Click = [&] { log << "Click"; };
    rate.setFocus();
    QVERIFY(showActive(window));
    QTest::keyClicks(rate.lineEdit(), "6.3");

    switch (how) {
    case FocusingClick::Mouse:
        QTest::mouseClick(button.widget(), Qt::LeftButton);
        break;
    case FocusingClick::InCode:
        button.click();
        break;
    case FocusingClick::TabThenReturn:
        QTest::keyClick(rate.lineEdit(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        break;
    }

    QCOMPARE(log, (QStringList{"GotFocus", "LostFocus 6.3", "Click"}));
    QVERIFY(button.widget()->hasFocus());
}

void TstControlsSimple::windowSwitchIsNoFocusChange()
{
    QWidget window;
    TextBox rate(&window, "Text118");
    QVERIFY(showActive(window));
    rate.setFocus();
    QStringList log;
    rate.GotFocus = [&] { log << "GotFocus"; };
    rate.LostFocus = [&] { log << "LostFocus"; };

    QWidget other;
    QVERIFY(showActive(other));
    QVERIFY(showActive(window));

    QCOMPARE(log, QStringList{});
    QVERIFY(rate.lineEdit()->hasFocus());
}

void TstControlsSimple::imageLoadPicture_data()
{
    QTest::addColumn<QString>("second"); // "picture", "rewritten", "not a picture", "missing"
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QRgb>("shownColour");

    QTest::newRow("picture replaces picture") << "picture" << true << qRgb(0, 0, 255);
    QTest::newRow("same file rewritten at once shows the new picture")
        << "rewritten" << true << qRgb(0, 0, 255);
    QTest::newRow("file that is no picture keeps the old one")
        << "not a picture" << false << qRgb(255, 0, 0);
    QTest::newRow("missing file keeps the old one") << "missing" << false << qRgb(255, 0, 0);
}

void TstControlsSimple::imageLoadPicture()
{
    QFETCH(QString, second);
    QFETCH(bool, loaded);
    QFETCH(QRgb, shownColour);

    QTemporaryDir dir;
    QWidget window;
    Image image(&window, "Image1");
    QVERIFY(!image.hasPicture());
    QVERIFY(image.LoadPicture(writePicture(dir, "first.png", Qt::red)));

    QString path = dir.filePath("missing.gif");
    if (second == "rewritten") {
        // Same name, same size, same second: only the content tells them apart.
        QVERIFY(image.LoadPicture(writePicture(dir, "same.bmp", Qt::red)));
        path = writePicture(dir, "same.bmp", Qt::blue);
    } else if (second == "picture") {
        path = writePicture(dir, "second.png", Qt::blue);
    } else if (second == "not a picture") {
        path = dir.filePath("reply.gif");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html>no picture</html>");
    }

    QCOMPARE(image.LoadPicture(path), loaded);
    QVERIFY(image.hasPicture());
    QCOMPARE(image.widget()->pixmap().toImage().pixel(0, 0), shownColour);

    image.clearPicture();
    QVERIFY(!image.hasPicture());
}

void TstControlsSimple::imageClick()
{
    QWidget window;
    Image image(&window, "Image11");
    image.setGeometryTwips(0, 0, 1500, 1500);
    QVERIFY(showActive(window));
    int clicks = 0;
    image.Click = [&] { ++clicks; };

    QTest::mouseClick(image.widget(), Qt::LeftButton);
    QTest::mouseDClick(image.widget(), Qt::LeftButton);

    QCOMPARE(clicks, 1);
}

void TstControlsSimple::timerTicks_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("ticks");

    QTest::newRow("enabled with an interval") << 10 << true << true;
    QTest::newRow("interval 0") << 0 << true << false;
    QTest::newRow("disabled") << 10 << false << false;
}

void TstControlsSimple::timerTicks()
{
    QFETCH(int, interval);
    QFETCH(bool, enabled);
    QFETCH(bool, ticks);

    QObject window;
    Timer timer(&window, "Timer1");
    QVERIFY(timer.Enabled());
    QCOMPARE(timer.Interval(), 0);
    int count = 0;
    timer.Tick = [&] { ++count; };

    timer.setEnabled(enabled);
    timer.setInterval(interval);

    if (ticks) {
        QTRY_VERIFY(count >= 3);
    } else {
        QTest::qWait(60);
        QCOMPARE(count, 0);
    }
    QCOMPARE(window.findChild<Timer *>("Timer1"), &timer);
}

void TstControlsSimple::timerStops_data()
{
    QTest::addColumn<bool>("byInterval");

    QTest::newRow("interval set to 0") << true;
    QTest::newRow("disabled") << false;
}

void TstControlsSimple::timerStops()
{
    QFETCH(bool, byInterval);

    QObject window;
    Timer timer(&window, "Timer1");
    int count = 0;
    timer.Tick = [&] {
        ++count;
        if (byInterval)
            timer.setInterval(0);
        else
            timer.setEnabled(false);
    };
    timer.setInterval(10);

    QTRY_COMPARE(count, 1);
    QTest::qWait(60);

    QCOMPARE(count, 1);
    QCOMPARE(timer.Enabled(), byInterval);
}

void TstControlsSimple::timerNeverTicksEarly()
{
    QObject window;
    Timer timer(&window, "Timer1");
    QElapsedTimer sinceArmed;
    qint64 firstTick = -1;
    timer.Tick = [&] {
        if (firstTick < 0)
            firstTick = sinceArmed.elapsed();
    };

    sinceArmed.start();
    timer.setInterval(1000);

    QTRY_VERIFY_WITH_TIMEOUT(firstTick >= 0, 5000);
    QVERIFY2(firstTick >= 1000, qPrintable(QString::number(firstTick)));
}

SKARVEL_TEST_MAIN(TstControlsSimple)
#include "tst_controls_simple.moc"
