#include "platform/curl_get.h"

#include "platform/web_engine_user_agent.h"

#include <curl/curl.h>
#include <memory>
#include <utility>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;

// Short enough for the stall limit to be kept closely and for pending events to
// run without a noticeable lag; curl wakes earlier whenever data arrives.
constexpr int pollMs = 10;

struct Transfer
{
    const CurlGet *request;
    SteadyClock::time_point lastActivity;
};

size_t onBody(char *data, size_t size, size_t count, void *user)
{
    auto *transfer = static_cast<Transfer *>(user);
    transfer->lastActivity = SteadyClock::now();
    const size_t bytes = size * count;
    if (transfer->request->receive && !transfer->request->receive(data, bytes))
        return CURL_WRITEFUNC_ERROR;
    return bytes;
}

size_t onHeader(char *, size_t size, size_t count, void *user)
{
    static_cast<Transfer *>(user)->lastActivity = SteadyClock::now();
    return size * count;
}

void initialiseCurlOnce()
{
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    Q_UNUSED(initialised);
}

struct ShareDeleter
{
    void operator()(CURLSH *share) const { curl_share_cleanup(share); }
};
struct EasyDeleter
{
    void operator()(CURL *easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter
{
    void operator()(CURLM *multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter
{
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};

std::unique_ptr<curl_slist, ListDeleter> headerList(const HttpHeaders &headers)
{
    curl_slist *list = nullptr;
    for (const auto &[name, value] : headers) {
        // "Name;" is how libcurl sends a header with an empty value.
        const QByteArray line = value.isEmpty() ? name + ';' : name + ": " + value;
        list = curl_slist_append(list, line.constData());
    }
    return std::unique_ptr<curl_slist, ListDeleter>(list);
}

using HandlePair =
    std::pair<std::unique_ptr<CURL, EasyDeleter>, std::unique_ptr<CURLM, MultiDeleter>>;

// Every request of a thread takes its connection from one connection cache (and
// its host names from one DNS cache), so consecutive requests to a host, the hops
// of a redirect, the page fetch, the transfer control and the downloads all
// reuse an open connection, as the Windows stack keeps its connections. A share
// object rather than a pool of handles: each call keeps its own easy and multi
// handle, so a call made from the events that another call runs while it waits
// needs nothing of the outer call, and the cache hands it only idle connections
// (libcurl adds a transfer to a busy connection only within one multi handle,
// and one multi handle here never has more than one transfer). libcurl does not
// share connections between threads that run at once, so the cache is the
// thread's own and needs no locks. (Shared connection caches came with libcurl
// 7.57; Debian 12 has 7.88.)
//
// A kept connection the server has dropped is noticed before it is used, or,
// when the server drops it while the request is on its way, the request is sent
// again once on a new connection provided no byte of the reply had arrived;
// libcurl does both itself, which is the Windows stack's own retry.
//
// A pair of handles is dear to make (the multi handle opens a wake-up socket pair
// of its own), so the thread also keeps the pairs its finished calls leave, and
// the next call takes one back, reset.
struct ThreadCurl
{
    ThreadCurl()
        : share(curl_share_init())
    {
        if (share) {
            curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
            curl_share_setopt(share.get(), CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
        }
    }

    // Declared first, so freed last: libcurl refuses to free a share that a handle
    // still names, and the share would then keep its connections open for good
    // once the thread has ended.
    std::unique_ptr<CURLSH, ShareDeleter> share;
    std::vector<HandlePair> idle;
};

ThreadCurl &threadCurl()
{
    thread_local ThreadCurl curl;
    return curl;
}

// A call's pair of handles, taken from the thread's idle pairs or made anew, and
// given back when the call ends. A call made from the events another call runs
// while it waits takes a pair of its own, never the one in use.
class PooledHandles
{
public:
    PooledHandles()
    {
        std::vector<HandlePair> &idle = threadCurl().idle;
        if (idle.empty()) {
            easy.reset(curl_easy_init());
            multi.reset(curl_multi_init());
            return;
        }
        easy = std::move(idle.back().first);
        multi = std::move(idle.back().second);
        idle.pop_back();
        curl_easy_reset(easy.get());
    }
    ~PooledHandles()
    {
        if (easy && multi)
            threadCurl().idle.emplace_back(std::move(easy), std::move(multi));
    }
    PooledHandles(const PooledHandles &) = delete;
    PooledHandles &operator=(const PooledHandles &) = delete;

    std::unique_ptr<CURL, EasyDeleter> easy;
    std::unique_ptr<CURLM, MultiDeleter> multi;
};

} // namespace

std::optional<int> runCurlGet(const CurlGet &request, HttpFailure *failure)
{
    initialiseCurlOnce();
    PooledHandles handles;
    const auto &easy = handles.easy;
    const auto &multi = handles.multi;
    if (failure)
        *failure = HttpFailure::Other;
    if (!easy || !multi)
        return std::nullopt;

    Transfer transfer{&request, SteadyClock::now()};
    const QByteArray url = request.url.toUtf8();
    const auto headers = headerList(request.headers);
    CURL *handle = easy.get();
    curl_easy_setopt(handle, CURLOPT_URL, url.constData());
    curl_easy_setopt(handle, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(handle, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 30L);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_SHARE, threadCurl().share.get());
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    // Asked like the program's own browsers ask: many services refuse a request
    // that names no browser. A User-Agent among the caller's headers replaces it.
    curl_easy_setopt(handle, CURLOPT_USERAGENT, webEngineUserAgent().constData());
    // Every compression libcurl can undo is accepted and undone before the body
    // reaches `receive`, so callers see the bytes the server meant.
    curl_easy_setopt(handle, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, onBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &transfer);
    if (request.connectTimeout.count() > 0)
        curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, long(request.connectTimeout.count()));
    if (request.totalTimeout.count() > 0)
        curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, long(request.totalTimeout.count()));

    if (curl_multi_add_handle(multi.get(), handle) != CURLM_OK)
        return std::nullopt;
    std::optional<CURLcode> result;
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK)
            break;
        if (running == 0) {
            int queued = 0;
            while (CURLMsg *message = curl_multi_info_read(multi.get(), &queued)) {
                if (message->msg == CURLMSG_DONE)
                    result = message->data.result;
            }
            break;
        }
        if (request.stallTimeout.count() > 0 &&
            SteadyClock::now() - transfer.lastActivity >= request.stallTimeout)
            break;
        if (request.betweenWaits)
            request.betweenWaits();
        if (curl_multi_poll(multi.get(), nullptr, 0, pollMs, nullptr) != CURLM_OK)
            break;
    }
    curl_multi_remove_handle(multi.get(), handle);

    if (result != CURLE_OK) {
        if (failure && (result == CURLE_COULDNT_RESOLVE_HOST ||
                        result == CURLE_COULDNT_RESOLVE_PROXY || result == CURLE_COULDNT_CONNECT))
            *failure = HttpFailure::Unreachable;
        return std::nullopt;
    }
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    return int(status);
}
