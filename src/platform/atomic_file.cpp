#include "platform/atomic_file.h"

#include <QSaveFile>

bool writeFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A short write (a full disk, a size limit) is not always reported by the
    // commit, so the written size is checked before the rename.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.size() != bytes.size()) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
}
