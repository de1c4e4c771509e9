#pragma once

#include <QString>

struct CodeType;

// The values the generator reads from its boxes, as lenient numbers.
struct RunRequest
{
    double flag = 0;         // the flag digit; 0 when none is chosen
    double manufacturer = 0; // its last digits make the manufacturer code
    double product = 0;      // the first product code; advances by the interval
    double count = 0;        // codes are made while it stays above 0
    double interval = 0;
};

// Digit k of a box's number, 0 being the units: the units from the number rounded
// half to even, a higher digit from the number divided by 10 to the power k and
// truncated. A negative number gives the digits of its magnitude.
int digitOf(double value, int k);

// The GS1 check digit of a text of decimal digits: weight 3 on the rightmost,
// alternating with 1 leftwards; the digit that brings the sum to a multiple of 10.
int gs1CheckDigit(const QString &dataDigits);

// One code of the type: the flag digit, the last digits of the manufacturer and
// product numbers (left-padded with zeros), and the check digit.
QString upcCode(const CodeType &type, double flag, double manufacturer, double product);

// The most codes one run makes: the largest count the count box takes by typing.
constexpr int maxRunCodes = 9999;

// The run of codes joined by CR LF, without a line break after the last. The
// product number wraps within its width without carrying into the manufacturer
// digits. No code at all for a count of 0 or less or one that is no number, and
// never more than maxRunCodes. The run ends before a code whose flag, manufacturer
// or product value is not finite (an infinite interval ends it after the first).
QString generateRun(const CodeType &type, const RunRequest &request);
