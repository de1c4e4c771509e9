#pragma once

#include "keywords/engines/engine_row.h"

const EngineRow &taobaoEngine();

// Compact and spaced replies read alike after this: a blank after the comma
// between two strings and between two entries.
QString cleanUpTaobaoReply(const QString &reply);

// The cleaned reply: …[["s1", "n1"], ["s2", "n2"], …]]…; the first string of
// each entry is its suggestion.
SuggestionItems cutTaobaoReply(const QString &reply);
