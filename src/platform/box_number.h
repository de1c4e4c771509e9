#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

// Numbers live as text in the boxes of the calculators. These are the rules by
// which such text is read and written, the same in every window and in every
// locale: the point is always the decimal separator, and no thousands separator
// is ever read or written.

// Reads the number a text begins with, the lenient way the windows read boxes.
// Space, tab and line feed are skipped wherever they stand (a carriage return is
// not); then a sign, digits with at most one point, and an exponent ("E" or "D",
// either case, with a sign and digits) are taken as far as they go, so "1.2.3"
// reads 1.2 and "12abc" 12. "&H" and "&O" read hexadecimal and octal digits as a
// whole number, signed 16-bit when it fits in four hexadecimal (six octal) digits
// and signed 32-bit otherwise ("&HFFFF" is -1). Text that does not begin with a
// number reads 0. A magnitude beyond the range of a double is an overflow: no
// value.
std::optional<double> tryReadLenient(const QString &text);

// The lenient read with an overflow taken as 0.
double readLenient(const QString &text);

// Reads a text that must be a number as a whole: blanks (space, tab) around it,
// a sign, digits with at most one point (".5" and "5." count), an exponent "E"
// or "D". Empty text, anything else in the text, or an overflow: no value.
std::optional<double> readStrict(const QString &text);

// The plain text of a number: at most 15 significant digits, no trailing zeros,
// "-" for negatives, "0" for zero of either sign. Below 1E-4 and from 1E+15 on
// the magnitude takes the exponent form with at least two exponent digits
// ("1E-05", "1.5E-10", "1E+15"). Infinity and not-a-number are the results of a
// failed computation and have no text.
std::optional<QString> plainNumberText(double value);

// A number in the format "0.0000": at least one digit before the point, exactly
// four after it, rounded half away from zero on the number's 15-digit decimal
// text. A negative that rounds to zero keeps its sign ("-0.0000"), as Windows
// writes it. No text for infinity and not-a-number.
std::optional<QString> fourDecimals(double value);

// A box's own text rewritten in the format "0.0000". Text that is not a number
// as a whole (readStrict) comes back unchanged.
QString reformatFourDecimals(const QString &text);

// A box's own text rewritten in a format of `width` zeros ("00000"): a whole
// number padded on the left with zeros, a longer one keeping all its digits.
// Text that is not a number as a whole comes back unchanged.
QString reformatZeroPadded(const QString &text, int width);

// Rounds to the nearest whole number, a half to the even neighbour
// (0.5 gives 0, 1.5 gives 2, 2.5 gives 2).
double roundHalfEven(double value);

// A number converted to a 16-bit or 32-bit whole number, rounded half to even.
// No value when the rounded number does not fit, and for not-a-number.
std::optional<qint16> toInt16(double value);
std::optional<qint32> toInt32(double value);
