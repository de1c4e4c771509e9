#pragma once

#include <QString>
#include <QStringList>

// One row of the code types the generator makes. A code is the flag digit, the
// manufacturer digits, the product digits and the check digit, in this order.
struct CodeType
{
    QString name;          // the item text of the code type list
    int codeWidth;         // characters of a whole code
    int manufacturerWidth; // also the manufacturer box's typing limit
    int productWidth;      // also the start product box's typing limit
    bool hasBarcode;       // previewed and exported as a barcode picture

    // Codes in the list are separated by CR LF, so each begins two characters
    // after the end of the one before.
    int stride() const { return codeWidth + 2; }
    // The 1-based character position of the first product digit in a code.
    int productFirst() const { return 2 + manufacturerWidth; }
};

// The code type named exactly `name`, or nullptr for any other text.
const CodeType *findCodeType(const QString &name);

// The type names in the order of the code type list.
QStringList codeTypeNames();
