#pragma once

#include <QString>

struct Paths;

// The six generator fields the main window remembers in the settings file, as
// the texts of their boxes.
struct GeneratorFields
{
    QString codeType;     // upclx
    QString flagDigit;    // upcqm
    QString manufacturer; // upccsdm
    QString product;      // upcspdm
    QString count;        // upcsl
    QString interval;     // upcjg
};

namespace GeneratorSettings {
// What a missing key (or file) reads as. The count's default is not the count
// box's design text "1".
inline const GeneratorFields defaults{QStringLiteral("UPC-12位"), QStringLiteral("5"), {}, {},
                                      QStringLiteral("10"),       QStringLiteral("1")};

// Reads the six keys in the order of the fields.
GeneratorFields read(const Paths &paths);
// Writes the six keys in the order of the fields. A key that cannot be written
// is lost without a report, like the rest of a failed write.
void write(const Paths &paths, const GeneratorFields &fields);
} // namespace GeneratorSettings
