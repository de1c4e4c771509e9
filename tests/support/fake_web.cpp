#include "support/fake_web.h"

#include <QStringEncoder>
#include <arpa/inet.h>
#include <chrono>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

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
    // An idle connection a client keeps open must not hold up stopping for long.
    server->set_keep_alive_timeout(1);
    const auto handle = [this](const httplib::Request &req, httplib::Response &res) {
        const Request request = recorded(req);
        Reply reply;
        answer(request, reply);
        if (reply.delayMs > 0)
            pause(reply.delayMs);
        res.status = reply.status;
        for (const auto &[name, value] : reply.headers)
            res.headers.emplace(name.toStdString(), value.toStdString());
        res.set_content(reply.body.toStdString(), reply.contentType.toStdString());
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

QList<FakeWeb::Request> FakeWeb::requests() const
{
    std::lock_guard lock(mutex);
    return log;
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
