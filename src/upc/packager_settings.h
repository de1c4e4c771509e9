#pragma once

#include <QString>

struct Paths;

// The three fields a packager remembers in the settings file.
struct PackagerFields
{
    QString folder; // source folder
    QString buyer;  // buyer text
    QString count;  // code count
};

// The keys a packager keeps its fields under.
struct PackagerKeys
{
    QString folder;
    QString buyer;
    QString count;
};

namespace PackagerSettings {
inline const PackagerKeys generatorKeys{QStringLiteral("scdbml"), QStringLiteral("scdbzl"),
                                        QStringLiteral("scdbsl")};
inline const PackagerKeys gs1Keys{QStringLiteral("dbml"), QStringLiteral("dbzl"),
                                  QStringLiteral("dbsl")};
// What a missing key (or file) reads as; both packagers share them.
inline const PackagerFields defaults{QStringLiteral("请填写UPC源文件目录"),
                                     QStringLiteral("请填写买家旺旺名及所需UPC数量"),
                                     QStringLiteral("10")};

// Reads the folder, buyer and count keys, in this order.
PackagerFields read(const Paths &paths, const PackagerKeys &keys);
// Writes the folder, buyer and count keys, in this order; a failed write is
// skipped and the next key written.
void write(const Paths &paths, const PackagerKeys &keys, const PackagerFields &fields);
} // namespace PackagerSettings
