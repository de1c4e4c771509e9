#include "platform/instance_lock.h"

#include <QDir>
#include <QLockFile>

InstanceLock::InstanceLock(const QString &folder)
    : folder(folder)
{}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::claim(const QString &name)
{
    if (lock && lock->isLocked())
        return true;
    lock = std::make_unique<QLockFile>(QDir(folder).filePath(name + ".lock"));
    // Never stale by age: only a lock whose process is gone is taken over.
    lock->setStaleLockTime(0);
    return lock->tryLock(0);
}
