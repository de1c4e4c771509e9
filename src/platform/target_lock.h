#pragma once

#include <QByteArray>
#include <QString>

// One writer at a time for a file that is read, changed and written whole, in
// any process of any user, as the Windows profile functions serialise their
// callers.
//
// The lock is taken on the target's folder, never on the target itself (the
// new file renamed over the target would not carry a lock taken on the old
// one) nor on a file that something else could stand in for: every user who
// can list the folder can take it, and nothing left or planted in the folder
// lets two holders in at once. The lock goes with its process, so a killed
// writer blocks nobody.
//
// Older copies of the program lock a hidden file beside the target instead
// (".orvo_upc.ini.skarvel-lock"), which its holder removes as it lets go, so the
// holder of the folder also holds that file, made or opened the way they do,
// and an older copy running beside a newer one still waits its turn. The file
// has its name only once every user can open it, whatever the umask of its
// maker. What stands at its name and is not such a file (a link, a FIFO, a
// folder, a file with a second name, a private one of another user) is passed
// over as it is: never followed, waited on, written or chmod-ed. Where the folder
// cannot be locked (one its user may write but not list, a network file system
// without folder locks) the file is the whole lock, and anything else at its
// name fails the write. The file is opened for writing to lock it where its user
// may, since a network file system's flock locks no file opened only to read;
// where another user's file may only be read there, the write fails.
//
// The wait is bounded by what the current user action has left of its
// LockWaitBudget: a writer stopped inside its write, or any process's lock,
// costs that action a second or two and failed writes, never a hang.
class TargetLock
{
public:
    explicit TargetLock(const QString &target);
    ~TargetLock();
    TargetLock(const TargetLock &) = delete;
    TargetLock &operator=(const TargetLock &) = delete;

    // False when no lock could be had beside the target in time.
    bool held() const { return had; }

private:
    bool take(const QString &target);
    void letGo();

    QByteArray lockFileName;
    int folder = -1;
    int lockFile = -1;
    bool had = false;
};
