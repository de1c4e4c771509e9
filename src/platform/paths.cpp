#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>

Paths Paths::fromEnvironment()
{
    Paths paths;
    paths.programDir = QCoreApplication::applicationDirPath();
    const QString profile = qEnvironmentVariable("USERPROFILE");
    paths.userProfile = profile.isEmpty() ? QDir::homePath() : profile;
    paths.driveRoot = QDir::homePath();
    paths.tempDir = QDir::tempPath();
    return paths;
}

QString Paths::webProfileDir() const
{
    return QDir(userProfile).filePath(QStringLiteral(".local/share/Skarvel/WebProfile"));
}

QString Paths::driveFolder(const QString &name) const
{
    return QDir::toNativeSeparators(QDir(driveRoot).filePath(name) + "/");
}
