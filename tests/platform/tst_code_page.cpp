#include "platform/code_page.h"

#include <QTest>

class TestCodePage : public QObject
{
    Q_OBJECT

private slots:
    void encodesInGbk_data();
    void encodesInGbk();
};

void TestCodePage::encodesInGbk_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("ASCII") << "Text1=abc" << QByteArray("Text1=abc");
    QTest::newRow("Chinese") << QStringLiteral("中文") << QByteArray("\xD6\xD0\xCE\xC4");
    QTest::newRow("character GBK lacks") << QStringLiteral("a\u0E01b") << QByteArray("a?b");
    // The invisible ones become "?" like every other character GBK lacks.
    QTest::newRow("byte order mark") << QStringLiteral("a\uFEFFb") << QByteArray("a?b");
    QTest::newRow("zero-width space")
        << QStringLiteral("中\u200B文") << QByteArray("\xD6\xD0?\xCE\xC4");
    QTest::newRow("variation selector") << QStringLiteral("a\uFE0Fb") << QByteArray("a?b");
    QTest::newRow("word joiner at the end") << QStringLiteral("ab\u2060") << QByteArray("ab?");
    QTest::newRow("surrogate pair is one character")
        << QStringLiteral("a\U0001F600b") << QByteArray("a?b");
    QTest::newRow("emoji and its selector")
        << QStringLiteral("\U0001F600\uFE0F") << QByteArray("??");
    QTest::newRow("lone surrogate") << QString("a") + QChar(0xD800) + "b" << QByteArray("a?b");
    QTest::newRow("lone surrogate at the end") << QString("a") + QChar(0xD83D) << QByteArray("a?");
    QTest::newRow("empty") << QString() << QByteArray();
}

void TestCodePage::encodesInGbk()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(encodeAnsi(text), bytes);
}

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_code_page.moc"
