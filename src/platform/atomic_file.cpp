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

// The open and locked file of that name, made when missing; -1 when another
// writer holds it or it cannot be had. The lock goes with the process, so the
// file of a killed writer is free again.
int take(const QByteArray &name)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int descriptor =
            ::open(name.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor < 0)
            return -1;
        if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            ::close(descriptor);
            return -1;
        }
        if (stillNamed(descriptor, name))
            return descriptor;
        ::close(descriptor);
    }
    return -1;
}

// A file whose lock nobody holds was left by a writer that never finished.
void removeIfLeftOver(const QByteArray &name)
{
    const int descriptor = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return;
    if (flock(descriptor, LOCK_EX | LOCK_NB) == 0 && stillNamed(descriptor, name))
        ::unlink(name.constData());
    ::close(descriptor);
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
        removeIfLeftOver(other);

    // A file left by a killed writer is taken over with what it held.
    if (ftruncate(descriptor, 0) != 0) {
        failed = true;
        return false;
    }
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
