// Corvel's download and upload of the 240 program blocks against the
// simulated controller paced at 9600 baud, as ratios to the wire time, and
// Monitor cycles per second.
#include <benchmark/benchmark.h>

#include <time.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <chrono>

#include "absent_port.h"
#include "corvel/form.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"
#include "view/timer_driver.h"

namespace {

// 22 request and 3 reply bytes, or 5 and 20, of 10 bits each at 9600 baud.
constexpr double kWireSeconds = 240 * 25 * 10 / 9600.0;

struct PacedLine {
    PacedLine() {
        sim.start();
        sim.linkAs(dir.path(), 1);
        test::linkAbsentPorts(dir.path(), {1});
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

double windowThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Processor time of the window's thread (the simulator runs on its own)
// over 20 s in Monitor mode, with the controller answering and with a
// controller that never does.
void MonitorProcessorTime(benchmark::State& state) {
    PacedLine line;
    if (state.range(0) == 1) line.sim.setFault(ctrlsim::Fault::kNoReply);
    view::TimerDriver driver(line.form.timers);
    line.form.Options.select(corvel::Monitor);
    double share = 0;
    for (auto _ : state) {
        const double cpu = windowThreadSeconds();
        QElapsedTimer wall;
        wall.start();
        while (wall.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        share = (windowThreadSeconds() - cpu) / 20.0;
    }
    state.counters["cpu_share_percent"] = 100 * share;
    state.SetLabel(state.range(0) == 0 ? "answering" : "no reply");
}
BENCHMARK(MonitorProcessorTime)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
