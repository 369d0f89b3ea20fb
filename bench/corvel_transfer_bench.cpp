// Corvel's download and upload of the 240 program blocks against the
// simulated controller paced at 9600 baud, as ratios to the wire time, and
// Monitor cycles per second.
#include <benchmark/benchmark.h>

#include <chrono>

#include "corvel/form.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"

namespace {

// 22 request and 3 reply bytes, or 5 and 20, of 10 bits each at 9600 baud.
constexpr double kWireSeconds = 240 * 25 * 10 / 9600.0;

struct PacedLine {
    PacedLine() {
        sim.start();
        sim.linkAs(dir.path(), 1);
        for (int com = 2; com <= 16; ++com)
            std::filesystem::create_symlink(dir.path() / "absent",
                                            dir.path() / ("com" + std::to_string(com)));
        form.load();
    }
    test::TempDir dir;
    ctrlsim::Simulator sim{{.pace = true}};
    ui::SteadyClock clock;
    serial::QtSerialPort port{dir.path()};
    corvel::Form1 form{{dir.path(), clock, port, {}}};
};

double secondsOf(ui::Button& button) {
    const auto start = std::chrono::steady_clock::now();
    button.click();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void PacedTransfer(benchmark::State& state) {
    PacedLine line;
    ui::Button& button = state.range(0) == 0 ? line.form.Command3 : line.form.Command5;
    double seconds = 0;
    for (auto _ : state) {
        seconds = secondsOf(button);
        state.SetIterationTime(seconds);
    }
    state.counters["ratio_to_wire"] = seconds / kWireSeconds;
    state.SetLabel(std::string(state.range(0) == 0 ? "download, " : "upload, ") +
                   line.form.Label13.caption() + ", target at most 1.02");
}
BENCHMARK(PacedTransfer)->Arg(0)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void PacedMonitorCycle(benchmark::State& state) {
    PacedLine line;
    line.form.Options.select(corvel::Monitor);
    for (auto _ : state) line.form.monwork();
    state.SetLabel(line.form.Label13.caption());
}
BENCHMARK(PacedMonitorCycle)->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace
