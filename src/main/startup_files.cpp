#include "main/startup_files.h"

#include "platform/paths.h"
#include "upc/settings_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// Makes one folder level, as a plain make-folder does: a missing parent is not made.
void ensureFolder(const QString &path)
{
    if (!QFileInfo(path).isDir())
        QDir().mkdir(path);
}

bool present(const QString &path)
{
    return QFileInfo(path).isFile();
}

void copyOnto(const QString &from, const QString &to)
{
    QFile::copy(from, to); // never overwrites
}

} // namespace

void StartupFiles::ensureProfileFolders(const Paths &paths)
{
    const QDir profile(paths.userProfile);
    ensureFolder(profile.filePath(QStringLiteral("My Documents")));
    ensureFolder(profile.filePath(QStringLiteral("Documents")));
}

void StartupFiles::keepSettingsCopiesInStep(const Paths &paths)
{
    const QDir profile(paths.userProfile);
    const QString program = QDir(paths.programDir).filePath(SettingsFile::fileName);
    const QString myDocuments =
        profile.filePath(QStringLiteral("My Documents/") + SettingsFile::fileName);
    const QString documents =
        profile.filePath(QStringLiteral("Documents/") + SettingsFile::fileName);

    // Each test looks at the copies as the tests before it left them.
    if (!present(myDocuments) && present(program))
        copyOnto(program, myDocuments);
    if (!present(documents) && present(program))
        copyOnto(program, documents);
    if (present(myDocuments) && !present(program))
        copyOnto(myDocuments, program);
    if (present(documents) && !present(program))
        copyOnto(documents, program);
}

void StartupFiles::ensureOutputFolders(const Paths &paths)
{
    const QDir program(paths.programDir);
    ensureFolder(program.filePath(QStringLiteral("orvoupc")));
    ensureFolder(program.filePath(QStringLiteral("orvoupc/Artwork")));
}
