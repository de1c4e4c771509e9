#include "upc/settings_file.h"

#include "platform/paths.h"

#include <QDir>

ProfileIni SettingsFile::open(const Paths &paths)
{
    return ProfileIni(QDir(paths.programDir).filePath(fileName));
}
