#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <chrono>
#include <optional>

// The program's three ways of making a request, for tests that hold for each.
enum class HttpCaller { PageFetch, TransferControl, Download };
Q_DECLARE_METATYPE(HttpCaller)
inline constexpr HttpCaller httpCallers[] = {HttpCaller::PageFetch, HttpCaller::TransferControl,
                                             HttpCaller::Download};
const char *nameOf(HttpCaller caller); // "page fetch"

// The body that `caller` gets for `url`, with its default limits or with the
// limit on the whole request shortened to `total`; nothing when the request
// failed (for a download: when it wrote no file).
std::optional<QByteArray> fetchWith(HttpCaller caller, const QString &url,
                                    std::optional<std::chrono::milliseconds> total = {});

// One Qt Test row per caller, named "<caller>, <what>", in a column "caller".
void addHttpCallerRows(const char *what);
