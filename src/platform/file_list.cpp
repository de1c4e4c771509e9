#include "platform/file_list.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr int maxCount = 32767;

bool matchesWildcard(const QString &name, const QString &wildcard)
{
    QString expression;
    for (const QChar c : wildcard) {
        if (c == '*')
            expression += QStringLiteral(".*");
        else if (c == '?')
            expression += '.';
        else
            expression += QRegularExpression::escape(QString(c));
    }
    const QRegularExpression match(QRegularExpression::anchoredPattern(expression),
                                   QRegularExpression::CaseInsensitiveOption |
                                       QRegularExpression::DotMatchesEverythingOption);
    return match.match(name).hasMatch();
}

} // namespace

bool matchesWindowsPattern(const QString &name, const QString &pattern)
{
    const QString wildcard = pattern.isEmpty() ? QStringLiteral("*") : pattern;
    if (matchesWildcard(name, wildcard))
        return true;
    // Windows lets "name.*" match "name" itself, so "*.*" takes names without a dot.
    return wildcard.endsWith(".*") && matchesWildcard(name, wildcard.chopped(2));
}

std::optional<QStringList> listFiles(const QString &folder, const QString &pattern)
{
    const QDir dir(folder);
    if (folder.isEmpty() || !dir.exists())
        return std::nullopt;
    QStringList names;
    const QStringList entries = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString &entry : entries) {
        if (matchesWindowsPattern(entry, pattern))
            names.append(entry);
    }
    if (names.size() > maxCount)
        return std::nullopt;
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}
