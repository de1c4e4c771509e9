#include "support/fake_web.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QStringEncoder>
#include <QThread>
#include <arpa/inet.h>
#include <chrono>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <zlib.h>

namespace {

// httplib hands every connection it accepts to its task queue, so counting the
// tasks counts the connections.
class CountingThreadPool : public httplib::ThreadPool
{
public:
    explicit CountingThreadPool(std::atomic<int> &count)
        : ThreadPool(CPPHTTPLIB_THREAD_POOL_COUNT)
        , count(count)
    {}
    void enqueue(std::function<void()> task) override
    {
        ++count;
        ThreadPool::enqueue(std::move(task));
    }

private:
    std::atomic<int> &count;
};

QByteArray gzipped(const QByteArray &data)
{
    z_stream stream{};
    constexpr int gzipWindowBits = 15 + 16;
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, gzipWindowBits, 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        qFatal("FakeWeb: no gzip compressor");
    QByteArray out(qsizetype(deflateBound(&stream, uLong(data.size()))), '\0');
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.truncate(qsizetype(stream.total_out));
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        qFatal("FakeWeb: gzip compression failed");
    return out;
}

std::optional<int> portOf(const sockaddr_in &address)
{
    if (address.sin_family != AF_INET)
        return std::nullopt;
    return ntohs(address.sin_port);
}

// The client's port of a connection the server accepted on `serverPort`; nothing
// for any other descriptor (the listening socket, the client's own sockets).
std::optional<int> clientPortOf(int descriptor, int serverPort)
{
    sockaddr_in local{};
    sockaddr_in peer{};
    socklen_t localLength = sizeof(local);
    socklen_t peerLength = sizeof(peer);
    if (::getsockname(descriptor, reinterpret_cast<sockaddr *>(&local), &localLength) != 0 ||
        localLength != sizeof(local) || portOf(local) != serverPort ||
        ::getpeername(descriptor, reinterpret_cast<sockaddr *>(&peer), &peerLength) != 0 ||
        peerLength != sizeof(peer))
        return std::nullopt;
    return portOf(peer);
}

FakeWeb::Request recorded(const httplib::Request &req)
{
    FakeWeb::Request request;
    request.method = QByteArray::fromStdString(req.method);
    // httplib decodes the path and the parameters; the target is the request line's
    // own text, so the test sees the bytes exactly as the client sent them.
    request.target = QByteArray::fromStdString(req.target);
    const qsizetype question = request.target.indexOf('?');
    request.path = question < 0 ? request.target : request.target.left(question);
    request.query = question < 0 ? QByteArray() : request.target.mid(question + 1);
    for (const auto &[name, value] : req.headers)
        request.headers.append({QByteArray::fromStdString(name), QByteArray::fromStdString(value)});
    return request;
}

QByteArray encoded(const QString &text, const char *charset)
{
    const QByteArray name = QByteArray(charset).toLower();
    QStringEncoder encoder(name == "gb2312" ? "GBK" : charset);
    return encoder.isValid() ? QByteArray(encoder.encode(text)) : text.toUtf8();
}

} // namespace

QByteArray FakeWeb::Request::header(const QByteArray &name) const
{
    for (const auto &[key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}

bool FakeWeb::Request::hasHeader(const QByteArray &name) const
{
    for (const auto &header : headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

FakeWeb::FakeWeb()
    : server(std::make_unique<httplib::Server>())
{
    // Without it every request on a reused connection stalls about 40 ms.
    server->set_tcp_nodelay(true);
    // An idle kept connection holds one of the server's threads; a short
    // keep-alive time gives it back soon.
    server->set_keep_alive_timeout(1);
    // httplib ends a kept connection after five requests, real services after a
    // hundred or more.
    server->set_keep_alive_max_count(1000);
    server->new_task_queue = [this] { return new CountingThreadPool(accepted); };
    server->set_pre_routing_handler([this](const httplib::Request &req, httplib::Response &) {
        // httplib still reads a request that reached a connection just before the
        // server closed it, and may then know no peer for it any more.
        if (req.remote_port < 0)
            return httplib::Server::HandlerResponse::Handled;
        const std::optional<AfterReply> ending = takeEnding(req.remote_port);
        if (!ending)
            return httplib::Server::HandlerResponse::Unhandled;
        // A request on a connection the server had closed was never read; one on a
        // connection it drops was.
        if (*ending == AfterReply::DropAtNextRequest) {
            std::lock_guard lock(mutex);
            log.append(recorded(req));
        }
        shutDownConnections(req.remote_port);
        return httplib::Server::HandlerResponse::Handled;
    });
    const auto handle = [this](const httplib::Request &req, httplib::Response &res) {
        serve(req, res);
    };
    const char *anyPath = ".*";
    server->Get(anyPath, handle);
    server->Post(anyPath, handle);
    server->Put(anyPath, handle);
    server->Delete(anyPath, handle);
    server->Patch(anyPath, handle);
    server->Options(anyPath, handle);
    listeningPort = server->bind_to_any_port("127.0.0.1");
    if (listeningPort <= 0)
        qFatal("FakeWeb: no port to listen on");
    thread = std::thread([this] { server->listen_after_bind(); });
    // httplib's stop() does nothing until the server runs, so a server stopped
    // straight after its start would never end.
    while (!server->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

FakeWeb::~FakeWeb()
{
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    stopped.notify_all();
    server->stop();
    // httplib waits out the keep-alive time of every connection a client still
    // holds open; ending them lets the server stop at once.
    shutDownConnections(std::nullopt);
    thread.join();
}

QString FakeWeb::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(listeningPort);
}

void FakeWeb::route(const QString &path, const Reply &reply)
{
    route(path, Handler([reply](const Request &) { return reply; }));
}

void FakeWeb::route(const QString &path, const QString &body, const char *charset)
{
    Reply reply;
    reply.body = encoded(body, charset);
    reply.contentType = QByteArray("text/html; charset=") + charset;
    route(path, reply);
}

void FakeWeb::route(const QString &path, Handler handler)
{
    std::lock_guard lock(mutex);
    routes.insert(path.toUtf8(), std::move(handler));
}

void FakeWeb::answer(const Request &request, Reply &reply)
{
    Handler handler;
    {
        std::lock_guard lock(mutex);
        log.append(request);
        handler = routes.value(request.path);
    }
    if (handler) {
        reply = handler(request);
    } else {
        reply.status = 404;
        reply.body.clear();
    }
}

void FakeWeb::serve(const httplib::Request &req, httplib::Response &res)
{
    Reply reply;
    answer(recorded(req), reply);
    if (reply.delayMs > 0)
        pause(reply.delayMs);
    res.status = reply.status;
    for (const auto &[name, value] : reply.headers)
        res.headers.emplace(name.toStdString(), value.toStdString());
    if (reply.afterReply == AfterReply::Close)
        res.set_header("Connection", "close");
    if (reply.afterReply == AfterReply::DropAtNextRequest)
        endAtNextRequest(req.remote_port, reply.afterReply);
    if (reply.gzipped)
        res.set_header("Content-Encoding", "gzip");
    const QByteArray body = reply.gzipped ? gzipped(reply.body) : reply.body;
    const std::string contentType = reply.contentType.toStdString();
    if (body.isEmpty()) {
        if (reply.afterReply == AfterReply::CloseSilently)
            qFatal("FakeWeb: a connection closed after the reply needs a body");
        res.set_content(std::string(), contentType);
        return;
    }
    // A body of known length from a provider goes out as it is, where httplib
    // would compress a whole text body whenever the client accepts it: the test
    // decides what is compressed.
    const bool closes = reply.afterReply == AfterReply::CloseSilently;
    const int clientPort = req.remote_port;
    const int trickleMs = reply.trickleMs;
    const auto provide = [=, this](size_t offset, size_t length, httplib::DataSink &sink) {
        if (trickleMs > 0) {
            pause(trickleMs);
            if (isStopping())
                return false;
            length = 1;
        }
        const bool closesNow = closes && offset + length == size_t(body.size());
        if (closesNow)
            endAtNextRequest(clientPort, AfterReply::CloseSilently);
        if (!sink.write(body.constData() + offset, length))
            return false;
        if (closesNow)
            shutDownConnections(clientPort);
        return true;
    };
    res.set_content_provider(size_t(body.size()), contentType, provide);
}

int FakeWeb::connectionsAccepted() const
{
    return accepted;
}

void FakeWeb::endAtNextRequest(int clientPort, AfterReply how)
{
    std::lock_guard lock(mutex);
    endingConnections.insert(clientPort, how);
}

std::optional<FakeWeb::AfterReply> FakeWeb::takeEnding(int clientPort)
{
    std::lock_guard lock(mutex);
    const auto ending = endingConnections.constFind(clientPort);
    if (ending == endingConnections.cend())
        return std::nullopt;
    const AfterReply how = *ending;
    endingConnections.erase(ending);
    return how;
}

// httplib gives a handler no access to its connection, so the connection is found
// among the process's descriptors by its two ends. It is only ever shut down, not
// closed: httplib still owns the descriptor and closes it.
QList<int> FakeWeb::connectionsFrom(std::optional<int> clientPort) const
{
    QList<int> connections;
    const QStringList descriptors =
        QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : descriptors) {
        bool isNumber = false;
        const int descriptor = name.toInt(&isNumber);
        if (!isNumber)
            continue;
        const std::optional<int> port = clientPortOf(descriptor, listeningPort);
        if (port && (!clientPort || port == clientPort))
            connections.append(descriptor);
    }
    return connections;
}

void FakeWeb::shutDownConnections(std::optional<int> clientPort) const
{
    for (int connection : connectionsFrom(clientPort))
        ::shutdown(connection, SHUT_RDWR);
}

QList<FakeWeb::Request> FakeWeb::requests() const
{
    std::lock_guard lock(mutex);
    return log;
}

std::optional<FakeWeb::Request> FakeWeb::firstRequestFor(const QByteArray &path, int ms) const
{
    const QDeadlineTimer deadline(ms);
    do {
        for (const Request &request : requests()) {
            if (request.path == path)
                return request;
        }
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return std::nullopt;
}

void FakeWeb::clearRequests()
{
    std::lock_guard lock(mutex);
    log.clear();
}

void FakeWeb::pause(int ms)
{
    std::unique_lock lock(mutex);
    stopped.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stopping; });
}

bool FakeWeb::isStopping() const
{
    std::lock_guard lock(mutex);
    return stopping;
}

int FakeWeb::unusedPort()
{
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    int port = 0;
    if (::bind(sock, reinterpret_cast<sockaddr *>(&address), sizeof(address)) == 0 &&
        ::getsockname(sock, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(sock);
    return port;
}

QString FakeWeb::refusingBaseUrl()
{
    return QStringLiteral("http://127.0.0.1:%1").arg(unusedPort());
}
