#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

// A web server on 127.0.0.1 that plays the outside services in tests: canned
// replies per path, status codes, delays, compressed and trickling replies, and a
// log of every request received. Like real services it keeps each connection open
// for the client's next request unless a reply says otherwise.
class FakeWeb
{
public:
    using Headers = QList<QPair<QByteArray, QByteArray>>;

    // What becomes of the connection after a reply.
    enum class AfterReply {
        KeepOpen,
        // The reply says "Connection: close", so the client must not reuse it.
        Close,
        // Closed by the server straight after the reply's last byte without a
        // word, as by a server's idle time-out; only for a reply with a body.
        CloseSilently,
        // Left open, then dropped when the client's next request on it has
        // arrived, unanswered: a server whose idle time-out strikes just as the
        // client reuses the connection.
        DropAtNextRequest,
    };

    struct Reply
    {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "text/html";
        // Waited before anything is sent. A delay beyond the client's time-out
        // makes a server that never answers; the server still stops at once.
        int delayMs = 0;
        Headers headers; // extra reply headers, e.g. Set-Cookie
        // Sent compressed, with "Content-Encoding: gzip".
        bool gzipped = false;
        // When set, the body is sent one byte at a time, each after this pause,
        // so the reply never falls silent for long and yet takes its time.
        int trickleMs = 0;
        AfterReply afterReply = AfterReply::KeepOpen;
    };

    struct Request
    {
        QByteArray method;
        QByteArray path;   // the raw path as sent, without the query
        QByteArray query;  // the raw query as sent, byte for byte ("wd=%C3%C0&x=1")
        QByteArray target; // the raw path and query as sent
        Headers headers;
        // The first value of a header, its name matched case-insensitively.
        QByteArray header(const QByteArray &name) const;
        bool hasHeader(const QByteArray &name) const;
    };

    using Handler = std::function<Reply(const Request &)>;

    FakeWeb();
    ~FakeWeb();
    FakeWeb(const FakeWeb &) = delete;
    FakeWeb &operator=(const FakeWeb &) = delete;

    QString baseUrl() const; // "http://127.0.0.1:PORT"
    int port() const { return listeningPort; }

    // Paths match the request's raw path exactly; a later route replaces an
    // earlier one. Any other path is answered 404 with an empty body.
    void route(const QString &path, const Reply &reply);
    // A page whose text is encoded in `charset` ("utf-8", "gbk" or "gb2312").
    void route(const QString &path, const QString &body, const char *charset = "utf-8");
    void route(const QString &path, Handler handler);

    QList<Request> requests() const;
    void clearRequests();
    // The first request for `path` since the last clearRequests, waiting up to `ms`
    // for one to come from another process; no value when none came.
    std::optional<Request> firstRequestFor(const QByteArray &path, int ms) const;
    // The connections accepted since the server started.
    int connectionsAccepted() const;

    // Waits up to `ms` inside a handler; returns early when the server stops.
    void pause(int ms);

    // A port on 127.0.0.1 on which nothing listens, so a connection is refused.
    static int unusedPort();
    static QString refusingBaseUrl();

private:
    void serve(const httplib::Request &req, httplib::Response &res);
    void answer(const Request &request, Reply &reply);
    bool isStopping() const;
    // The connection from `clientPort` ends when its next request arrives.
    void endAtNextRequest(int clientPort, AfterReply how);
    std::optional<AfterReply> takeEnding(int clientPort);
    QList<int> connectionsFrom(std::optional<int> clientPort) const;
    void shutDownConnections(std::optional<int> clientPort) const;

    std::unique_ptr<httplib::Server> server;
    std::thread thread;
    int listeningPort = 0;

    mutable std::mutex mutex;
    std::condition_variable stopped;
    bool stopping = false;
    QMap<QByteArray, Handler> routes;
    QList<Request> log;
    QMap<int, AfterReply> endingConnections; // by the client's port
    std::atomic<int> accepted{0};
};
