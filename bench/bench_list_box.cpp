// How the keyword lists behave at their working size: a crawl queue and result list
// of 30,000 rows, asked for every new keyword whether it is listed already, and the
// queue worked off from its first row.
#include "platform/controls/list_box.h"
#include "qt_benchmark_main.h"

#include <QApplication>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int rows = 30000;

void fillCheckingEachText(benchmark::State &state)
{
    QWidget window;
    for (auto _ : state) {
        ListBox list(&window, "List2");
        for (int i = 0; i < rows; ++i) {
            const QString keyword = QStringLiteral("keyword %1").arg(i);
            if (!list.contains(keyword))
                list.AddItem(keyword);
        }
        benchmark::DoNotOptimize(list.ListCount());
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(fillCheckingEachText)->Unit(benchmark::kMillisecond);

void workOffFromTheFirstRow(benchmark::State &state)
{
    QWidget window;
    for (auto _ : state) {
        state.PauseTiming();
        ListBox list(&window, "List1");
        for (int i = 0; i < rows; ++i)
            list.AddItem(QStringLiteral("keyword %1").arg(i));
        state.ResumeTiming();
        while (list.ListCount() > 0) {
            benchmark::DoNotOptimize(list.List(0));
            list.RemoveItem(0);
        }
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(workOffFromTheFirstRow)->Unit(benchmark::kMillisecond);

} // namespace

SKARVEL_BENCHMARK_MAIN()
