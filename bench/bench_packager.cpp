#include "upc/package_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int artworkFiles = 5000;
constexpr int packagedCodes = 2000;

// A source folder whose Artwork holds barcode-sized GIFs named after 12-digit codes.
bool makeSource(const QString &source)
{
    const QString artwork = source + "/Artwork";
    if (!QDir().mkpath(artwork))
        return false;
    const QByteArray picture(1800, 'g');
    for (int i = 0; i < artworkFiles; ++i) {
        QFile file(QString("%1/%2.gif").arg(artwork).arg(600000000000LL + i));
        if (!file.open(QIODevice::WriteOnly) || file.write(picture) != picture.size())
            return false;
    }
    return true;
}

void packagingPerFile(benchmark::State &state)
{
    int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir root;
        const QString source = root.filePath("orvoupc");
        if (!makeSource(source)) {
            state.SkipWithError("could not make the artwork");
            break;
        }
        PackageOrder order;
        order.sourceFolder = source;
        order.packageName = QString("2014-03-12_093005-buyer-%1").arg(++run);
        order.sides = {{"Artwork", "UPC-A", "UPC - Spreadsheet - Excel.xls"}};
        order.countText = QString::number(packagedCodes);
        order.spreadsheetPattern = "*.gif";
        state.ResumeTiming();

        if (packOrder(order) != PackOutcome::Packed) {
            state.SkipWithError("the run packed nothing");
            break;
        }

        state.PauseTiming();
        root.remove();
        state.ResumeTiming();
    }
    state.counters["per_file"] =
        benchmark::Counter(double(state.iterations()) * packagedCodes,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(packagingPerFile)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
