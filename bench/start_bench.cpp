// Each program's start on a real X server, against the one-label program:
// the time from the start of the process until its window is mapped, and
// the peak resident memory once it shows. The programs are started by turns,
// so that what the machine's other work adds falls on all of them alike.
// Run under an X server, e.g. xvfb-run -s "-screen 0 1920x1080x24".
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "absent_port.h"
#include "temp_dir.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kRounds = 15;
// Time for the window's first paint and whatever the program does next.
constexpr auto kSettle = std::chrono::milliseconds(500);
constexpr int kMapTimeoutMs = 10'000;

struct Program {
    std::string name;
    std::string path;
};

// The programs built with this benchmark, or others named in PLEXA and
// CORVEL, e.g. those of an earlier commit.
std::vector<Program> programs() {
    const auto chosen = [](const char* variable, const char* built) {
        const char* path = std::getenv(variable);
        return std::string(path && *path ? path : built);
    };
    return {{"one_label", ONE_LABEL_PROGRAM},
            {"plexa", chosen("PLEXA", PLEXA_PROGRAM)},
            {"corvel", chosen("CORVEL", CORVEL_PROGRAM)}};
}

struct Start {
    double ms = 0;
    double cpuMs = 0;
    double faults = 0;
    double peakMiB = 0;
};

// Tells when a top-level window is mapped on the display's first screen.
class MapWatch {
  public:
    MapWatch() : connection_(xcb_connect(nullptr, nullptr), xcb_disconnect) {
        if (xcb_connection_has_error(connection_.get()))
            throw std::runtime_error("no X display: run under xvfb-run");
        const xcb_window_t root =
            xcb_setup_roots_iterator(xcb_get_setup(connection_.get())).data->root;
        const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_.get(), root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_.get());
    }

    void waitForMap() {
        const auto end = Clock::now() + std::chrono::milliseconds(kMapTimeoutMs);
        while (Clock::now() < end) {
            while (auto* event = xcb_poll_for_event(connection_.get())) {
                const bool mapped =
                    (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                    !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
                free(event);
                if (mapped) return;
            }
            pollfd fd{xcb_get_file_descriptor(connection_.get()), POLLIN, 0};
            poll(&fd, 1, 100);
        }
        throw std::runtime_error("no window was mapped");
    }

  private:
    std::unique_ptr<xcb_connection_t, void (*)(xcb_connection_t*)> connection_;
};

// The environment with HOME set to home, so each program finds its data
// directory there.
std::vector<std::string> environmentWith(const std::string& home) {
    std::vector<std::string> env{"HOME=" + home};
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("HOME=", 0) != 0) env.emplace_back(*e);
    return env;
}

// The processor time of all the program's threads so far: on a busy machine
// it shows the program's own work where the wall clock shows the machine's.
double processorMs(pid_t pid) {
    double ns = 0;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task")) {
        std::ifstream schedstat(task.path() / "schedstat");
        double taskNs = 0;
        schedstat >> taskNs;
        ns += taskNs;
    }
    return ns / 1e6;
}

// The pages the program has touched for the first time so far: each costs
// a trip into the kernel, a large share of a start's time.
double minorFaults(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string field;
    std::getline(stat, field, ')');  // the name may hold blanks
    for (int n = 3; n <= 10 && stat >> field;) ++n;
    return std::stod(field);
}

double peakMiB(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024;
    return 0;
}

Start startOnce(const Program& program, const std::vector<std::string>& env, MapWatch& watch) {
    std::vector<char*> envp;
    for (const std::string& e : env) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    char* argv[] = {const_cast<char*>(program.path.c_str()), nullptr};
    pid_t pid = 0;
    const auto start = Clock::now();
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, envp.data()) != 0)
        throw std::runtime_error("cannot start " + program.path);
    watch.waitForMap();
    Start result;
    result.ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    result.cpuMs = processorMs(pid);
    result.faults = minorFaults(pid);
    std::this_thread::sleep_for(kSettle);
    result.peakMiB = peakMiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return result;
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

void StartUntilMapped(benchmark::State& state) {
    test::TempDir home;
    // No port is there: the scans find nothing, whatever devices the machine has.
    test::linkAbsentPorts(home.path() / "dovra", {});
    const auto env = environmentWith(home.path().string());
    MapWatch watch;
    const std::vector<Program> all = programs();
    std::vector<std::vector<Start>> starts(all.size());
    for (auto _ : state) {
        for (const Program& program : all) startOnce(program, env, watch);  // warm-up
        for (int round = 0; round < kRounds; ++round)
            for (std::size_t p = 0; p < all.size(); ++p)
                starts[p].push_back(startOnce(all[p], env, watch));
    }
    for (std::size_t p = 0; p < all.size(); ++p) {
        std::vector<double> ms, cpu, faults, peak, msRatio, cpuRatio, faultsRatio, peakRatio;
        for (int round = 0; round < kRounds; ++round) {
            const Start& own = starts[p][round];
            const Start& label = starts[0][round];
            ms.push_back(own.ms);
            cpu.push_back(own.cpuMs);
            faults.push_back(own.faults);
            peak.push_back(own.peakMiB);
            msRatio.push_back(own.ms / label.ms);
            cpuRatio.push_back(own.cpuMs / label.cpuMs);
            faultsRatio.push_back(own.faults / label.faults);
            peakRatio.push_back(own.peakMiB / label.peakMiB);
        }
        const std::string& name = all[p].name;
        state.counters[name + "_ms"] = median(ms);
        state.counters[name + "_cpu_ms"] = median(cpu);
        state.counters[name + "_faults"] = median(faults);
        state.counters[name + "_peak_MiB"] = median(peak);
        if (p == 0) continue;
        state.counters[name + "_ms_ratio"] = median(msRatio);
        state.counters[name + "_cpu_ratio"] = median(cpuRatio);
        state.counters[name + "_faults_ratio"] = median(faultsRatio);
        state.counters[name + "_peak_ratio"] = median(peakRatio);
    }
    state.SetLabel("medians of 15 starts by turns; targets: ms_ratio <= 1.1, peak_ratio <= 1.2");
}
BENCHMARK(StartUntilMapped)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
