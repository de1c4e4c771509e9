#pragma once

#include "keywords/engines/engine_row.h"

// The Baidu suggestion service, whose reply comes in the ANSI code page through
// the transfer control.
const EngineRow &baiduEngine();

// The reply: …s:["s1","s2",…]…
SuggestionItems cutBaiduReply(const QString &reply);
