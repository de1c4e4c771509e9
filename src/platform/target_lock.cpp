#include "platform/target_lock.h"

#include "platform/beside_target.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// Long beside a write, which takes milliseconds, and short beside a window that
// writes its settings on each keystroke: a writer stopped inside its write, or
// anyone's lock on the lock file, costs a failed write, never a hung window.
constexpr std::chrono::milliseconds waitLimit(1500);
constexpr std::chrono::milliseconds pollPause(1);

// The program folder is shared by every user of the computer, and reading is all
// a lock needs.
constexpr mode_t everyUserReads = 0644;

// A link planted at the name is never followed, a FIFO never waited on, and
// nothing but a regular file is taken for the lock file.
int openExisting(const QByteArray &name)
{
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return -1;
    struct stat file
    {
    };
    if (fstat(descriptor, &file) == 0 && S_ISREG(file.st_mode))
        return descriptor;
    ::close(descriptor);
    errno = EINVAL;
    return -1;
}

// A new file under a name of its own made from the pattern, with its mode set
// whatever our umask.
int madeUnderOwnName(QByteArray &pattern)
{
    const int descriptor = mkostemp(pattern.data(), O_CLOEXEC);
    if (descriptor >= 0)
        fchmod(descriptor, everyUserReads);
    return descriptor;
}

// Made with its mode set before it has the name, so that a writer killed on the
// way leaves no file that another user cannot open: made without a name where the
// file system can, else under a name of its own, then linked into place. -1 with
// EEXIST when another writer made it first.
int madeAtName(const QByteArray &name, const QByteArray &folder, QByteArray pattern)
{
    const int unnamed = ::open(folder.constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, everyUserReads);
    if (unnamed >= 0) {
        fchmod(unnamed, everyUserReads);
        const QByteArray opened = "/proc/self/fd/" + QByteArray::number(unnamed);
        if (linkat(AT_FDCWD, opened.constData(), AT_FDCWD, name.constData(), AT_SYMLINK_FOLLOW) ==
            0)
            return unnamed;
        const int error = errno;
        ::close(unnamed);
        if (error == EEXIST) {
            errno = error;
            return -1;
        }
    }
    const int named = madeUnderOwnName(pattern);
    if (named < 0)
        return -1;
    const int linked = ::link(pattern.constData(), name.constData());
    const int error = errno;
    ::unlink(pattern.constData());
    if (linked == 0)
        return named;
    ::close(named);
    // A file system without hard links (FAT) has no modes for its users either.
    if (error == EPERM)
        return ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      everyUserReads);
    errno = error;
    return -1;
}

// A lock file that we cannot open is private to someone else, left so by another
// program or an older one; a file of our own takes its place.
bool replaced(const QByteArray &name, QByteArray pattern)
{
    const int made = madeUnderOwnName(pattern);
    if (made < 0)
        return false;
    ::close(made);
    if (::rename(pattern.constData(), name.constData()) == 0)
        return true;
    ::unlink(pattern.constData());
    return false;
}

// The lock file, opened, made or replaced; -1 when none can be had in time.
int lockFile(const QByteArray &name, const QByteArray &folder, const QByteArray &pattern,
             Clock::time_point deadline)
{
    for (;;) {
        int descriptor = openExisting(name);
        if (descriptor >= 0)
            return descriptor;
        if (errno == ENOENT) {
            descriptor = madeAtName(name, folder, pattern);
            if (descriptor >= 0 || errno != EEXIST)
                return descriptor;
        } else if (errno != EACCES || !replaced(name, pattern)) {
            return -1;
        }
        if (Clock::now() >= deadline)
            return -1;
    }
}

bool lockedBefore(int descriptor, Clock::time_point deadline)
{
    for (;;) {
        if (flock(descriptor, LOCK_EX | LOCK_NB) == 0)
            return true;
        if ((errno != EWOULDBLOCK && errno != EINTR) || Clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(pollPause);
    }
}

} // namespace

TargetLock::TargetLock(const QString &target)
{
    const Clock::time_point deadline = Clock::now() + waitLimit;
    const QString real = followLinks(target);
    name = QFile::encodeName(hiddenNameBeside(real, QStringLiteral(".skarvel-lock")));
    const QByteArray folder = QFile::encodeName(QFileInfo(real).path());
    const QByteArray pattern =
        QFile::encodeName(hiddenNameBeside(real, QStringLiteral(".skarvel-lock-XXXXXX")));
    // The writer before removes the file before it lets go, so a waiter may wake
    // holding a file that is gone; it then tries again with the file now there.
    for (;;) {
        const int opened = lockFile(name, folder, pattern, deadline);
        if (opened < 0)
            return;
        const bool locked = lockedBefore(opened, deadline);
        if (locked && stillNamed(opened, name)) {
            // A private file planted here, or left by an older writer, is opened
            // only by its owner: made open to all while held, no other user
            // replaces it under us.
            fchmod(opened, everyUserReads);
            descriptor = opened;
            return;
        }
        ::close(opened);
        if (!locked || Clock::now() >= deadline)
            return;
    }
}

TargetLock::~TargetLock()
{
    if (descriptor < 0)
        return;
    ::unlink(name.constData());
    ::close(descriptor);
}
