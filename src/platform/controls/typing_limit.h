#pragma once

#include <QString>

// A box's maximum length limits what the user types or pastes, never what the
// program writes: an edit that would pass the limit keeps only as much of the new
// text as fits, and a box already longer than the limit takes no new text at all.
struct LimitedEdit
{
    QString text;
    int caret; // where the kept part of the new text ends
};

// `before` is the box's text before the edit, `after` the text the edit made.
LimitedEdit limitTyping(const QString &before, const QString &after, int maxLength);
