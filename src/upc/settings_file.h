#pragma once

#include "platform/profile_ini.h"

#include <QString>

struct Paths;

// The settings file in the program folder, with copies under the profile's
// document folders. Every remembered field is a key of one section.
namespace SettingsFile {
inline const QString fileName = QStringLiteral("orvo_upc.ini");
inline const QString section = QStringLiteral("ACPW");

ProfileIni open(const Paths &paths);
} // namespace SettingsFile
