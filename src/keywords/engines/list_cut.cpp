#include "keywords/engines/list_cut.h"

#include "platform/text_rules.h"

SuggestionItems cutSuggestionList(const QString &reply, const ListMarkers &markers)
{
    if (!reply.contains(markers.test))
        return {};
    // Item 0 is taken even when the cut finds no list: it refreshes the count.
    const QStringList pieces = Split(reply, markers.opening);
    if (pieces.size() < 2)
        return {QString()};
    const QStringList bounded = Split(pieces[1], markers.closing);
    if (bounded.isEmpty())
        return {QString()};
    const QStringList items = Split(bounded[0], markers.separator);
    if (items.isEmpty())
        return {QString()};
    return items.mid(0, 10);
}
