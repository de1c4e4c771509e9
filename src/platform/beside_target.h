#pragma once

#include <QByteArray>
#include <QString>

// The hidden files a write keeps beside its target for a while: named after the
// target, so what a killed writer left there is found by the next write of it.

// The file the path names, links followed: the link stays a link, and the files
// beside the target are made beside the file that is written.
QString followLinks(const QString &path);

// ".<name><suffix>" in the target's folder. A name within a few bytes of the
// 255-byte limit leaves no room for the suffix, so it is cut on a character
// boundary and told apart from other names that begin alike by a hash of the
// whole name ("<cut>~1f2e3d4c"); the same target always gets the same name.
QString hiddenNameBeside(const QString &target, const QString &suffix);

// Whether the open file is still the regular file of that name: a writer that
// renamed or removed it between our open and our lock leaves us a file that no
// longer stands beside the target under that name.
bool stillNamed(int descriptor, const QByteArray &name);

// The open file, opened again for reading and writing where the user may, else
// the descriptor as it was; for a lock on a file opened only to read. A network
// file system's flock (NFS emulates it with byte-range locks) takes an exclusive
// lock only through a descriptor open for writing. Reopened through the open
// descriptor, never the name, and only when it is a regular file with no second
// name, so the file reopened is the one already opened; nothing is written to it.
int reopenedForLocking(int descriptor);
