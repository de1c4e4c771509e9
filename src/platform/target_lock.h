#pragma once

#include <QByteArray>
#include <QString>

// One writer at a time for a file that is read, changed and written whole, in
// any process of any user, as the Windows profile functions serialise their
// callers.
//
// The lock is taken on a hidden file beside the target
// (".orvo_upc.ini.skarvel-lock"), never on the target itself: the new file
// renamed over the target would not carry a lock taken on the old one. The lock
// goes with its process, so a killed writer blocks nobody. The file is removed
// as the lock is let go; one that a killed writer left is taken over and removed
// by the next writer.
class TargetLock
{
public:
    // Waits until the writers before have finished.
    explicit TargetLock(const QString &target);
    ~TargetLock();
    TargetLock(const TargetLock &) = delete;
    TargetLock &operator=(const TargetLock &) = delete;

    // False when no lock file can be had beside the target.
    bool held() const { return descriptor >= 0; }

private:
    QByteArray name;
    int descriptor = -1;
};
