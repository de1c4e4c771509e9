#pragma once

#include "keywords/engines/engine_row.h"

// The markers of a reply that holds its suggestions as one quoted list.
struct ListMarkers
{
    QString opening;   // before the first suggestion
    QString closing;   // after the last one
    QString separator; // between two suggestions
    QString test;      // must occur in the reply, or it holds nothing to take
};

// The family's cut: the text after the first opening marker up to the next
// opening marker, then up to its first closing marker, split at the separator;
// the first ten pieces are the items.
SuggestionItems cutSuggestionList(const QString &reply, const ListMarkers &markers);
