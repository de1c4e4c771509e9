#include "platform/controls/typing_limit.h"

#include <algorithm>

LimitedEdit limitTyping(const QString &before, const QString &after, int maxLength)
{
    const int common = int(std::min(before.size(), after.size()));
    int prefix = 0;
    while (prefix < common && before.at(prefix) == after.at(prefix))
        ++prefix;
    int suffix = 0;
    while (suffix < common - prefix &&
           before.at(before.size() - 1 - suffix) == after.at(after.size() - 1 - suffix))
        ++suffix;
    const int removed = int(before.size()) - prefix - suffix;
    const int inserted = int(after.size()) - prefix - suffix;
    const int room = std::max(0, maxLength - (int(before.size()) - removed));
    if (inserted <= room)
        return {after, prefix + inserted};

    int kept = room;
    // Never keep half of a line break or of a surrogate pair.
    if (kept > 0) {
        const QChar last = after.at(prefix + kept - 1);
        const QChar next = after.at(prefix + kept);
        if ((last == u'\r' && next == u'\n') || last.isHighSurrogate())
            --kept;
    }
    return {before.left(prefix) + after.mid(prefix, kept) + before.right(suffix), prefix + kept};
}
