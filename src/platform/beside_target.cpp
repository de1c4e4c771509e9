#include "platform/beside_target.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype hashDigits = 8;

bool continuesCharacter(char byte)
{
    return (uchar(byte) & 0xC0) == 0x80;
}

} // namespace

QString followLinks(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

QString hiddenNameBeside(const QString &target, const QString &suffix)
{
    const QFileInfo info(target);
    const QByteArray name = QFile::encodeName(info.fileName());
    const qsizetype room = NAME_MAX - 1 - QFile::encodeName(suffix).size();
    QByteArray kept = name;
    if (name.size() > room) {
        qsizetype cut = room - 1 - hashDigits;
        while (cut > 0 && continuesCharacter(name.at(cut)))
            --cut;
        kept = name.left(cut) + '~' +
               QCryptographicHash::hash(name, QCryptographicHash::Sha1).toHex().left(hashDigits);
    }
    return QDir(info.path()).filePath('.' + QFile::decodeName(kept) + suffix);
}

bool stillNamed(int descriptor, const QByteArray &name)
{
    struct stat opened
    {
    };
    struct stat named
    {
    };
    return fstat(descriptor, &opened) == 0 && lstat(name.constData(), &named) == 0 &&
           S_ISREG(named.st_mode) && opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

int reopenedForLocking(int descriptor)
{
    struct stat file
    {
    };
    // A lock file that its holder removed as we opened it has no name left; it is
    // reopened all the same, so that the waiter locks it and, finding the name
    // gone, looks again rather than fail.
    if (fstat(descriptor, &file) != 0 || !S_ISREG(file.st_mode) || file.st_nlink > 1)
        return descriptor;
    const QByteArray opened = "/proc/self/fd/" + QByteArray::number(descriptor);
    const int writable = ::open(opened.constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (writable < 0)
        return descriptor;
    ::close(descriptor);
    return writable;
}
