// Times the real program's end on a virtual display with a window manager and a tray,
// as a user's desktop has, right after the web panel's page wrote its login cookies:
// from the end's start (确定 in the closing question, or SIGTERM) until the main window
// is gone from the screen and until the process is gone. Each way is timed with the
// web engine's default flags, as a desktop starts the program (its GPU process runs,
// on software GL where there is no GPU), and with the tests' --disable-gpu.
//
// For 确定 the clock starts as the key is handed to xdotool, so its figures include
// the few milliseconds xdotool takes to start and press it.

#include "desktop_session.h"
#include "support/program_setting.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <csignal>
#include <optional>

namespace {

const QString mainWindow = QStringLiteral("Skarvel - Tobrin");
const QString exitQuestion = QStringLiteral("Skarvel提醒您");
constexpr int endLimitMs = 30000;

enum class Ending { CloseBoxThenOk, Sigterm };

struct EndTimes
{
    double windowsGoneMs = 0;
    double processGoneMs = 0;
};

// The program's folders, its local web and a desktop, kept for every run.
class ProgramOnDesktop
{
public:
    ProgramOnDesktop()
    {
        // Once the panel's page asks for its picture, its cookies are fresh.
        setting.serveLoggingInPanel();
        desktopReady = desktop.isRunning() && desktop.startWindowManager();
    }

    bool ready() const { return desktopReady && setting.ready(); }

    // No value when the program did not come up, did not end in time or ended with
    // an error; such a program is killed, so the next run starts as the only copy.
    std::optional<EndTimes> endOnce(Ending ending, const QString &chromiumFlags)
    {
        QProcessEnvironment flags;
        flags.insert("QTWEBENGINE_CHROMIUM_FLAGS", chromiumFlags);
        setting.web.clearRequests();
        QProcess *program = desktop.start(setting, flags);
        const std::optional<EndTimes> times = timeTheEnd(*program, ending);
        if (!times) {
            program->kill();
            program->waitForFinished(-1);
        }
        return times;
    }

private:
    std::optional<EndTimes> timeTheEnd(QProcess &program, Ending ending)
    {
        const QString main = desktop.window(mainWindow, 60000);
        if (main.isEmpty() || !setting.web.firstRequestFor("/logged-in.png", 60000))
            return std::nullopt;

        QElapsedTimer clock;
        if (ending == Ending::CloseBoxThenOk) {
            if (!desktop.closeWindow(main))
                return std::nullopt;
            const QString question = desktop.window(exitQuestion, 30000);
            clock.start();
            if (!desktop.pressKey(question, "Return"))
                return std::nullopt;
        } else {
            clock.start();
            if (::kill(pid_t(program.processId()), SIGTERM) != 0)
                return std::nullopt;
        }

        std::optional<double> windowsGone;
        while (clock.elapsed() < endLimitMs) {
            if (!windowsGone && desktop.windows(mainWindow).isEmpty() &&
                desktop.windows(exitQuestion).isEmpty())
                windowsGone = clock.nsecsElapsed() / 1e6;
            if (program.waitForFinished(2)) {
                const double processGone = clock.nsecsElapsed() / 1e6;
                if (program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0)
                    return std::nullopt;
                // A client's windows go with its connection to the display.
                return EndTimes{windowsGone.value_or(processGone), processGone};
            }
        }
        return std::nullopt;
    }

    ProgramSetting setting{SKARVEL_PROGRAM};
    DesktopSession desktop;
    bool desktopReady = false;
};

void BM_End(benchmark::State &state, Ending ending, const char *chromiumFlags)
{
    static ProgramOnDesktop program;
    if (!program.ready()) {
        state.SkipWithError("no virtual display, window manager or program");
        return;
    }
    double windowsTotal = 0;
    double processTotal = 0;
    double processShortest = 0;
    double processLongest = 0;
    int runs = 0;
    for (auto _ : state) {
        const std::optional<EndTimes> times = program.endOnce(ending, chromiumFlags);
        if (!times) {
            state.SkipWithError("the program did not come up or did not end cleanly in time");
            return;
        }
        state.SetIterationTime(times->processGoneMs / 1000.0);
        windowsTotal += times->windowsGoneMs;
        processTotal += times->processGoneMs;
        processShortest =
            runs == 0 ? times->processGoneMs : std::min(processShortest, times->processGoneMs);
        processLongest = std::max(processLongest, times->processGoneMs);
        ++runs;
    }
    state.counters["windows_gone_ms"] = windowsTotal / runs;
    state.counters["process_gone_ms"] = processTotal / runs;
    state.counters["process_gone_min_ms"] = processShortest;
    state.counters["process_gone_max_ms"] = processLongest;
}

} // namespace

BENCHMARK_CAPTURE(BM_End, ok_default_flags, Ending::CloseBoxThenOk, "")
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_End, ok_disable_gpu, Ending::CloseBoxThenOk, "--disable-gpu")
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_End, sigterm_default_flags, Ending::Sigterm, "")
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_End, sigterm_disable_gpu, Ending::Sigterm, "--disable-gpu")
    ->Iterations(5)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
