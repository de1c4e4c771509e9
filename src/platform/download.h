#pragma once

#include "platform/http_types.h"

#include <QString>

// Downloads `url` into the file `path`. The reply is written to a temporary file
// beside it, which takes the file's place only when the transfer succeeded with a
// 2xx status and a non-empty body; otherwise the file at `path` stays as it was
// and the result is false. The time-outs are the page fetch's (HttpTimeouts).
bool downloadToFile(const QString &url, const QString &path, HttpTimeouts timeouts = {});
