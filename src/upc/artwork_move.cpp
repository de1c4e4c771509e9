#include "upc/artwork_move.h"

#include "platform/atomic_file.h"
#include "platform/file_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// The copy is written beside the target and renamed into place, so the target
// name never holds half a file.
bool copyReplacing(const QString &source, const QString &target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    AtomicFile out(target);
    if (!out.open())
        return false;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 16);
        if (chunk.isEmpty() || !out.write(chunk))
            return false;
    }
    return out.commit();
}

} // namespace

bool moveFileSafely(const QString &source, const QString &targetFolder)
{
    const QFileInfo from(source);
    if (!from.isFile())
        return false;
    const qint64 size = from.size();
    const QString target = QDir(targetFolder).filePath(from.fileName());
    if (!copyReplacing(source, target) || QFileInfo(target).size() != size)
        return false;
    return QFile::remove(source);
}

void moveFiles(const QString &from, const QString &to, int first, int last)
{
    const auto names = listFiles(from, QStringLiteral("*.*"));
    if (!names || first < 1)
        return;
    const QDir source(from);
    for (int i = first - 1; i < names->size() && i <= last - 1; ++i)
        moveFileSafely(source.filePath(names->at(i)), to);
}
