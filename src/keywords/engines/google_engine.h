#pragma once

#include "keywords/engines/engine_row.h"

// The Google suggestion services of five country sites, one row each; the rows
// differ in host and language code only.
const EngineRow &googleComEngine();
const EngineRow &googleJpEngine();
const EngineRow &googleRuEngine();
const EngineRow &googleHkEngine();
const EngineRow &googleDeEngine();

// Drops the escaped bold tags the service writes around the typed part.
QString cleanUpGoogleReply(const QString &reply);

// The cleaned reply: …[["s1","x",0],["s2","y",0],…
SuggestionItems cutGoogleReply(const QString &reply);
