#include "platform/box_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

// Nothing here goes through strtod or printf: the program runs under the user's
// locale (Qt sets it at start), and a German one would read and write commas.

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

int hexDigitValue(QChar c)
{
    if (isAsciiDigit(c))
        return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f')
        return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c.unicode() - u'A' + 10;
    return -1;
}

bool isLenientBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isStrictBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Walks a text from a position; in lenient mode the blanks are invisible.
class Cursor
{
public:
    Cursor(const QString &text, bool skipBlanks)
        : text(text)
        , skipBlanks(skipBlanks)
    {}

    QChar peek()
    {
        if (skipBlanks) {
            while (pos < text.size() && isLenientBlank(text[pos]))
                ++pos;
        }
        return pos < text.size() ? text[pos] : QChar();
    }
    void advance() { ++pos; }

    const QString &text;
    const bool skipBlanks;
    qsizetype pos = 0;
};

// A decimal number as written: sign, the digits around the point, an exponent.
struct Decimal
{
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    long exponent = 0;
};

// Exponents beyond this make every double overflow or vanish alike.
constexpr long exponentCap = 100000;

// Takes sign, digits, point and exponent as far as they go. An exponent marker
// is taken only with digits after it. No value when no mantissa digit was found.
std::optional<Decimal> scanDecimal(Cursor &cursor)
{
    Decimal number;
    if (cursor.peek() == u'+' || cursor.peek() == u'-') {
        number.negative = cursor.peek() == u'-';
        cursor.advance();
    }
    while (isAsciiDigit(cursor.peek())) {
        number.integerDigits += char(cursor.peek().unicode());
        cursor.advance();
    }
    if (cursor.peek() == u'.') {
        cursor.advance();
        while (isAsciiDigit(cursor.peek())) {
            number.fractionDigits += char(cursor.peek().unicode());
            cursor.advance();
        }
    }
    if (number.integerDigits.empty() && number.fractionDigits.empty())
        return std::nullopt;

    const QChar marker = cursor.peek().toUpper();
    if (marker == u'E' || marker == u'D') {
        const qsizetype markerPos = cursor.pos;
        cursor.advance();
        bool negativeExponent = false;
        if (cursor.peek() == u'+' || cursor.peek() == u'-') {
            negativeExponent = cursor.peek() == u'-';
            cursor.advance();
        }
        if (isAsciiDigit(cursor.peek())) {
            long exponent = 0;
            while (isAsciiDigit(cursor.peek())) {
                exponent = std::min(exponentCap, exponent * 10 + (cursor.peek().unicode() - u'0'));
                cursor.advance();
            }
            number.exponent = negativeExponent ? -exponent : exponent;
        } else {
            cursor.pos = markerPos;
        }
    }
    return number;
}

// The double nearest to the decimal; no value when it overflows. A magnitude too
// small for a double reads as zero.
std::optional<double> valueOf(const Decimal &number)
{
    const std::string digits = number.integerDigits + number.fractionDigits;
    const auto firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == std::string::npos)
        return 0.0;

    const std::string text = (number.integerDigits.empty() ? "0" : number.integerDigits) + "." +
                             number.fractionDigits + "e" + std::to_string(number.exponent);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // The decimal exponent of the leading digit tells overflow from underflow.
        const long leadingExponent =
            number.exponent + long(number.integerDigits.size()) - long(firstNonZero) - 1;
        if (leadingExponent > 0)
            return std::nullopt;
        value = 0;
    }
    return number.negative ? -value : value;
}

// "&H" and "&O" numbers: signed 16-bit while they fit in 16 bits, else signed
// 32-bit; more than 32 bits overflow.
std::optional<double> readRadixNumber(Cursor &cursor, int radix)
{
    quint64 value = 0;
    for (;;) {
        const int digit = hexDigitValue(cursor.peek());
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
        cursor.advance();
    }
    if (value <= 0xFFFFu)
        return double(qint16(quint16(value)));
    return double(qint32(quint32(value)));
}

// The 15 significant digits of a magnitude, as "d.dddd…" times ten to `exponent`.
struct SignificantDigits
{
    std::string digits; // exactly 15
    int exponent = 0;
};

SignificantDigits significantDigits(double magnitude)
{
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, 14)
            .ptr;
    const std::string text(buffer, end); // "d.ddddddddddddde±XX"
    const auto e = text.find('e');
    SignificantDigits result;
    result.digits = text.substr(0, 1) + text.substr(2, e - 2);
    result.exponent = std::stoi(text.substr(e + 1));
    return result;
}

// Adds one to a decimal digit string.
void incrementDigits(std::string &digits)
{
    for (auto i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// Windows' numeric formats of zeros ("0.0000", "00000"): the value rounded half
// away from zero at the last decimal, working on its 15-digit decimal text.
QString formatWithZeros(double value, int integerDigits, int decimals)
{
    const SignificantDigits significant = significantDigits(std::fabs(value));
    const int kept = significant.exponent + 1 + decimals; // digits at or above the last decimal
    std::string scaled; // |value| times ten to `decimals`, rounded
    if (kept < 0) {
        scaled = "0";
    } else if (kept == 0) {
        scaled = significant.digits[0] >= '5' ? "1" : "0";
    } else {
        const auto taken = std::min<std::size_t>(kept, significant.digits.size());
        scaled = significant.digits.substr(0, taken);
        scaled.append(kept - taken, '0');
        if (taken < significant.digits.size() && significant.digits[taken] >= '5')
            incrementDigits(scaled);
    }
    scaled.erase(0, std::min(scaled.find_first_not_of('0'), scaled.size() - 1));
    const std::size_t width = std::max(1, integerDigits) + decimals;
    if (scaled.size() < width)
        scaled.insert(0, width - scaled.size(), '0');
    if (decimals > 0)
        scaled.insert(scaled.size() - decimals, 1, '.');
    // A negative that rounds to zero keeps its minus sign, as Windows writes it.
    return QString::fromLatin1(value < 0 ? "-" + scaled : scaled);
}

} // namespace

std::optional<double> tryReadLenient(const QString &text)
{
    Cursor cursor(text, true);
    if (cursor.peek() == u'&') {
        cursor.advance();
        const QChar radix = cursor.peek().toUpper();
        if (radix != u'H' && radix != u'O')
            return 0.0;
        cursor.advance();
        return readRadixNumber(cursor, radix == u'H' ? 16 : 8);
    }
    const std::optional<Decimal> number = scanDecimal(cursor);
    if (!number)
        return 0.0;
    return valueOf(*number);
}

double readLenient(const QString &text)
{
    return tryReadLenient(text).value_or(0.0);
}

std::optional<double> readStrict(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isStrictBlank(text[begin]))
        ++begin;
    while (end > begin && isStrictBlank(text[end - 1]))
        --end;
    const QString inner = text.mid(begin, end - begin);
    Cursor cursor(inner, false);
    const std::optional<Decimal> number = scanDecimal(cursor);
    if (!number || cursor.pos != inner.size())
        return std::nullopt;
    return valueOf(*number);
}

std::optional<QString> plainNumberText(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (value == 0)
        return QStringLiteral("0");

    const SignificantDigits significant = significantDigits(std::fabs(value));
    std::string digits = significant.digits;
    digits.erase(digits.find_last_not_of('0') + 1);
    const int exponent = significant.exponent;

    std::string text = value < 0 ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        text += digits.substr(0, 1);
        if (digits.size() > 1)
            text += "." + digits.substr(1);
        const std::string exponentDigits = std::to_string(std::abs(exponent));
        text += exponent < 0 ? "E-" : "E+";
        text += std::string(exponentDigits.size() < 2 ? 1 : 0, '0') + exponentDigits;
    } else if (exponent >= 0) {
        const std::size_t integerLength = exponent + 1;
        if (digits.size() <= integerLength) {
            text += digits + std::string(integerLength - digits.size(), '0');
        } else {
            text += digits.substr(0, integerLength) + "." + digits.substr(integerLength);
        }
    } else {
        text += "0." + std::string(-exponent - 1, '0') + digits;
    }
    return QString::fromLatin1(text);
}

std::optional<QString> fourDecimals(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    return formatWithZeros(value, 1, 4);
}

QString reformatFourDecimals(const QString &text)
{
    const std::optional<double> value = readStrict(text);
    return value ? formatWithZeros(*value, 1, 4) : text;
}

QString reformatZeroPadded(const QString &text, int width)
{
    const std::optional<double> value = readStrict(text);
    return value ? formatWithZeros(*value, width, 0) : text;
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5)
        return below + 1;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::optional<qint16> toInt16(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        return std::nullopt;
    return qint16(rounded);
}

std::optional<qint32> toInt32(double value)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
        return std::nullopt;
    return qint32(rounded);
}
