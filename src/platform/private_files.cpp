#include "platform/private_files.h"

#include "platform/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

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
    return QFileInfo(folder).isDir() && ::chmod(name.constData(), 0700) == 0;
}

bool writePrivateFile(const QString &path, const QByteArray &bytes)
{
    if (!writeFileAtomically(path, bytes))
        return false;
    // A file an earlier version left readable by all is tightened too.
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    return true;
}
