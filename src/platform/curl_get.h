#pragma once

#include "platform/http_failure.h"
#include "platform/http_types.h"

#include <QString>
#include <chrono>
#include <functional>
#include <optional>

// One GET through libcurl on a connection kept from the thread's earlier requests
// when one to the host is open, else on a new one, which is then kept. It names
// the embedded web engine as its User-Agent unless `headers` name another, and
// accepts compressed replies, decoded before `receive` sees them. Each call
// has an easy handle and a multi handle of its own, so calls may nest (from event
// handlers run while another call waits), and the limits below hold to the
// millisecond. A zero limit is no limit.
struct CurlGet
{
    QString url; // sent exactly as given, without re-encoding
    HttpHeaders headers;
    std::chrono::milliseconds connectTimeout{0};
    // Given up when nothing arrives for this long, counted from the start of the
    // request and from every byte of the reply.
    std::chrono::milliseconds stallTimeout{0};
    std::chrono::milliseconds totalTimeout{0};
    // Takes the body as it arrives; returning false abandons the transfer.
    std::function<bool(const char *data, size_t size)> receive;
    // Runs between the short waits for the reply.
    std::function<void()> betweenWaits;
};

// The reply's HTTP status when the transfer ran to its end; nothing on any failure
// (no connection, a time-out, an abandoned transfer, any libcurl error), and then,
// when `failure` is given, why.
std::optional<int> runCurlGet(const CurlGet &request, HttpFailure *failure = nullptr);
