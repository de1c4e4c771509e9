#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The files directly in `folder` whose names match `pattern` with the Windows
// wildcard rules ("*" and "?", without regard to case, "*.*" also matching names
// without a dot): plain files only, no hidden ones, in ascending name order.
// No value when the folder cannot be listed, or when it holds more entries than
// a 16-bit count can number.
std::optional<QStringList> listFiles(const QString &folder, const QString &pattern);

bool matchesWindowsPattern(const QString &name, const QString &pattern);
