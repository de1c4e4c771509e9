#include "upc/package_count.h"

#include "platform/box_number.h"
#include "platform/file_list.h"

#include <QFileInfo>

int GetFileCount(const QString &folder, const QString &pattern)
{
    const auto names = listFiles(folder, pattern);
    return names ? int(names->size()) : 0;
}

bool entryExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

QString codesLeftText(int files, int filesPerCode)
{
    return plainNumberText(double(files) / filesPerCode).value_or(QString()) + QStringLiteral("个");
}
