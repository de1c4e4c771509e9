// Times the real program's start-up over several runs on a virtual display, with the
// maker's site played locally: from the process start to the splash on screen and to
// the main window, and the program's peak memory. The main window waits 3000 ms on
// its timer after the start-up; what the start-up adds to that is reported apart.

#include "support/program_setting.h"
#include "support/virtual_display.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

const std::string splashTitle = "Skarvel";
const std::string mainTitle = "Skarvel - Tobrin";
constexpr double timerWaitMs = 3000;

// The titles of the top-level windows on screen, read straight from the X server.
class ScreenWatch
{
public:
    explicit ScreenWatch(const QString &display)
        : connection(xcb_connect(display.toLocal8Bit().constData(), nullptr))
    {
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const char name[] = "_NET_WM_NAME";
        const char type[] = "UTF8_STRING";
        xcb_intern_atom_reply_t *nameReply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
        xcb_intern_atom_reply_t *typeReply = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, sizeof type - 1, type), nullptr);
        netWmName = nameReply ? nameReply->atom : XCB_ATOM_NONE;
        utf8String = typeReply ? typeReply->atom : XCB_ATOM_NONE;
        free(nameReply);
        free(typeReply);
    }
    ~ScreenWatch() { xcb_disconnect(connection); }

    bool connected() const { return xcb_connection_has_error(connection) == 0; }

    std::vector<std::string> visibleTitles()
    {
        std::vector<std::string> titles;
        xcb_query_tree_reply_t *tree =
            xcb_query_tree_reply(connection, xcb_query_tree(connection, root), nullptr);
        if (!tree)
            return titles;
        const xcb_window_t *children = xcb_query_tree_children(tree);
        const int count = xcb_query_tree_children_length(tree);
        std::vector<xcb_get_window_attributes_cookie_t> states;
        std::vector<xcb_get_property_cookie_t> names;
        for (int i = 0; i < count; ++i) {
            states.push_back(xcb_get_window_attributes(connection, children[i]));
            names.push_back(
                xcb_get_property(connection, 0, children[i], netWmName, utf8String, 0, 256));
        }
        for (int i = 0; i < count; ++i) {
            xcb_get_window_attributes_reply_t *state =
                xcb_get_window_attributes_reply(connection, states[i], nullptr);
            xcb_get_property_reply_t *name = xcb_get_property_reply(connection, names[i], nullptr);
            if (state && name && state->map_state == XCB_MAP_STATE_VIEWABLE)
                titles.emplace_back(static_cast<const char *>(xcb_get_property_value(name)),
                                    xcb_get_property_value_length(name));
            free(state);
            free(name);
        }
        free(tree);
        return titles;
    }

private:
    xcb_connection_t *connection;
    xcb_window_t root = 0;
    xcb_atom_t netWmName = XCB_ATOM_NONE;
    xcb_atom_t utf8String = XCB_ATOM_NONE;
};

struct Run
{
    std::optional<double> splashMs;
    std::optional<double> mainMs;
    double peakRssMb = 0;
};

// The program in a folder of its own on a virtual display.
class ProgramOnDisplay
{
public:
    ProgramOnDisplay()
    {
        for (const QString &entry : setting.environment(display.name()).toStringList())
            variables.push_back(entry.toStdString());
    }

    bool ready() const { return !display.name().isEmpty() && setting.ready(); }

    Run runOnce()
    {
        Run run;
        ScreenWatch screen(display.name());
        if (!screen.connected())
            return run;
        std::vector<char *> envp;
        for (std::string &variable : variables)
            envp.push_back(variable.data());
        envp.push_back(nullptr);
        std::string path = setting.program().toStdString();
        char *argv[] = {path.data(), nullptr};

        const Clock::time_point start = Clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0)
            return run;
        const auto elapsedMs = [start] {
            return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        };
        while (!run.mainMs && elapsedMs() < 60000) {
            const std::vector<std::string> titles = screen.visibleTitles();
            const auto shows = [&titles](const std::string &title) {
                return std::find(titles.begin(), titles.end(), title) != titles.end();
            };
            if (!run.splashMs && shows(splashTitle))
                run.splashMs = elapsedMs();
            if (shows(mainTitle))
                run.mainMs = elapsedMs();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }

        kill(pid, SIGTERM);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        run.peakRssMb = usage.ru_maxrss / 1024.0; // kilobytes on Linux
        // Each run starts as the first instance; the lock of the ended one is stale.
        const QString temp = setting.folders.temp();
        for (const QString &lock : QDir(temp).entryList({"*.lock"}, QDir::Files))
            QFile::remove(QDir(temp).filePath(lock));
        return run;
    }

private:
    VirtualDisplay display;
    ProgramSetting setting{SKARVEL_PROGRAM};
    std::vector<std::string> variables;
};

void BM_StartupToMainWindow(benchmark::State &state)
{
    static ProgramOnDisplay program;
    if (!program.ready()) {
        state.SkipWithError("no virtual display or no program");
        return;
    }
    double splashTotal = 0;
    double mainTotal = 0;
    double peakRss = 0;
    int runs = 0;
    for (auto _ : state) {
        const Run run = program.runOnce();
        if (!run.splashMs || !run.mainMs) {
            state.SkipWithError("a window did not appear");
            return;
        }
        state.SetIterationTime(*run.mainMs / 1000.0);
        splashTotal += *run.splashMs;
        mainTotal += *run.mainMs;
        peakRss = std::max(peakRss, run.peakRssMb);
        ++runs;
    }
    state.counters["splash_ms"] = splashTotal / runs;
    state.counters["main_window_ms"] = mainTotal / runs;
    state.counters["startup_beyond_timer_ms"] = mainTotal / runs - timerWaitMs;
    state.counters["peak_rss_MB"] = peakRss;
}

} // namespace

BENCHMARK(BM_StartupToMainWindow)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
