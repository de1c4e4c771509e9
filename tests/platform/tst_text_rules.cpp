#include "platform/text_rules.h"

#include <QTest>

class TestTextRules : public QObject
{
    Q_OBJECT

private slots:
    void split_data();
    void split();
    void inStr_data();
    void inStr();
    void mid_data();
    void mid();
    void replace_data();
    void replace();
    void trim_data();
    void trim();
    void ansiLength_data();
    void ansiLength();
};

void TestTextRules::split_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("empty text has no pieces") << ""
                                              << "," << QStringList();
    QTest::newRow("empty text and delimiter") << ""
                                              << "" << QStringList();
    QTest::newRow("no delimiter in the text") << "abc"
                                              << "," << QStringList{"abc"};
    QTest::newRow("empty delimiter gives the whole text") << "a,b"
                                                          << "" << QStringList{"a,b"};
    QTest::newRow("every occurrence") << "a,b,c"
                                      << "," << QStringList{"a", "b", "c"};
    QTest::newRow("adjacent delimiters give an empty piece") << "a,,b"
                                                             << "," << QStringList{"a", "", "b"};
    QTest::newRow("delimiter at both ends") << ",a,"
                                            << "," << QStringList{"", "a", ""};
    QTest::newRow("text that is the delimiter") << ","
                                                << "," << QStringList{"", ""};
    QTest::newRow("marker of several characters") << "x</td><td>1</td><td>2"
                                                  << "</td><td>" << QStringList{"x", "1", "2"};
    QTest::newRow("case-sensitive") << "aXbxc"
                                    << "x" << QStringList{"aXb", "c"};
    QTest::newRow("no overlap") << "aaaa"
                                << "aa" << QStringList{"", "", ""};
}

void TestTextRules::split()
{
    QFETCH(QString, text);
    QFETCH(QString, delimiter);
    QFETCH(QStringList, pieces);

    QCOMPARE(Split(text, delimiter), pieces);
}

void TestTextRules::inStr_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<std::optional<int>>("position");

    using Pos = std::optional<int>;
    QTest::newRow("found at the start") << 1 << "abcabc"
                                        << "abc" << Pos(1);
    QTest::newRow("found after the start") << 2 << "abcabc"
                                           << "abc" << Pos(4);
    QTest::newRow("not found") << 1 << "abc"
                               << "x" << Pos(0);
    QTest::newRow("case-sensitive") << 1 << "ABC"
                                    << "b" << Pos(0);
    QTest::newRow("start beyond the text") << 4 << "abc"
                                           << "c" << Pos(0);
    QTest::newRow("empty find is found at start") << 2 << "abc"
                                                  << "" << Pos(2);
    QTest::newRow("empty find just after the text") << 4 << "abc"
                                                    << "" << Pos(4);
    QTest::newRow("empty find beyond the text") << 5 << "abc"
                                                << "" << Pos(0);
    QTest::newRow("nothing is found in an empty text") << 1 << ""
                                                       << "" << Pos(0);
    QTest::newRow("Chinese text counts characters") << 1 << "1美元=6.3人民币"
                                                    << "人民币" << Pos(8);
    QTest::newRow("start before the text fails") << 0 << "abc"
                                                 << "a" << Pos();
}

void TestTextRules::inStr()
{
    QFETCH(int, start);
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(std::optional<int>, position);

    QCOMPARE(InStr(start, text, find), position);
    if (start == 1)
        QCOMPARE(InStr(text, find), *position);
}

void TestTextRules::mid_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<std::optional<QString>>("piece");

    using Piece = std::optional<QString>;
    const int toEnd = -1;
    QTest::newRow("from a position to the end") << "012345678901" << 7 << toEnd << Piece("678901");
    QTest::newRow("product digits of a 12-digit code")
        << "012345000428" << 7 << 5 << Piece("00042");
    QTest::newRow("fewer characters when the text is shorter")
        << "01234567" << 7 << 5 << Piece("67");
    QTest::newRow("start beyond the text") << "abc" << 5 << 2 << Piece("");
    QTest::newRow("zero length") << "abc" << 2 << 0 << Piece("");
    QTest::newRow("start before the text fails") << "abc" << 0 << 2 << Piece();
    QTest::newRow("start before the text fails to the end") << "abc" << 0 << toEnd << Piece();
}

void TestTextRules::mid()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(std::optional<QString>, piece);

    QCOMPARE(length < 0 ? Mid(text, start) : Mid(text, start, length), piece);
}

void TestTextRules::replace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("with");
    QTest::addColumn<QString>("expected");

    QTest::newRow("every occurrence") << "a,b,c"
                                      << ","
                                      << ", "
                                      << "a, b, c";
    QTest::newRow("left to right without overlap") << "aaa"
                                                   << "aa"
                                                   << "b"
                                                   << "ba";
    QTest::newRow("replacement not searched again") << "ab"
                                                    << "a"
                                                    << "aa"
                                                    << "aab";
    QTest::newRow("case-sensitive") << "Ab ab"
                                    << "ab"
                                    << "x"
                                    << "Ab x";
    QTest::newRow("empty find changes nothing") << "abc"
                                                << ""
                                                << "x"
                                                << "abc";
    QTest::newRow("empty text stays empty") << ""
                                            << "a"
                                            << "b"
                                            << "";
    QTest::newRow("remove") << "\t   \t1"
                            << "\t   \t"
                            << ""
                            << "1";
}

void TestTextRules::replace()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, with);
    QFETCH(QString, expected);

    QCOMPARE(Replace(text, find, with), expected);
}

void TestTextRules::trim_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("spaces both sides") << "  ab c  "
                                       << "ab c";
    QTest::newRow("tabs stay") << "\t a \t"
                               << "\t a \t";
    QTest::newRow("full-width space stays") << "\u3000a"
                                            << "\u3000a";
    QTest::newRow("spaces only") << "   "
                                 << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestTextRules::trim()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);

    QCOMPARE(Trim(text), expected);
}

void TestTextRules::ansiLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qsizetype>("bytes");

    QTest::newRow("ASCII") << "abc" << qsizetype(3);
    QTest::newRow("Chinese counts two bytes") << "卖家群" << qsizetype(6);
    QTest::newRow("mixed") << "QQ群1" << qsizetype(5);
    QTest::newRow("character the code page lacks") << "\uD55C" << qsizetype(1);
    QTest::newRow("empty") << "" << qsizetype(0);
}

void TestTextRules::ansiLength()
{
    QFETCH(QString, text);
    QFETCH(qsizetype, bytes);

    QCOMPARE(ansiByteLength(text), bytes);
}

QTEST_GUILESS_MAIN(TestTextRules)
#include "tst_text_rules.moc"
