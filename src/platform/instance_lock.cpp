#include "platform/instance_lock.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A folder (not a link) of this user's that nobody else can write into, made so
// when missing.
bool isOwnPrivateFolder(const QString &folder)
{
    const QByteArray name = QFile::encodeName(folder);
    ::mkdir(name.constData(), 0700);
    struct stat info
    {
    };
    return ::lstat(name.constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace

InstanceLock::InstanceLock(const QString &folder)
    : folder(folder)
{}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::claim(const QString &name)
{
    if (lock && lock->isLocked())
        return true;
    if (!isOwnPrivateFolder(folder))
        return false;
    lock = std::make_unique<QLockFile>(QDir(folder).filePath(name + ".lock"));
    // Never stale by age: only a lock whose process is gone is taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return false;
    emit claimed();
    return true;
}

void InstanceLock::release()
{
    if (lock)
        lock->unlock();
}
