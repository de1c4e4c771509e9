#include "platform/box_number.h"

#include <QLocale>
#include <QTest>
#include <clocale>
#include <cmath>
#include <limits>

class TestBoxNumber : public QObject
{
    Q_OBJECT

private slots:
    void lenientRead_data();
    void lenientRead();
    void lenientOverflow_data();
    void lenientOverflow();
    void strictRead_data();
    void strictRead();
    void plainText_data();
    void plainText();
    void plainTextOfFailedComputation();
    void fourDecimalsOfText_data();
    void fourDecimalsOfText();
    void fourDecimalsOfValue_data();
    void fourDecimalsOfValue();
    void zeroPadded_data();
    void zeroPadded();
    void halfToEven_data();
    void halfToEven();
    void sameUnderGermanLocale();
};

void TestBoxNumber::lenientRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("whole number") << "12" << 12.0;
    QTest::newRow("space inside the number") << "1 2" << 12.0;
    QTest::newRow("tab and line feed anywhere") << "\t1\n2 . 5" << 12.5;
    QTest::newRow("carriage return stops the number") << "1\r2" << 1.0;
    QTest::newRow("carriage return before the number") << "\r12" << 0.0;
    QTest::newRow("minus sign") << "-9.5" << -9.5;
    QTest::newRow("plus sign") << "+4.5" << 4.5;
    QTest::newRow("blank after the sign") << "- 3" << -3.0;
    QTest::newRow("two signs") << "--3" << 0.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("letters stop") << "12abc" << 12.0;
    QTest::newRow("point first") << ".5" << 0.5;
    QTest::newRow("point last") << "5." << 5.0;
    QTest::newRow("exponent E") << "1.5E3" << 1500.0;
    QTest::newRow("exponent lower-case e with sign") << "25e-2" << 0.25;
    QTest::newRow("exponent D") << "2D2" << 200.0;
    QTest::newRow("exponent lower-case d") << "2d+1" << 20.0;
    QTest::newRow("exponent without digits") << "1E" << 1.0;
    QTest::newRow("exponent sign without digits") << "1E-x" << 1.0;
    QTest::newRow("plain exponent text reads back") << "1.5E-10" << 1.5e-10;
    QTest::newRow("tiny magnitude vanishes") << "1E-400" << 0.0;
    QTest::newRow("zero with huge exponent") << "0E99999" << 0.0;
    QTest::newRow("hexadecimal") << "&HFF" << 255.0;
    QTest::newRow("hexadecimal lower case") << "&hff" << 255.0;
    QTest::newRow("hexadecimal 16-bit wraps") << "&HFFFF" << -1.0;
    QTest::newRow("hexadecimal 16-bit lowest") << "&H8000" << -32768.0;
    QTest::newRow("hexadecimal beyond 16 bits") << "&H10000" << 65536.0;
    QTest::newRow("hexadecimal 32-bit wraps") << "&HFFFFFFFF" << -1.0;
    QTest::newRow("hexadecimal stops at a non-digit") << "&H1G" << 1.0;
    QTest::newRow("hexadecimal without digits") << "&H" << 0.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O178" << 15.0;
    QTest::newRow("octal 16-bit wraps") << "&O177777" << -1.0;
    QTest::newRow("ampersand alone") << "&5" << 0.0;
    QTest::newRow("empty text") << "" << 0.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("lone minus") << "-" << 0.0;
    QTest::newRow("not a number") << "送不到" << 0.0;
    QTest::newRow("full-width digits are no digits") << "１２" << 0.0;
}

void TestBoxNumber::lenientRead()
{
    QFETCH(QString, text);
    QFETCH(double, expected);

    QCOMPARE(readLenient(text), expected);
    QCOMPARE(tryReadLenient(text), std::optional<double>(expected));
}

void TestBoxNumber::lenientOverflow_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("huge exponent") << "1E400";
    QTest::newRow("negative huge exponent") << "-1D999";
    QTest::newRow("300 digits and more") << QString(400, u'9');
    QTest::newRow("hexadecimal beyond 32 bits") << "&H100000000";
}

void TestBoxNumber::lenientOverflow()
{
    QFETCH(QString, text);

    QCOMPARE(tryReadLenient(text), std::nullopt);
    QCOMPARE(readLenient(text), 0.0);
}

void TestBoxNumber::strictRead_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<double>>("expected");

    QTest::newRow("whole number") << "12" << std::optional(12.0);
    QTest::newRow("blanks around") << " \t6.5 \t" << std::optional(6.5);
    QTest::newRow("signs") << "-0.25" << std::optional(-0.25);
    QTest::newRow("point first") << ".5" << std::optional(0.5);
    QTest::newRow("point last") << "5." << std::optional(5.0);
    QTest::newRow("exponent") << "1e5" << std::optional(1e5);
    QTest::newRow("plain exponent text") << "1.5E-10" << std::optional(1.5e-10);
    QTest::newRow("zero written two ways") << "00" << std::optional(0.0);
    QTest::newRow("empty text") << "" << std::optional<double>();
    QTest::newRow("blanks only") << "  " << std::optional<double>();
    QTest::newRow("lone point") << "." << std::optional<double>();
    QTest::newRow("second point") << "6..1" << std::optional<double>();
    QTest::newRow("letters after digits") << "12abc" << std::optional<double>();
    QTest::newRow("blank inside") << "1 2" << std::optional<double>();
    QTest::newRow("exponent without digits") << "1E" << std::optional<double>();
    QTest::newRow("comma") << "1,5" << std::optional<double>();
    QTest::newRow("not a number") << "送不到" << std::optional<double>();
    QTest::newRow("infinity spelled out") << "inf" << std::optional<double>();
    QTest::newRow("not-a-number spelled out") << "nan" << std::optional<double>();
    QTest::newRow("overflow") << "1E400" << std::optional<double>();
}

void TestBoxNumber::strictRead()
{
    QFETCH(QString, text);
    QFETCH(std::optional<double>, expected);

    QCOMPARE(readStrict(text), expected);
}

void TestBoxNumber::plainText_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole number") << 3.0 << "3";
    QTest::newRow("one decimal") << 4.5 << "4.5";
    QTest::newRow("negative") << -9.5 << "-9.5";
    QTest::newRow("fee of 21.99 at 15 percent") << 21.99 * 15 * 0.01 << "3.2985";
    QTest::newRow("sum that binary cannot hold") << 0.1 + 0.2 << "0.3";
    QTest::newRow("15 significant digits") << 141.0 / 13.0 << "10.8461538461538";
    QTest::newRow("negative division") << -19.0 / 13.0 << "-1.46153846153846";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("largest fixed form") << 999999999999999.0 << "999999999999999";
    QTest::newRow("rounds up into exponent form") << 999999999999999.9 << "1E+15";
    QTest::newRow("1E+15") << 1e15 << "1E+15";
    QTest::newRow("large with mantissa") << 1.25e20 << "1.25E+20";
    QTest::newRow("three exponent digits") << 1e100 << "1E+100";
    QTest::newRow("smallest fixed form") << 0.0001 << "0.0001";
    QTest::newRow("below 1E-4") << 0.00001 << "1E-05";
    QTest::newRow("small with mantissa") << 1.5e-10 << "1.5E-10";
    QTest::newRow("negative small") << -2.5e-7 << "-2.5E-07";
    QTest::newRow("trailing zeros of a whole number kept") << 1200.0 << "1200";
}

void TestBoxNumber::plainText()
{
    QFETCH(double, value);
    QFETCH(QString, expected);

    QCOMPARE(plainNumberText(value), std::optional(expected));
}

void TestBoxNumber::plainTextOfFailedComputation()
{
    QCOMPARE(plainNumberText(1.0 / 0.0), std::nullopt);
    QCOMPARE(plainNumberText(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    QCOMPARE(fourDecimals(-1.0 / 0.0), std::nullopt);
}

void TestBoxNumber::fourDecimalsOfText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one decimal") << "40.5"
                                 << "40.5000";
    QTest::newRow("whole number") << "3"
                                  << "3.0000";
    QTest::newRow("negative 15-digit text") << "-1.46153846153846"
                                            << "-1.4615";
    QTest::newRow("rounds up") << "10.8461538461538"
                               << "10.8462";
    QTest::newRow("half rounds away from zero") << "2.00005"
                                                << "2.0001";
    QTest::newRow("negative half rounds away from zero") << "-2.00005"
                                                         << "-2.0001";
    QTest::newRow("carry into the whole part") << "9.99995"
                                               << "10.0000";
    QTest::newRow("digit before the point") << ".5"
                                            << "0.5000";
    QTest::newRow("tiny number") << "1.5E-10"
                                 << "0.0000";
    QTest::newRow("half of the last decimal") << "0.00005"
                                              << "0.0001";
    QTest::newRow("negative rounding to zero keeps its sign") << "-0.00001"
                                                              << "-0.0000";
    QTest::newRow("zero") << "0"
                          << "0.0000";
    QTest::newRow("large number in exponent form") << "1E+15"
                                                   << "1000000000000000.0000";
    QTest::newRow("blanks around") << " 7 "
                                   << "7.0000";
    QTest::newRow("already formatted") << "3.2985"
                                       << "3.2985";
    QTest::newRow("not a number passes") << "送不到"
                                         << "送不到";
    QTest::newRow("empty text passes") << ""
                                       << "";
    QTest::newRow("leading number only passes") << "12abc"
                                                << "12abc";
}

void TestBoxNumber::fourDecimalsOfText()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);

    QCOMPARE(reformatFourDecimals(text), expected);
}

void TestBoxNumber::fourDecimalsOfValue_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("fee of 21.99 at 15 percent") << 21.99 * 15 * 0.01 << "3.2985";
    QTest::newRow("negative division") << -19.0 / 13.0 << "-1.4615";
    QTest::newRow("binary just below a half") << 1.00005 << "1.0001";
    QTest::newRow("negative zero") << -0.0 << "0.0000";
}

void TestBoxNumber::fourDecimalsOfValue()
{
    QFETCH(double, value);
    QFETCH(QString, expected);

    QCOMPARE(fourDecimals(value), std::optional(expected));
}

void TestBoxNumber::zeroPadded_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");

    QTest::newRow("padded on the left") << "43" << 5 << "00043";
    QTest::newRow("longer number keeps its digits") << "123456" << 3 << "123456";
    QTest::newRow("fraction rounds half away from zero") << "12.5" << 3 << "013";
    QTest::newRow("negative") << "-5" << 3 << "-005";
    QTest::newRow("not a number passes") << "abc" << 5 << "abc";
}

void TestBoxNumber::zeroPadded()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);

    QCOMPARE(reformatZeroPadded(text, width), expected);
}

void TestBoxNumber::halfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::addColumn<std::optional<qint16>>("int16");
    QTest::addColumn<std::optional<qint32>>("int32");

    using I16 = std::optional<qint16>;
    using I32 = std::optional<qint32>;
    QTest::newRow("0.5 to 0") << 0.5 << 0.0 << I16(0) << I32(0);
    QTest::newRow("1.5 to 2") << 1.5 << 2.0 << I16(2) << I32(2);
    QTest::newRow("2.5 to 2") << 2.5 << 2.0 << I16(2) << I32(2);
    QTest::newRow("-2.5 to -2") << -2.5 << -2.0 << I16(-2) << I32(-2);
    QTest::newRow("-1.5 to -2") << -1.5 << -2.0 << I16(-2) << I32(-2);
    QTest::newRow("2.6 to 3") << 2.6 << 3.0 << I16(3) << I32(3);
    QTest::newRow("-2.4 to -2") << -2.4 << -2.0 << I16(-2) << I32(-2);
    QTest::newRow("16-bit top") << 32767.0 << 32767.0 << I16(32767) << I32(32767);
    QTest::newRow("16-bit top rounds out") << 32767.5 << 32768.0 << I16() << I32(32768);
    QTest::newRow("16-bit bottom half stays in")
        << -32768.5 << -32768.0 << I16(-32768) << I32(-32768);
    QTest::newRow("16-bit bottom rounds out") << -32769.0 << -32769.0 << I16() << I32(-32769);
    QTest::newRow("delay 1.5 s in ms") << 1.5 * 1000 << 1500.0 << I16(1500) << I32(1500);
    QTest::newRow("32-bit top") << 2147483647.0 << 2147483647.0 << I16() << I32(2147483647);
    QTest::newRow("32-bit top rounds out") << 2147483647.5 << 2147483648.0 << I16() << I32();
    QTest::newRow("32-bit bottom")
        << -2147483648.0 << -2147483648.0 << I16() << I32(-2147483647 - 1);
}

void TestBoxNumber::halfToEven()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QFETCH(std::optional<qint16>, int16);
    QFETCH(std::optional<qint32>, int32);

    QCOMPARE(roundHalfEven(value), rounded);
    QCOMPARE(toInt16(value), int16);
    QCOMPARE(toInt32(value), int32);
}

void TestBoxNumber::sameUnderGermanLocale()
{
    const QLocale previousDefault;
    const std::string previousLocale = std::setlocale(LC_ALL, nullptr);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const bool systemLocaleSet = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;

    const double lenient = readLenient("1.5");
    const std::optional<double> strictPoint = readStrict("2.25");
    const std::optional<double> strictComma = readStrict("2,25");
    const std::optional<QString> plain = plainNumberText(21.99 * 15 * 0.01);
    const std::optional<QString> small = plainNumberText(1.5e-10);
    const QString formatted = reformatFourDecimals("40.5");

    std::setlocale(LC_ALL, previousLocale.c_str());
    QLocale::setDefault(previousDefault);

    QCOMPARE(lenient, 1.5);
    QCOMPARE(strictPoint, std::optional(2.25));
    QCOMPARE(strictComma, std::nullopt);
    QCOMPARE(plain, std::optional<QString>("3.2985"));
    QCOMPARE(small, std::optional<QString>("1.5E-10"));
    QCOMPARE(formatted, "40.5000");
    if (!systemLocaleSet)
        qInfo("de_DE.UTF-8 is not installed; only Qt's default locale was German");
}

QTEST_GUILESS_MAIN(TestBoxNumber)
#include "tst_box_number.moc"
