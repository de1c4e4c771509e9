#pragma once

#include "platform/http_failure.h"
#include "platform/http_types.h"

#include <QString>
#include <optional>

// The program's own synchronous HTTP requests. A call blocks until the reply is
// complete or its time-outs (HttpTimeouts) give it up, and runs no window events
// meanwhile. Like every request of the program (CurlGet) it reuses a kept
// connection to the host, names the web engine as its User-Agent and accepts
// compressed replies, handing back the decoded body.
class HttpClient
{
public:
    explicit HttpClient(HttpTimeouts timeouts = {});

    // A GET without credentials that follows redirects. The body comes back
    // whatever the status; nothing when no reply came (no connection, a time-out,
    // any transfer error), and then, when `failure` is given, why.
    std::optional<HttpReply> get(const QString &url, const HttpHeaders &headers = {},
                                 HttpFailure *failure = nullptr) const;

    const HttpTimeouts &limits() const { return timeouts; }

private:
    HttpTimeouts timeouts;
};
