// Plexa's download of 400 blocks with its real window, driven by the
// window's timers on the Qt event loop as in the program, against the
// simulated controller paced at 9600 baud; in the same run the minimal
// client over the same line, and the time the bytes need on the wire.
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "paced_line.h"
#include "plexa/blocks.h"
#include "plexa/form.h"
#include "plexa/view/main_window.h"
#include "view/progress_paint.h"
#include "view/timer_driver.h"

namespace {

constexpr int kBlocks = 400;
// 23 request bytes and 3 reply bytes.
constexpr double kWireSeconds = kBlocks * 26 * bench::kByteSeconds;
constexpr int kSamples = 200;

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
        const auto start = bench::Clock::now();
        timer.start(1);
        bench::runEventsUntil([&timer] { return !timer.isActive(); });
        late.push_back(bench::secondsSince(start) - 0.001);
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
        const auto start = bench::Clock::now();
        form.write_v(0);
        excess.push_back(bench::secondsSince(start) - kWireSeconds / kBlocks);
    }
    port.close();
    bench::waitForRelease();
    return median(excess);
}

std::vector<serial::Bytes> clientRequests(const plexa::ProgramTable& table) {
    std::vector<serial::Bytes> requests;
    for (int n = 0; n < kBlocks; ++n) {
        const auto block = static_cast<std::int16_t>(n);
        requests.push_back(plexa::writeRequest(block, table.block(block)));
    }
    return requests;
}

void PlexaDownloadWithWindow(benchmark::State& state) {
    ui::requestPreciseWakeups();  // as Plexa's main does
    bench::PacedLine line;
    ui::SteadyClock clock;
    serial::QtSerialPort port(line.dir.path());
    view::ProgressPainter painter(clock);
    plexa::Form1 form({line.dir.path(), clock, port, {}, [&painter] { painter.paint(); }});
    view::TimerDriver driver(form.timers);
    plexa::MainWindow window(form, painter);
    form.load();
    bench::showSettled(window);
    form.Text8[1].setText(std::to_string(kBlocks - 1));
    const double late = tickLateness();
    const double excess = exchangeExcess(form, port);
    bench::Timings best;
    for (auto _ : state) {
        best = bench::byTurns(
            [&] {
                return bench::minimalClientSeconds(line.dir.path(),
                                                   clientRequests(form.ProgramTable));
            },
            [&] {
                const auto start = bench::Clock::now();
                window.findChild<QPushButton*>("Command3")->click();
                bench::runEventsUntil([&form] { return form.Timer5.enabled(); });
                const double seconds = bench::secondsSince(start);
                bench::runEventsUntil([&form] { return form.Command3.enabled(); });
                return seconds;
            });
        state.SetIterationTime(best.program);
    }
    bench::reportAgainstClient(state, best, kBlocks, kWireSeconds);
    // The design's own floor: the two 1 ms timer ticks between blocks.
    state.counters["floor_ratio"] = (kWireSeconds + kBlocks * 0.002) / kWireSeconds;
    // That floor with what this machine adds to each tick and exchange.
    state.counters["tick_late_us"] = late * 1e6;
    state.counters["exchange_excess_us"] = excess * 1e6;
    state.counters["machine_floor_ratio"] =
        (kWireSeconds + kBlocks * (0.002 + 2 * late + excess)) / kWireSeconds;
    state.SetLabel(form.Label13.caption() + ", target: adds at most 2.3 ms a block");
}
BENCHMARK(PlexaDownloadWithWindow)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
