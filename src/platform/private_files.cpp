#include "platform/private_files.h"

#include "platform/atomic_file.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

// Takes from everything in the folder what group and others may do; links are left
// alone, as what they name is not the folder's.
void tightenContents(const QString &folder)
{
    QDirIterator entries(folder,
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QByteArray name = QFile::encodeName(entries.next());
        struct stat info;
        if (::lstat(name.constData(), &info) == 0 && !S_ISLNK(info.st_mode) &&
            (info.st_mode & 077) != 0)
            ::chmod(name.constData(), info.st_mode & 0700);
    }
}

} // namespace

bool makePrivateFolder(const QString &path)
{
    const QString folder = QDir::cleanPath(QDir(path).absolutePath());
    // Made one at a time with the mode, so no folder on the way is ever open to
    // others, whatever the umask; folders that exist already are the user's own
    // business, except the one asked for.
    for (qsizetype end = folder.indexOf('/', 1); end != -1; end = folder.indexOf('/', end + 1))
        ::mkdir(QFile::encodeName(folder.left(end)).constData(), 0700);
    const QByteArray name = QFile::encodeName(folder);
    ::mkdir(name.constData(), 0700);
    if (!QFileInfo(folder).isDir() || ::chmod(name.constData(), 0700) != 0)
        return false;
    tightenContents(folder);
    return true;
}

bool writePrivateFile(const QString &path, const QByteArray &bytes)
{
    if (!writeFileAtomically(path, bytes))
        return false;
    // A file an earlier version left readable by all is tightened too.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}
