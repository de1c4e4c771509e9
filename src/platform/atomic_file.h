#pragma once

#include <QByteArray>
#include <QString>

// Writes the whole file to a new file beside it and renames it into place, so
// the old file stays whole when anything fails. False when nothing was replaced.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);
