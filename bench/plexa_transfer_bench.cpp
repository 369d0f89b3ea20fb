// A download of 400 blocks to the simulated controller paced at 9600 baud,
// driven by the window's timers on the Qt event loop as in the program,
// against the time the bytes need on the wire.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>

#include "absent_port.h"
#include "plexa/form.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"
#include "view/timer_driver.h"

namespace {

constexpr int kBlocks = 400;
// 23 request bytes and 3 reply bytes of 10 bits each at 9600 baud.
constexpr double kWireSeconds = kBlocks * 26 * 10 / 9600.0;

void PacedDownload(benchmark::State& state) {
    test::TempDir dir;
    ctrlsim::Simulator sim({.pace = true});
    sim.start();
    sim.linkAs(dir.path(), 1);
    test::linkAbsentPorts(dir.path(), {1});
    ui::SteadyClock clock;
    serial::QtSerialPort port(dir.path());
    plexa::Form1 form({dir.path(), clock, port, {}});
    view::TimerDriver driver(form.timers);
    form.load();
    form.Text8[1].setText(std::to_string(kBlocks - 1));
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        form.Command3.click();
        while (!form.Timer5.enabled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(seconds);
        while (!form.Command3.enabled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    state.counters["wire_s"] = kWireSeconds;
    state.counters["ratio_to_wire"] = seconds / kWireSeconds;
    // The design's own floor: the two 1 ms timer ticks between blocks.
    state.counters["floor_ratio"] = (kWireSeconds + kBlocks * 0.002) / kWireSeconds;
    state.SetLabel(form.Label13.caption());
}
BENCHMARK(PacedDownload)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
