#include "platform/code_page.h"
#include "qqgroups/clipboard_text.h"

#include <QTest>

using Replacement = std::optional<QString>;
Q_DECLARE_METATYPE(Replacement)

class TstClipboardText : public QObject
{
    Q_OBJECT
private slots:
    void readBack_data();
    void readBack();
};

void TstClipboardText::readBack_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<Replacement>("replacement");
    QTest::addColumn<QString>("text");

    QTest::newRow("lines as written") << "a   \t1\r\nb   \t2\r\n"
                                      << Replacement() << "a   \t1\r\nb   \t2\r\n";
    QTest::newRow("a last line without its end gets one")
        << "a\r\nb" << Replacement() << "a\r\nb\r\n";
    QTest::newRow("a carriage return alone ends a line") << "a\rb\r\n"
                                                         << Replacement() << "a\r\nb\r\n";
    QTest::newRow("a line feed alone stays in the line") << "a\nb\r\n"
                                                         << Replacement() << "a\nb\r\n";
    QTest::newRow("empty lines stay") << "a\r\n\r\nb\r\n" << Replacement() << "a\r\n\r\nb\r\n";
    QTest::newRow("marker replaced by a tab")
        << "张三       \t1\t   \t111   \t群   \t1\r\n"
        << Replacement("\t") << "张三       \t1\t111   \t群   \t1\r\n";
    QTest::newRow("marker replaced by the mail suffix")
        << "x   \t1\t   \t111\r\n"
        << Replacement("@qq.com\t") << "x   \t1@qq.com\t111\r\n";
    QTest::newRow("nine blanks between tabs hold no marker")
        << "x   \t1\t         \t1\r\n"
        << Replacement("\t") << "x   \t1\t         \t1\r\n";
    QTest::newRow("without replacement the marker stays") << "x\t   \ty\r\n"
                                                          << Replacement() << "x\t   \ty\r\n";
    // The pass after each line runs over the whole text: a marker that the first
    // pass forms is replaced by the pass of the next line, and only then.
    QTest::newRow("a marker formed by a replacement waits for the next line")
        << "a\t   \t   \tb\r\n"
        << Replacement("\t") << "a\t   \tb\r\n";
    QTest::newRow("and goes with the next line's pass") << "a\t   \t   \tb\r\nc\r\n"
                                                        << Replacement("\t") << "a\tb\r\nc\r\n";
}

void TstClipboardText::readBack()
{
    QFETCH(QString, file);
    QFETCH(Replacement, replacement);
    QFETCH(QString, text);
    QCOMPARE(clipboardText(encodeAnsi(file), replacement), text);
}

QTEST_GUILESS_MAIN(TstClipboardText)
#include "tst_clipboard_text.moc"
