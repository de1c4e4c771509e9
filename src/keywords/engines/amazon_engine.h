#pragma once

#include "keywords/engines/engine_row.h"

// The Amazon completion service of the US marketplace.
const EngineRow &amazonUsEngine();

// The completion reply: ["keyword",["s1","s2",…],…
SuggestionItems cutAmazonReply(const QString &reply);
