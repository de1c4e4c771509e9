#include "platform/dialogs.h"
#include "support/test_main.h"

#include <QApplication>
#include <QInputDialog>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace {

// Runs `answer` on the modal box once it is open, from within its own loop; a box a
// failed answer left open is closed, so the test goes on.
void whenTheBoxIsOpen(const std::function<void(QWidget *box)> &answer)
{
    auto *waiting = new QTimer;
    waiting->setInterval(10);
    QObject::connect(waiting, &QTimer::timeout, [waiting, answer] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box || !box->isVisible())
            return;
        waiting->stop();
        waiting->deleteLater();
        answer(box);
        if (QTest::currentTestFailed() && box->isVisible())
            box->close();
    });
    waiting->start();
}

QPushButton *buttonOf(QWidget *box, const QString &text)
{
    for (QPushButton *button : box->findChildren<QPushButton *>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

} // namespace

class TstDialogs : public QObject
{
    Q_OBJECT
private slots:
    void inputBoxReturnsWhatWasTyped_data();
    void inputBoxReturnsWhatWasTyped();
};

void TstDialogs::inputBoxReturnsWhatWasTyped_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<std::optional<QString>>("result");

    QTest::newRow("Enter") << "Enter" << std::optional<QString>("卖家交流群");
    QTest::newRow("keypad Enter") << "keypad Enter" << std::optional<QString>("卖家交流群");
    QTest::newRow("click on 确定") << "确定" << std::optional<QString>("卖家交流群");
    QTest::newRow("Escape") << "Escape" << std::optional<QString>();
    QTest::newRow("click on 取消") << "取消" << std::optional<QString>();
}

// Typed as a Chinese input method types: the text comes as one committed string;
// answered by the keys and by the mouse.
void TstDialogs::inputBoxReturnsWhatWasTyped()
{
    QFETCH(QString, answer);
    QFETCH(std::optional<QString>, result);
    MessageBoxDialogs dialogs;
    QString title;
    QString label;
    QString shownText;
    bool plainLabel = false;
    bool parentless = false;
    bool answered = false;
    whenTheBoxIsOpen([&](QWidget *box) {
        answered = true;
        title = box->windowTitle();
        parentless = box->parentWidget() == nullptr;
        if (QLabel *shown = box->findChild<QLabel *>()) {
            label = shown->text();
            plainLabel = shown->textFormat() == Qt::PlainText;
        }
        auto *line = box->findChild<QLineEdit *>();
        QVERIFY(line);
        QCOMPARE(box->focusWidget(), line);
        // The default text comes selected, so typing replaces it.
        shownText = line->selectedText();
        QInputMethodEvent composing;
        composing.setCommitString(QStringLiteral("卖家交流群"));
        QCoreApplication::sendEvent(line, &composing);
        if (answer == "Enter")
            QTest::keyClick(line, Qt::Key_Return);
        else if (answer == "keypad Enter")
            QTest::keyClick(line, Qt::Key_Enter, Qt::KeypadModifier);
        else if (answer == "Escape")
            QTest::keyClick(line, Qt::Key_Escape);
        else
            QTest::mouseClick(buttonOf(box, answer), Qt::LeftButton);
    });

    const std::optional<QString> got = dialogs.inputBox("<b>群名</b>：", "来自网页的消息", "默认");

    QVERIFY(answered);
    QCOMPARE(got.has_value(), result.has_value());
    if (result)
        QCOMPARE(*got, *result);
    QCOMPARE(shownText, QString("默认"));
    QCOMPARE(title, QString("来自网页的消息"));
    QCOMPARE(label, QString("<b>群名</b>："));
    QVERIFY(plainLabel); // a page's text is never read as markup
    // Never a child of any window, so no window's end can free it while it is open.
    QVERIFY(parentless);
}

SKARVEL_TEST_MAIN(TstDialogs)
#include "tst_dialogs.moc"
