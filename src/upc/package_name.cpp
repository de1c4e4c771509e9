#include "upc/package_name.h"

QString packageFolderName(const QDateTime &when, const QString &buyer, const QString &word,
                          const QString &countText)
{
    return when.toString(QStringLiteral("yyyy-MM-dd_HHmmss")) + '-' + buyer + '-' + word +
           countText + QStringLiteral("个");
}

bool isFolderNamePart(const QString &text)
{
    if (text.isEmpty() || text == "." || text == "..")
        return false;
    const QString refused = QStringLiteral("/\\<>:\"|?*");
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || refused.contains(c))
            return false;
    }
    return true;
}
