#pragma once

#include <QByteArray>
#include <QString>

// One writer at a time for a file that is read, changed and written whole, in
// any process of any user, as the Windows profile functions serialise their
// callers.
//
// The lock is taken on a hidden file beside the target
// (".orvo_upc.ini.skarvel-lock"), never on the target itself: the new file
// renamed over the target would not carry a lock taken on the old one. Two
// holders never hold it at once, also while the file is removed and made again
// between them. The wait is bounded: a writer stopped inside its write, or any
// process's lock on the file, costs the later writers a second or two and a
// failed write, never a hang. The lock goes with its process, so a killed
// writer blocks nobody. The file is removed as the lock is let go; one that a
// killed writer left is taken over and removed by the next writer. It has its
// name only once every user can open it, whatever the umask of its maker, and
// a private one that another program left is replaced. A link, a FIFO or a
// folder planted at its name is never followed or waited on: no lock is had.
class TargetLock
{
public:
    // Waits until the writers before have finished, or a second or two at most.
    explicit TargetLock(const QString &target);
    ~TargetLock();
    TargetLock(const TargetLock &) = delete;
    TargetLock &operator=(const TargetLock &) = delete;

    // False when no lock could be had beside the target in time.
    bool held() const { return descriptor >= 0; }

private:
    QByteArray name;
    int descriptor = -1;
};
