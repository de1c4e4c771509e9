#pragma once

#include "keywords/engines/engine_row.h"

// The engine pair the crawl calls: the first row of the table whose engine and
// language texts equal the two lists' texts exactly (a row with no language
// matches any); none when no row does.
const EngineRow *dispatchEngine(const QString &engine, const QString &language);
