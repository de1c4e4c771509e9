#include "support/temp_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

TempFolders::TempFolders()
{
    for (const char *name : {"program", "profile", "drive", "temp"})
        QDir(root.path()).mkpath(name);
    // The temporary folder doubles as the user's runtime folder, which only its
    // owner may write into, whatever the umask.
    QFile::setPermissions(temp(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

Paths TempFolders::paths() const
{
    Paths paths;
    paths.programDir = program();
    paths.userProfile = profile();
    paths.driveRoot = drive();
    paths.runtimeDir = temp();
    return paths;
}

static QString under(const QTemporaryDir &root, const char *folder, const QString &relative)
{
    const QString base = QDir(root.path()).filePath(folder);
    return relative.isEmpty() ? base : QDir(base).filePath(relative);
}

QString TempFolders::program(const QString &relative) const
{
    return under(root, "program", relative);
}
QString TempFolders::profile(const QString &relative) const
{
    return under(root, "profile", relative);
}
QString TempFolders::drive(const QString &relative) const
{
    return under(root, "drive", relative);
}
QString TempFolders::temp(const QString &relative) const
{
    return under(root, "temp", relative);
}

bool TempFolders::writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray TempFolders::readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int TempFolders::modeOf(const QString &path)
{
    struct stat info
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return int(info.st_mode & 07777);
}
