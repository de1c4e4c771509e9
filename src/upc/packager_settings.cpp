#include "upc/packager_settings.h"

#include "upc/settings_file.h"

namespace PackagerSettings {

PackagerFields read(const Paths &paths, const PackagerKeys &keys)
{
    const ProfileIni ini = SettingsFile::open(paths);
    const QString &section = SettingsFile::section;
    PackagerFields fields;
    fields.folder = ini.read(section, keys.folder, defaults.folder);
    fields.buyer = ini.read(section, keys.buyer, defaults.buyer);
    fields.count = ini.read(section, keys.count, defaults.count);
    return fields;
}

void write(const Paths &paths, const PackagerKeys &keys, const PackagerFields &fields)
{
    const ProfileIni ini = SettingsFile::open(paths);
    const QString &section = SettingsFile::section;
    ini.write(section, keys.folder, fields.folder);
    ini.write(section, keys.buyer, fields.buyer);
    ini.write(section, keys.count, fields.count);
}

} // namespace PackagerSettings
