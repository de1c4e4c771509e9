// How long copying the member list takes at the size of the largest QQ groups:
// 3,000 members written to the cache file and read back with the tab marker
// replaced after every line.
#include "platform/controls/list_view.h"
#include "qqgroups/clipboard_text.h"
#include "qqgroups/list_export.h"
#include "qt_benchmark_main.h"
#include "support/temp_folders.h"

#include <QFile>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace {

constexpr int members = 3000;

void fillMembers(ListView &list)
{
    for (const char *header : {"群昵称", "QQ号码", "群号码", "群名称", "序号"})
        list.addColumn(header, 1000);
    for (int member = 1; member <= members; ++member) {
        const int row = list.addRow(QStringLiteral("成员%1").arg(member));
        list.setSubItem(row, 1, QStringLiteral("\t%1\t").arg(100000 + member));
        list.setSubItem(row, 2, "\t123456");
        list.setSubItem(row, 3, "\t亚马逊卖家交流群");
        list.setSubItem(row, 4, QStringLiteral("\t%1").arg(member));
    }
}

void copyMemberList(benchmark::State &state)
{
    QWidget window;
    ListView list(&window, "ListView2");
    fillMembers(list);
    TempFolders folders;
    const QString path = folders.profile("QQ群成员列表（剪贴板缓存）.txt");
    for (auto _ : state) {
        ExportListViewContent(list, path);
        QFile cache(path);
        cache.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(clipboardText(cache.readAll(), QStringLiteral("@qq.com\t")));
    }
    state.SetItemsProcessed(state.iterations() * members);
}
BENCHMARK(copyMemberList)->Unit(benchmark::kMillisecond);

} // namespace

SKARVEL_BENCHMARK_MAIN()
