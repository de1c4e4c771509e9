#pragma once

#include "keywords/engines/engine_row.h"

const EngineRow &aliExpressEngine();

// The reply: …keywords: 's1', catId…keywords: 's2', catId…
SuggestionItems cutAliExpressReply(const QString &reply);
