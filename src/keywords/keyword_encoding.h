#pragma once

#include <QString>

// The keyword as it stands in a suggestion service's query: every character from
// U+0080 on as the "%XX" bytes of its UTF-8 form, upper-case digits (half of a
// surrogate pair alone as U+FFFD); everything below U+0080 unchanged.
QString GBtoUTF8(const QString &szInput);

// The ASCII characters that would cut a keyword short in a query, change its
// meaning or make the address no valid URL, percent-encoded, so that "c# book",
// "m&m", `10" tablet` or a pasted "red<TAB>shoes" reach the service as
// themselves: "#", "&", "+", "%", the blank, the control characters U+0000 to
// U+001F and U+007F, and the characters a URL never holds raw ('"', "<", ">",
// "\", "^", "`", "{", "|", "}", "[", "]"). Every other character stays.
QString escapeQueryCharacters(const QString &keyword);
