#include "platform/atomic_file.h"

#include "platform/beside_target.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// More writers of one file at a time than ever nest; all of them busy is a
// failed write.
constexpr int temporaryNames = 8;

QString temporaryName(const QString &target, int number)
{
    return hiddenNameBeside(target, QStringLiteral(".skarvel-tmp%1").arg(number));
}

// A file whose lock nobody holds was left by a writer that never finished, and a
// file at the name that is no regular file of one name was planted there; either
// is removed, and whatever a planted link names stays as it was. The lock is held
// while the name is checked and removed: a writer locks its file before it
// renames it, so the file checked is the one removed; it is opened for writing
// where the user may, so that a leftover on a network file system can be locked
// too. False when a writer holds the file, or the name holds nothing we may
// remove.
bool removedIfLeftOver(const QByteArray &name)
{
    int descriptor = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return errno == ENOENT;
    descriptor = reopenedForLocking(descriptor);
    const bool removed = flock(descriptor, LOCK_EX | LOCK_NB) == 0 &&
                         stillNamed(descriptor, name) && ::unlink(name.constData()) == 0;
    ::close(descriptor);
    return removed;
}

// A new file of our own at that name, open and locked, made there so that it has
// no other name and nothing else is ever opened for writing under it; -1 when
// another writer holds the name or it cannot be had.
int take(const QByteArray &name)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int descriptor =
            ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor < 0) {
            if (errno != EEXIST || !removedIfLeftOver(name))
                return -1;
            continue;
        }
        // A writer removing what it took for a leftover may have had the new
        // file's lock before us.
        if (flock(descriptor, LOCK_EX | LOCK_NB) == 0 && stillNamed(descriptor, name))
            return descriptor;
        ::close(descriptor);
    }
    return -1;
}

} // namespace

AtomicFile::AtomicFile(const QString &target)
    : target(followLinks(target))
{}

AtomicFile::~AtomicFile()
{
    if (descriptor < 0)
        return;
    ::unlink(QFile::encodeName(temporary).constData());
    ::close(descriptor);
}

bool AtomicFile::open()
{
    if (descriptor >= 0)
        return false;
    const QFileInfo existing(target);
    if (existing.exists() && !existing.isWritable())
        return false;
    QList<QByteArray> others;
    for (int number = 0; number < temporaryNames; ++number) {
        const QString name = temporaryName(target, number);
        const QByteArray native = QFile::encodeName(name);
        if (descriptor < 0 && (descriptor = take(native)) >= 0)
            temporary = name;
        else
            others.append(native);
    }
    if (descriptor < 0)
        return false;
    for (const QByteArray &other : others)
        removedIfLeftOver(other);

    struct stat old
    {
    };
    if (::stat(QFile::encodeName(target).constData(), &old) == 0)
        fchmod(descriptor, old.st_mode & 07777);
    return true;
}

bool AtomicFile::write(const char *data, qint64 size)
{
    if (descriptor < 0 || failed)
        return false;
    while (size > 0) {
        const ssize_t done = ::write(descriptor, data, size_t(size));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            failed = true;
            return false;
        }
        data += done;
        size -= done;
        written += done;
    }
    return true;
}

bool AtomicFile::write(const QByteArray &bytes)
{
    return write(bytes.constData(), bytes.size());
}

bool AtomicFile::commit()
{
    return finish(true);
}

bool AtomicFile::commitWrittenByName()
{
    return finish(false);
}

bool AtomicFile::finish(bool checkSize)
{
    if (descriptor < 0 || failed)
        return false;
    // A short write (a full disk, a size limit) is not always reported, so the
    // size is checked before the rename.
    struct stat file
    {
    };
    if (fstat(descriptor, &file) != 0 || (checkSize && file.st_size != written) ||
        fsync(descriptor) != 0)
        return false;
    if (::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) !=
        0)
        return false;
    ::close(descriptor);
    descriptor = -1;
    return true;
}

bool writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    AtomicFile file(path);
    return file.open() && file.write(bytes) && file.commit();
}
