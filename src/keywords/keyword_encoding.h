#pragma once

#include <QString>

// The keyword as it stands in a suggestion service's query: every character from
// U+0080 on as the "%XX" bytes of its UTF-8 form, upper-case digits; everything
// below U+0080 unchanged.
QString GBtoUTF8(const QString &szInput);

// The characters that would cut a keyword short in a query, change its meaning or
// make the address unsendable ("#", "&", "+", "%", the blank, the control
// characters U+0000 to U+001F and U+007F), percent-encoded, so that "c# book",
// "m&m" or a pasted "red<TAB>shoes" reach the service as themselves. Every other
// character stays.
QString escapeQueryCharacters(const QString &keyword);
