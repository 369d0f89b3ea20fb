// The serial line's costs: the software time of one block exchange over the
// simulator's unpaced pseudo-terminal, and the processor time that an
// exchange uses while it waits out a reply that never comes.
#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <numeric>

#include "plexa/blocks.h"
#include "serial/exchange.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"

namespace {

constexpr int kWrite = 0;
constexpr int kRead = 1;

// The simulator linked as COM1 of a scratch data directory, and the port open on it.
struct Line {
    Line() {
        simulator.start();
        simulator.linkAs(dir.path(), 1);
        port.setPortNumber(1);
        port.open();
    }
    test::TempDir dir;
    ctrlsim::Simulator simulator;
    serial::QtSerialPort port{dir.path()};
    ui::SteadyClock clock;
};

void BM_BlockExchange(benchmark::State& state) {
    Line line;
    const bool read = state.range(0) == kRead;
    std::array<std::uint8_t, 16> data{};
    std::iota(data.begin(), data.end(), 0);
    const auto request = read ? plexa::readRequest(1) : plexa::writeRequest(1, data);
    const std::size_t replyLength = read ? 20 : 3;
    for (auto _ : state) {
        if (!serial::exchange(line.port, line.clock, request, replyLength).ok) {
            state.SkipWithError("exchange failed");
            break;
        }
    }
    state.SetLabel(read ? "read block, target below 0.3 ms" : "write block, target below 0.3 ms");
}
BENCHMARK(BM_BlockExchange)->Arg(kWrite)->Arg(kRead)->Unit(benchmark::kMicrosecond)->UseRealTime();

double processCpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void BM_TimeOutCpu(benchmark::State& state) {
    Line line;
    line.simulator.setFault(ctrlsim::Fault::kNoReply);
    const auto request = plexa::readRequest(1);
    double cpu = 0;
    std::chrono::duration<double> wall{};
    for (auto _ : state) {
        const double cpuStart = processCpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(serial::exchange(line.port, line.clock, request, 20));
        cpu += processCpuSeconds() - cpuStart;
        wall += std::chrono::steady_clock::now() - wallStart;
    }
    state.counters["cpu_percent"] = 100 * cpu / wall.count();
    state.SetLabel("processor time while waiting 500 ms, target below 2 %");
}
BENCHMARK(BM_TimeOutCpu)->Iterations(4)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
