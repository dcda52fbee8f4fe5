// The editor's start, from exec to its main window mapped on X, against a
// bare Qt window's, empty and with a line of text, run one after the other
// in rounds (which goes first turns), so that all meet the same machine. Each
// program is ended as soon as its window is mapped; its peak memory is taken
// then.
#include <benchmark/benchmark.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <vector>

#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

namespace {

struct Start {
    double ms = 0;
    double peakMiB = 0;
};

// Watches the root window for top-level windows being mapped.
class Display {
public:
    Display() : connection_(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(connection_))
            return;
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
    }
    ~Display() { xcb_disconnect(connection_); }
    bool ok() const { return !xcb_connection_has_error(connection_); }

    // Starts the program and returns when it maps a top-level window; false
    // if it ends first or the display goes away.
    bool start(const char* program, const char* argument, Start& start)
    {
        char* const argv[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
        const auto begin = std::chrono::steady_clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, program, nullptr, nullptr, argv, environ) != 0)
            return false;
        bool mapped = false;
        while (!mapped) {
            const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_wait_for_event(connection_),
                                                                                 &std::free);
            if (!event)
                break;
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY)
                mapped = reinterpret_cast<xcb_map_notify_event_t*>(event.get())->event == root_;
        }
        start.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
        kill(pid, SIGKILL);
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        start.peakMiB = usage.ru_maxrss / 1024.0;
        return mapped;
    }

private:
    xcb_connection_t* connection_;
    xcb_window_t root_ = 0;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void StartupRounds(benchmark::State& state)
{
    Display display;
    if (!display.ok()) {
        state.SkipWithError("no X display");
        return;
    }
    struct Program {
        const char* path;
        const char* argument;
        std::vector<double> ms, peakMiB;
    } programs[] = {{VELMAR_EDITOR, nullptr, {}, {}}, {VELMAR_BARE, nullptr, {}, {}}, {VELMAR_BARE, "--text", {}, {}}};
    constexpr std::size_t Count = std::size(programs);
    std::size_t round = 0;
    for (auto _ : state) {
        double total = 0;
        for (std::size_t k = 0; k < Count; ++k) {
            Program& p = programs[(round + k) % Count];
            Start s;
            if (!display.start(p.path, p.argument, s)) {
                state.SkipWithError("a program ended before mapping its window");
                return;
            }
            p.ms.push_back(s.ms);
            p.peakMiB.push_back(s.peakMiB);
            total += s.ms;
        }
        state.SetIterationTime(total / 1000);
        ++round;
    }
    const double editor = median(programs[0].ms), bare = median(programs[1].ms), text = median(programs[2].ms);
    state.counters["editor_ms"] = editor;
    state.counters["bare_ms"] = bare;
    state.counters["text_ms"] = text;
    state.counters["ratio"] = editor / bare;
    std::printf("start-up, median of %zu rounds: editor %.1f ms (peak %.1f MiB); bare Qt window %.1f ms (%.1f MiB), "
                "ratio %.2f; with a line of text %.1f ms (%.1f MiB), ratio %.2f\n",
                round, editor, median(programs[0].peakMiB), bare, median(programs[1].peakMiB), editor / bare, text,
                median(programs[2].peakMiB), editor / text);
}

BENCHMARK(StartupRounds)->Iterations(40)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
