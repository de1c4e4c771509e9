#pragma once

#include "keywords/engines/engine_row.h"

// The Amazon completion services of the US and UK marketplaces: one engine,
// two rows that differ in host and marketplace number only.
const EngineRow &amazonUsEngine();
const EngineRow &amazonUkEngine();

// The completion reply: ["keyword",["s1","s2",…],…
SuggestionItems cutAmazonReply(const QString &reply);
