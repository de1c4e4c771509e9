#pragma once

#include <QString>

struct CodeType;

// Positions in the code list count a line break (CR LF) as two characters, so
// code number k of a run begins at k times the type's stride.

// One stride back, never before the first code.
int previousCodeStart(int currentStart, const CodeType &type);

// One stride on, bounded by the last code the count box names, (count - 1) times
// the stride, and by the start of the list's own last code, so the selection
// never runs past the end of the list.
int nextCodeStart(int currentStart, const CodeType &type, double count, const QString &list);

// Where the list's last line that holds text begins; 0 for an empty list.
int lastCodeStart(const QString &list);

// The start product code of a run that continues after `currentCode`: the code's
// product digits (fewer when it is shorter) plus 1, zero-padded to the product
// width; a number with more digits keeps them all.
QString continuedProductCode(const CodeType &type, const QString &currentCode);

// Whether a text can name a file: a code of the digits "0" to "9" only.
bool isDigitCode(const QString &code);

// The how-to text of the code list, lines joined by CR LF, none after the last.
QString howToText();
