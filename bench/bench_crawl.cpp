// A crawl of 30,000 keywords with delay 0 over a local completion service, beside
// the same requests made in a plain loop through the program's client and in one
// through raw libcurl on a single kept connection (one easy handle for every
// request: what the requests alone can reach). The per-keyword figures of the first
// and the last thousand keywords show whether the crawl's own work grows with its
// lists; the difference between crawl and client loop is what the crawl adds, in
// time and in the window thread's processor time (steadier on a busy machine).
#include "keywords/fake_suggestions.h"
#include "keywords/form2.h"
#include "platform/http_client.h"
#include "platform/inet.h"
#include "qt_benchmark_main.h"
#include "support/fake_services.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <curl/curl.h>
#include <mutex>
#include <time.h>

namespace {

constexpr int keywordCount = 30000;
constexpr int window = 1000;
const QString path = QStringLiteral("/search/complete");
const QString query =
    QStringLiteral("/search/complete?method=completion&search-alias=aps&mkt=1&q=");

using SteadyClock = std::chrono::steady_clock;

QString keyword(int i)
{
    return QStringLiteral("k%1").arg(i);
}

// A tree of 30,000 keywords whose suggestions also point back to the parent, to
// the seed and across the tree, so most suggestions are known already.
QStringList suggestionsFor(const QString &asked)
{
    const bool twin = asked.endsWith(' ');
    const int i = asked.mid(1, asked.size() - 1 - (twin ? 1 : 0)).toInt();
    QStringList suggestions;
    if (twin) {
        suggestions << keyword((i * 7 + 3) % keywordCount) << keyword((i * 13 + 5) % keywordCount);
    } else {
        for (int child : {2 * i + 1, 2 * i + 2}) {
            if (child < keywordCount)
                suggestions << keyword(child);
        }
        suggestions << keyword((i - 1) / 2) << keyword(0);
    }
    return suggestions;
}

// The completion service, noting when each keyword's first request arrives.
class Service
{
public:
    Service()
    {
        web.route(path, [this](const FakeWeb::Request &request) {
            const QString asked = FakeSuggestions::queryValue(request, "q");
            if (!asked.endsWith(' ')) {
                std::lock_guard lock(mutex);
                if (!started.contains(asked)) {
                    started.insert(asked);
                    starts.push_back(SteadyClock::now());
                }
            }
            FakeWeb::Reply reply;
            reply.body = FakeSuggestions::amazonReply(asked, suggestionsFor(asked));
            return reply;
        });
    }

    void reset()
    {
        std::lock_guard lock(mutex);
        started.clear();
        starts.clear();
        web.clearRequests();
    }

    // Milliseconds per keyword over the thousand keywords from `first` on.
    double msPerKeyword(size_t first) const
    {
        std::lock_guard lock(mutex);
        const auto span = starts[first + window] - starts[first];
        return std::chrono::duration<double, std::milli>(span).count() / window;
    }
    size_t keywords() const
    {
        std::lock_guard lock(mutex);
        return starts.size();
    }

    FakeWeb web;

private:
    mutable std::mutex mutex;
    QSet<QString> started;
    std::vector<SteadyClock::time_point> starts;
};

struct Rates
{
    double seconds = 0;
    double cpuSeconds = 0; // of this thread
    double firstMs = 0;
    double lastMs = 0;
};

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

Rates measure(Service &service, const std::function<void()> &run)
{
    service.reset();
    const auto begin = SteadyClock::now();
    const double cpuBegin = threadCpuSeconds();
    run();
    Rates rates;
    rates.cpuSeconds = threadCpuSeconds() - cpuBegin;
    rates.seconds = std::chrono::duration<double>(SteadyClock::now() - begin).count();
    rates.firstMs = service.msPerKeyword(0);
    rates.lastMs = service.msPerKeyword(service.keywords() - window - 1);
    return rates;
}

size_t keepBody(char *data, size_t size, size_t count, void *body)
{
    static_cast<QByteArray *>(body)->append(data, qsizetype(size * count));
    return size * count;
}

// The four requests of every keyword through one easy handle, which keeps its
// connection open between requests.
void rawLoop(const QString &base)
{
    CURL *easy = curl_easy_init();
    QByteArray body;
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, keepBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    for (int i = 0; i < keywordCount; ++i) {
        const QByteArray url = (base + query + keyword(i)).toUtf8();
        for (const QByteArray &address : {url, url, url + "%20", url + "%20"}) {
            body.clear();
            curl_easy_setopt(easy, CURLOPT_URL, address.constData());
            curl_easy_perform(easy);
        }
    }
    curl_easy_cleanup(easy);
}

double perKeyword(double seconds)
{
    return seconds * 1000 / keywordCount;
}

void crawl30000Keywords(benchmark::State &state)
{
    Service service;
    FakeServices fake(service.web.baseUrl());
    for (auto _ : state) {
        const Rates raw = measure(service, [&] { rawLoop(service.web.baseUrl()); });
        // The same four requests per keyword as the crawl, through the program's client.
        const Rates loop = measure(service, [&] {
            for (int i = 0; i < keywordCount; ++i) {
                const QString url = service.web.baseUrl() + query + keyword(i);
                fake.http.get(url);
                fake.inet.openUrlBytes(url);
                fake.http.get(url + "%20");
                fake.inet.openUrlBytes(url + "%20");
            }
        });

        Form2 form(fake.services);
        form.load();
        if (qEnvironmentVariableIsSet("BENCH_SHOWN"))
            form.show();
        form.Combo3.setText("0");
        form.Text1.setText(keyword(0));
        const Rates crawl = measure(service, [&] { form.Command1.click(); });
        if (form.List2.ListCount() != keywordCount)
            state.SkipWithError("the crawl did not reach every keyword");
        state.SetIterationTime(crawl.seconds);

        state.counters["crawl_keywords_per_s"] = keywordCount / crawl.seconds;
        state.counters["loop_keywords_per_s"] = keywordCount / loop.seconds;
        state.counters["raw_keywords_per_s"] = keywordCount / raw.seconds;
        state.counters["crawl_share_of_raw"] = raw.seconds / crawl.seconds;
        state.counters["crawl_ms_per_kw_first_1000"] = crawl.firstMs;
        state.counters["crawl_ms_per_kw_last_1000"] = crawl.lastMs;
        state.counters["loop_ms_per_kw_first_1000"] = loop.firstMs;
        state.counters["loop_ms_per_kw_last_1000"] = loop.lastMs;
        state.counters["raw_ms_per_kw_first_1000"] = raw.firstMs;
        state.counters["raw_ms_per_kw_last_1000"] = raw.lastMs;
        state.counters["own_ms_per_kw_first_1000"] = crawl.firstMs - loop.firstMs;
        state.counters["own_ms_per_kw_last_1000"] = crawl.lastMs - loop.lastMs;
        state.counters["crawl_cpu_ms_per_kw"] = perKeyword(crawl.cpuSeconds);
        state.counters["loop_cpu_ms_per_kw"] = perKeyword(loop.cpuSeconds);
        state.counters["own_cpu_ms_per_kw"] = perKeyword(crawl.cpuSeconds - loop.cpuSeconds);
    }
}
BENCHMARK(crawl30000Keywords)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

SKARVEL_BENCHMARK_MAIN()
