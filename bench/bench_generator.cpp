#include "qt_benchmark_main.h"
#include "support/fake_services.h"
#include "support/fake_web.h"
#include "upc/code_type_table.h"
#include "upc/generator_panel.h"
#include "upc/upc_generation.h"

#include <QApplication>
#include <QDir>
#include <QUrlQuery>
#include <benchmark/benchmark.h>

namespace {

constexpr int largestRun = 9999; // the count box takes four digits
constexpr int exportedCodes = 200;

const QString upc12 = QStringLiteral("UPC-12位");

void perCode(benchmark::State &state, int codes)
{
    state.counters["per_code"] =
        benchmark::Counter(double(state.iterations()) * codes,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void generateLargestRun(benchmark::State &state)
{
    const CodeType &type = *findCodeType(upc12);
    for (auto _ : state)
        benchmark::DoNotOptimize(generateRun(type, {5, 36000, 0, largestRun, 1}));
    perCode(state, largestRun);
}

// The generate button on the panel: the settings written, the list filled and
// its first code made current (whose preview finds the service refusing).
void generateLargestRunOnThePanel(benchmark::State &state)
{
    FakeServices fake;
    GeneratorPanel panel(fake.services);
    panel.enableCountAndInterval();
    panel.runStartupSteps({});
    panel.Text2.setText("36000");
    panel.Text5.setText("0");
    panel.Text3.setText(QString::number(largestRun));
    for (auto _ : state)
        panel.Command6.click();
    perCode(state, largestRun);
}

// The export of a run against a barcode service on this machine.
void exportAgainstLocalService(benchmark::State &state)
{
    FakeWeb web;
    const QByteArray picture(1800, 'g');
    web.route("/ashx/Barcodes.ashx", [](const FakeWeb::Request &request) {
        const QString code =
            QUrlQuery(QString::fromLatin1(request.query)).queryItemValue("txtInput1");
        return FakeWeb::Reply{200, "<img src=\"/Temp/" + code.toLatin1() + ".gif@330\">"};
    });
    const QStringList codes =
        generateRun(*findCodeType(upc12), {0, 36000, 0, exportedCodes, 1}).split("\r\n");
    for (const QString &code : codes)
        web.route("/Temp/" + code + ".gif", FakeWeb::Reply{200, picture, "image/gif"});

    FakeServices fake(web.baseUrl());
    QDir(fake.services.paths.programDir).mkpath("orvoupc/Artwork");
    GeneratorPanel panel(fake.services);
    panel.enableCountAndInterval();
    panel.runStartupSteps({});
    panel.Combo3.setText("0");
    panel.Text2.setText("36000");
    panel.Text5.setText("0");
    panel.Text3.setText(QString::number(exportedCodes));
    for (auto _ : state) {
        state.PauseTiming();
        panel.Command6.click();
        fake.dialogs.queueAnswer(MsgResult::Cancel);
        state.ResumeTiming();
        panel.Command11.click();
    }
    perCode(state, exportedCodes);
}

} // namespace

BENCHMARK(generateLargestRun)->Unit(benchmark::kMillisecond);
BENCHMARK(generateLargestRunOnThePanel)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(exportAgainstLocalService)->Unit(benchmark::kMillisecond)->UseRealTime();

SKARVEL_BENCHMARK_MAIN()
