#pragma once

#include <QString>
#include <optional>

// Takes a value out of a page: the text after the first occurrence of `open`, up
// to the next occurrence of `close` or of `open`, whichever comes first, or to the
// end of the text. Markers match exactly and case-sensitively; nothing is
// trimmed. No value when `open` does not occur or nothing follows its first
// occurrence before the next one or the end; an empty value when `close` follows
// `open` at once.
std::optional<QString> CutBetween(const QString &text, const QString &open, const QString &close);
