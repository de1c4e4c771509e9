#pragma once

#include <QByteArray>
#include <QString>

// A file written whole beside its target and renamed into place, so the target
// never holds half a file and the old one stays whole when anything fails.
//
// The file beside the target has a fixed hidden name made from the target's
// (".orvo_upc.ini.skarvel-tmp0"), so what a killed process leaves there is found
// by the next write of the same file and removed, instead of piling up under
// random names. A writer holds a lock on its file while it writes; a second
// writer of the same target meanwhile (a handler run by a nested wait, another
// process) takes the next of a few numbered names, and a file whose lock nobody
// holds is a leftover. The file written is always one the writer has just made
// there: whatever else stands at the name (a link to a file elsewhere, a FIFO)
// is removed or passed over, never opened for writing, truncated or chmod-ed. A
// target whose name leaves no room for the suffix gets a shorter name made from
// its own.
//
// A link to the target stays a link: the file it names is replaced. The new file
// takes the old one's permissions; a new target gets the process's default ones.
class AtomicFile
{
public:
    explicit AtomicFile(const QString &target);
    // Without a commit, the file beside the target is removed.
    ~AtomicFile();
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // False when no file can be made beside the target, or the target exists and
    // may not be written.
    bool open();
    bool write(const char *data, qint64 size);
    bool write(const QByteArray &bytes);
    // Checks that the file holds exactly what was written, flushes it to the disk
    // and renames it over the target. False when the target was left as it was.
    bool commit();

    // For a library that writes only to a file name: the name to give it, and the
    // commit that takes whatever the library left there.
    QString temporaryPath() const { return temporary; }
    bool commitWrittenByName();

private:
    bool finish(bool checkSize);

    QString target;
    QString temporary;
    int descriptor = -1;
    qint64 written = 0;
    bool failed = false;
};

// The whole file through an AtomicFile. False when nothing was replaced.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);
