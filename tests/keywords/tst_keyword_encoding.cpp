#include "keywords/keyword_encoding.h"

#include <QStringDecoder>
#include <QTest>

class TestKeywordEncoding : public QObject
{
    Q_OBJECT

private slots:
    void encoding_data();
    void encoding();
    void escaping_data();
    void escaping();
};

void TestKeywordEncoding::encoding_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("encoded");

    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blank passes unescaped") << "phone case"
                                            << "phone case";
    QTest::newRow("query characters pass unescaped") << "a&b#c+d%e"
                                                     << "a&b#c+d%e";
    QTest::newRow("letters keep their case") << "AbC?x=1"
                                             << "AbC?x=1";
    QTest::newRow("accented latin") << u"café"_qs << "caf%C3%A9";
    QTest::newRow("cyrillic") << u"Я"_qs << "%D0%AF";
    QTest::newRow("chinese") << u"手机壳"_qs << "%E6%89%8B%E6%9C%BA%E5%A3%B3";
    QTest::newRow("U+007F stays") << QString(QChar(0x7F)) << QString(QChar(0x7F));
    QTest::newRow("U+0080") << QString(QChar(0x80)) << "%C2%80";
    QTest::newRow("U+07FF") << QString(QChar(0x7FF)) << "%DF%BF";
    QTest::newRow("U+0800") << QString(QChar(0x800)) << "%E0%A0%80";
    QTest::newRow("U+FFFF") << QString(QChar(0xFFFF)) << "%EF%BF%BF";
    QTest::newRow("full-width digit") << u"１"_qs << "%EF%BC%91";
    QTest::newRow("character beyond U+FFFF as one sequence") << u"😀"_qs << "%F0%9F%98%80";
    QTest::newRow("replacement character") << QString(QChar(0xFFFD)) << "%EF%BF%BD";
    // Half of a pair alone has no UTF-8 form: it goes as U+FFFD.
    QTest::newRow("lone high surrogate") << QString(QChar(0xD800)) << "%EF%BF%BD";
    QTest::newRow("lone low surrogate") << QString(QChar(0xDC00)) << "%EF%BF%BD";
    QTest::newRow("high surrogate at the end") << "a" + QString(QChar(0xD83D)) << "a%EF%BF%BD";
    QTest::newRow("high surrogate before a letter") << QString(QChar(0xD83D)) + "x"
                                                    << "%EF%BF%BDx";
    QTest::newRow("high surrogate before a pair")
        << QString(QChar(0xD83D)) + u"😀"_qs << "%EF%BF%BD%F0%9F%98%80";
    QTest::newRow("low surrogate before a high one")
        << QString(QChar(0xDE00)) + QChar(0xD83D) << "%EF%BF%BD%EF%BF%BD";
}

void TestKeywordEncoding::encoding()
{
    QFETCH(QString, keyword);
    QFETCH(QString, encoded);
    QCOMPARE(GBtoUTF8(keyword), encoded);
    // What a service reads back is UTF-8 through and through.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString readBack = utf8(QByteArray::fromPercentEncoding(encoded.toLatin1()));
    QVERIFY2(!utf8.hasError(), qPrintable(readBack));
}

void TestKeywordEncoding::escaping_data()
{
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("escaped");

    QTest::newRow("ampersand") << "m&m"
                               << "m%26m";
    QTest::newRow("plus") << "c++"
                          << "c%2B%2B";
    QTest::newRow("hash and blank") << "c# book"
                                    << "c%23%20book";
    QTest::newRow("percent") << "100%"
                             << "100%25";
    QTest::newRow("already escaped text is escaped again") << "a%20b"
                                                           << "a%2520b";
    QTest::newRow("other ASCII stays") << "a?b=c/d"
                                       << "a?b=c/d";
    QTest::newRow("every other character a query holds stays") << "aZ09-._~!$'()*,;=:@/?"
                                                               << "aZ09-._~!$'()*,;=:@/?";
    QTest::newRow("inch mark") << "10\" tablet"
                               << "10%22%20tablet";
    QTest::newRow("characters no URL holds raw") << "\"<>\\^`{|}[]"
                                                 << "%22%3C%3E%5C%5E%60%7B%7C%7D%5B%5D";
    QTest::newRow("brackets in a keyword") << "[new] {2 pcs} a|b"
                                           << "%5Bnew%5D%20%7B2%20pcs%7D%20a%7Cb";
    QTest::newRow("tab") << "red\tshoes"
                         << "red%09shoes";
    QTest::newRow("line breaks") << "a\r\nb"
                                 << "a%0D%0Ab";
    QTest::newRow("NUL") << QString(QChar(0)) << "%00";
    QTest::newRow("U+001F, upper-case digits") << QString(QChar(0x1F)) << "%1F";
    QTest::newRow("U+007F") << "a" + QString(QChar(0x7F)) << "a%7F";
    QTest::newRow("U+0021 stays") << "!"
                                  << "!";
    QTest::newRow("non-ASCII stays for the encoding") << u"手机 壳"_qs << u"手机%20壳"_qs;
    QTest::newRow("empty") << ""
                           << "";
}

void TestKeywordEncoding::escaping()
{
    QFETCH(QString, keyword);
    QFETCH(QString, escaped);
    QCOMPARE(escapeQueryCharacters(keyword), escaped);
}

QTEST_APPLESS_MAIN(TestKeywordEncoding)
#include "tst_keyword_encoding.moc"
