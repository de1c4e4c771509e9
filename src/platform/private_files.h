#pragma once

#include <QByteArray>
#include <QString>

// Folders and files only their owner may read, for what holds a user's logins:
// the Windows browser control keeps them in the user's own profile, which other
// users of the computer cannot open.

// Makes `path` a folder of mode 0700, each missing folder above it too; an
// existing folder is tightened, and everything in it: group and others lose what
// they may do with its files and folders. False when it is no folder afterwards.
bool makePrivateFolder(const QString &path);

// The whole file through an AtomicFile, left with mode 0600. False when nothing
// was replaced.
bool writePrivateFile(const QString &path, const QByteArray &bytes);
