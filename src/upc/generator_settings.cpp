#include "upc/generator_settings.h"

#include "upc/settings_file.h"

namespace GeneratorSettings {

namespace {

const QString codeTypeKey = QStringLiteral("upclx");
const QString flagDigitKey = QStringLiteral("upcqm");
const QString manufacturerKey = QStringLiteral("upccsdm");
const QString productKey = QStringLiteral("upcspdm");
const QString countKey = QStringLiteral("upcsl");
const QString intervalKey = QStringLiteral("upcjg");

} // namespace

GeneratorFields read(const Paths &paths)
{
    const ProfileIni ini = SettingsFile::open(paths);
    const QString &section = SettingsFile::section;
    GeneratorFields fields;
    fields.codeType = ini.read(section, codeTypeKey, defaults.codeType);
    fields.flagDigit = ini.read(section, flagDigitKey, defaults.flagDigit);
    fields.manufacturer = ini.read(section, manufacturerKey, defaults.manufacturer);
    fields.product = ini.read(section, productKey, defaults.product);
    fields.count = ini.read(section, countKey, defaults.count);
    fields.interval = ini.read(section, intervalKey, defaults.interval);
    return fields;
}

void write(const Paths &paths, const GeneratorFields &fields)
{
    const ProfileIni ini = SettingsFile::open(paths);
    const QString &section = SettingsFile::section;
    ini.write(section, codeTypeKey, fields.codeType);
    ini.write(section, flagDigitKey, fields.flagDigit);
    ini.write(section, manufacturerKey, fields.manufacturer);
    ini.write(section, productKey, fields.product);
    ini.write(section, countKey, fields.count);
    ini.write(section, intervalKey, fields.interval);
}

} // namespace GeneratorSettings
