#pragma once

#include "platform/http_types.h"

#include <QByteArray>
#include <QString>
#include <chrono>
#include <optional>

// The Internet transfer control's OpenURL: a GET that, while it waits, lets the
// pending window events run, and gives up after its request time-out, counted
// over the whole request. It shares the kept connections, the User-Agent and the
// compressed replies of every request of the program (CurlGet).
class Inet
{
public:
    explicit Inet(std::chrono::milliseconds timeout = std::chrono::seconds(60));

    // The reply's body whatever its status; nothing when the request failed
    // (no connection, the time-out, any transfer error). An empty body is an
    // empty result, not a failure.
    std::optional<QByteArray> openUrlBytes(const QString &url, const HttpHeaders &headers = {});
    // The same body turned into text through the ANSI code page (GBK), never
    // read as UTF-8.
    std::optional<QString> openUrl(const QString &url, const HttpHeaders &headers = {});

    void setRunsEventsWhileWaiting(bool runs) { runsEvents = runs; }
    bool runsEventsWhileWaiting() const { return runsEvents; }
    std::chrono::milliseconds limit() const { return timeout; }

private:
    std::chrono::milliseconds timeout;
    bool runsEvents = true;
};

// For the length of a scope the transfer control lets no window event run while it
// waits, then runs them again as it did before: a window whose fetch must take no input
// (no second click, no other choice in a list) until both of its requests are answered.
class InetEventsPaused
{
public:
    explicit InetEventsPaused(Inet &inet)
        : inet(inet)
        , runsEventsBefore(inet.runsEventsWhileWaiting())
    {
        inet.setRunsEventsWhileWaiting(false);
    }
    ~InetEventsPaused() { inet.setRunsEventsWhileWaiting(runsEventsBefore); }
    InetEventsPaused(const InetEventsPaused &) = delete;
    InetEventsPaused &operator=(const InetEventsPaused &) = delete;

private:
    Inet &inet;
    const bool runsEventsBefore;
};
