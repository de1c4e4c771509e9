#include "platform/target_lock.h"

#include "platform/beside_target.h"
#include "platform/lock_wait_budget.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = LockWaitBudget::Clock;

// A write holds the lock for milliseconds.
constexpr std::chrono::milliseconds pollPause(1);

// The program folder is shared by every user of the computer, and reading is all
// a lock needs.
constexpr mode_t everyUserReads = 0644;

enum class Outcome { Had, Busy, Unusable };

Outcome lockedBefore(int descriptor, Clock::time_point deadline)
{
    for (;;) {
        if (flock(descriptor, LOCK_EX | LOCK_NB) == 0)
            return Outcome::Had;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return Outcome::Unusable;
        if (Clock::now() >= deadline)
            return Outcome::Busy;
        std::this_thread::sleep_for(pollPause);
    }
}

// The lock file at the name, when it is one that a writer made: a regular file
// with no other name, open for writing where its user may, so that it can be
// locked on a network file system too. -1 with ENOENT when nothing is there, also
// when its holder removed it as we opened it.
int openExisting(const QByteArray &name)
{
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return -1;
    struct stat file
    {
    };
    if (fstat(descriptor, &file) == 0 && S_ISREG(file.st_mode) && file.st_nlink <= 1) {
        if (file.st_nlink == 1)
            return reopenedForLocking(descriptor);
        errno = ENOENT;
    } else {
        errno = EINVAL;
    }
    const int error = errno;
    ::close(descriptor);
    errno = error;
    return -1;
}

// Gives the file made under a name of its own the lock file's name instead,
// unless a lock file is there by now. Moved where the file system can, so that
// the lock file never has a second name that would make waiters pass it over.
bool namedLockFile(const QByteArray &own, const QByteArray &name)
{
    if (::renameat2(AT_FDCWD, own.constData(), AT_FDCWD, name.constData(), RENAME_NOREPLACE) == 0)
        return true;
    const bool linked =
        (errno == EINVAL || errno == ENOSYS) && ::link(own.constData(), name.constData()) == 0;
    const int error = errno;
    ::unlink(own.constData());
    errno = error;
    return linked;
}

// Made with its mode set before it has the name, so that no other user ever
// finds a lock file there that they cannot open: made without a name where the
// file system can, else under a name of its own, then moved into place. -1 with
// EEXIST when another writer made it first.
int madeAtName(const QByteArray &name, const QByteArray &folder, QByteArray pattern)
{
    const int unnamed = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, everyUserReads);
    if (unnamed >= 0) {
        const QByteArray opened = "/proc/self/fd/" + QByteArray::number(unnamed);
        if (fchmod(unnamed, everyUserReads) == 0 &&
            linkat(AT_FDCWD, opened.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) ==
                0)
            return unnamed;
        const int error = errno;
        ::close(unnamed);
        if (error == EEXIST) {
            errno = error;
            return -1;
        }
    }
    const int named = mkostemp(pattern.data(), O_CLOEXEC);
    if (named < 0)
        return -1;
    if (fchmod(named, everyUserReads) != 0) {
        ::unlink(pattern.constData());
        ::close(named);
        return -1;
    }
    if (namedLockFile(pattern, name))
        return named;
    const int error = errno;
    ::close(named);
    // A file system without hard links (FAT) has no modes for its users either.
    if (error == EPERM)
        return ::open(name.constData(), O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      everyUserReads);
    errno = error;
    return -1;
}

struct LockFile
{
    int descriptor = -1;
    Outcome outcome = Outcome::Unusable;
};

// The lock file, opened or made, and locked. Its holder removes it before it
// lets go, so a waiter may wake holding a file that is gone; it then tries again
// with the file now there.
LockFile lockFileBefore(const QByteArray &name, const QByteArray &folder, const QByteArray &pattern,
                        Clock::time_point deadline)
{
    for (;;) {
        int descriptor = openExisting(name);
        if (descriptor < 0 && errno == ENOENT)
            descriptor = madeAtName(name, folder, pattern);
        if (descriptor < 0 && errno != EEXIST)
            return {};
        if (descriptor >= 0) {
            const Outcome outcome = lockedBefore(descriptor, deadline);
            if (outcome == Outcome::Had && stillNamed(descriptor, name))
                return {descriptor, outcome};
            ::close(descriptor);
            if (outcome != Outcome::Had)
                return {-1, outcome};
        }
        if (Clock::now() >= deadline)
            return {-1, Outcome::Busy};
    }
}

} // namespace

TargetLock::TargetLock(const QString &target)
{
    const Clock::time_point start = Clock::now();
    had = take(target);
    if (!had)
        letGo();
    LockWaitBudget::spend(Clock::now() - start, had);
}

TargetLock::~TargetLock()
{
    letGo();
}

bool TargetLock::take(const QString &target)
{
    const Clock::duration allowed = LockWaitBudget::left();
    if (allowed <= Clock::duration::zero())
        return false;
    const Clock::time_point deadline = Clock::now() + allowed;

    const QString real = followLinks(target);
    const QByteArray folderName = QFile::encodeName(QFileInfo(real).path());
    folder = ::open(folderName.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        const Outcome outcome = lockedBefore(folder, deadline);
        if (outcome == Outcome::Busy)
            return false;
        if (outcome == Outcome::Unusable) {
            ::close(folder);
            folder = -1;
        }
    }

    const QByteArray name =
        QFile::encodeName(hiddenNameBeside(real, QStringLiteral(".skarvel-lock")));
    const QByteArray pattern =
        QFile::encodeName(hiddenNameBeside(real, QStringLiteral(".skarvel-lock-XXXXXX")));
    const LockFile file = lockFileBefore(name, folderName, pattern, deadline);
    if (file.outcome == Outcome::Busy || (file.outcome == Outcome::Unusable && folder < 0))
        return false;
    lockFile = file.descriptor;
    if (lockFile >= 0)
        lockFileName = name;
    return true;
}

void TargetLock::letGo()
{
    if (lockFile >= 0) {
        ::unlink(lockFileName.constData());
        ::close(lockFile);
        lockFile = -1;
    }
    if (folder >= 0) {
        ::close(folder);
        folder = -1;
    }
}
