#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <unistd.h>

Paths Paths::fromEnvironment()
{
    Paths paths;
    paths.programDir = QCoreApplication::applicationDirPath();
    const QString profile = qEnvironmentVariable("USERPROFILE");
    paths.userProfile = profile.isEmpty() ? QDir::homePath() : profile;
    paths.driveRoot = QDir::homePath();
    // XDG_RUNTIME_DIR is the user's own where the session sets it; elsewhere a
    // folder of the user's under the temporary folder, which all users share.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    paths.runtimeDir =
        runtime.isEmpty()
            ? QDir(QDir::tempPath()).filePath(QStringLiteral("skarvel-%1").arg(geteuid()))
            : runtime;
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
