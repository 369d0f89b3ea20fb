// A download of 400 blocks to the simulated controller paced at 9600 baud,
// driven by the window's timers on the Qt event loop as in the program,
// against the time the bytes need on the wire.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <vector>

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
constexpr int kSamples = 200;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// How late a 1 ms tick of the event loop comes.
double tickLateness() {
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    std::vector<double> late;
    for (int i = 0; i < kSamples; ++i) {
        const auto start = Clock::now();
        timer.start(1);
        while (timer.isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        late.push_back(secondsSince(start) - 0.001);
    }
    return median(late);
}

// How much longer than its bytes need on the wire one block's exchange
// takes, outside the timers: the controller's waking for the request and
// for each timed reply byte, and the port's waking for the reply.
double exchangeExcess(plexa::Form1& form, serial::SerialPort& port) {
    port.open();
    std::vector<double> excess;
    for (int i = 0; i < kSamples / 10; ++i) {
        const auto start = Clock::now();
        form.write_v(0);
        excess.push_back(secondsSince(start) - kWireSeconds / kBlocks);
    }
    port.close();
    return median(excess);
}

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
    const double late = tickLateness();
    const double excess = exchangeExcess(form, port);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        form.Command3.click();
        while (!form.Timer5.enabled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        seconds = secondsSince(start);
        state.SetIterationTime(seconds);
        while (!form.Command3.enabled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    state.counters["wire_s"] = kWireSeconds;
    state.counters["ratio_to_wire"] = seconds / kWireSeconds;
    // The design's own floor: the two 1 ms timer ticks between blocks.
    state.counters["floor_ratio"] = (kWireSeconds + kBlocks * 0.002) / kWireSeconds;
    // That floor with what this machine adds to each tick and exchange.
    state.counters["tick_late_us"] = late * 1e6;
    state.counters["exchange_excess_us"] = excess * 1e6;
    state.counters["machine_floor_ratio"] =
        (kWireSeconds + kBlocks * (0.002 + 2 * late + excess)) / kWireSeconds;
    state.SetLabel(form.Label13.caption());
}
BENCHMARK(PacedDownload)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
