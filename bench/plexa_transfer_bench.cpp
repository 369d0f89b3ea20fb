// Plexa's download of 400 blocks with its real window, driven by the
// window's timers on the Qt event loop as in the program, against the
// simulated controller paced at 9600 baud; in the same run the minimal
// client over the same line, and the time the bytes need on the wire.
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <thread>

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

// How long a zero-time timer takes to come round: one pass of the event
// loop, as between two steps of a transfer.
double passTime() {
    QTimer timer;
    timer.setSingleShot(true);
    std::vector<double> passes;
    for (int i = 0; i < kSamples; ++i) {
        const auto start = bench::Clock::now();
        timer.start(0);
        bench::runEventsUntil([&timer] { return !timer.isActive(); });
        passes.push_back(bench::secondsSince(start));
    }
    return median(passes);
}

// Clicks on another window while the program runs, one every 37 ms, posted
// from another thread as the window system brings them; keeps how late the
// event loop handled each.
class Clicker {
  public:
    Clicker() {
        other_.setObjectName("Other");
        other_.show();
    }
    void during(const std::function<void()>& run) {
        std::atomic<bool> done = false;
        std::thread clicks([this, &done] {
            while (!done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(37));
                const auto posted = bench::Clock::now();
                QMetaObject::invokeMethod(
                    &other_,
                    [this, posted] {
                        other_.click();
                        late_.push_back(bench::secondsSince(posted));
                    },
                    Qt::QueuedConnection);
            }
        });
        run();
        done = true;
        clicks.join();
    }
    double latest() const { return *std::max_element(late_.begin(), late_.end()); }
    double typical() const { return median(late_); }

  private:
    QPushButton other_{"Other window"};
    std::vector<double> late_;
};

// How much longer than its bytes need on the wire one block's exchange
// takes, outside the timers: the controller's waking for the request and
// for each timed reply byte, and the port's waking for the reply.
double exchangeExcess(plexa::Form1& form, bench::TimedPort& port) {
    port.open();
    std::vector<double> excess;
    for (int i = 0; i < kSamples / 10; ++i) {
        const auto start = bench::Clock::now();
        form.write_v(0);
        excess.push_back(bench::secondsSince(start) - kWireSeconds / kBlocks);
    }
    port.close();
    port.takePeriods();
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
    bench::TimedPort port(line.dir.path());
    view::ProgressPainter painter(clock);
    plexa::Form1 form({line.dir.path(), clock, port, {}, [&painter] { painter.paint(); }});
    view::TimerDriver driver(form.timers);
    plexa::MainWindow window(form, painter);
    form.load();
    bench::showSettled(window);
    form.Text8[1].setText(std::to_string(kBlocks - 1));
    const double pass = passTime();
    const double excess = exchangeExcess(form, port);
    Clicker clicker;
    bench::Timings best;
    for (auto _ : state) {
        best = bench::byTurns(
            [&] {
                return bench::minimalClientRun(line.dir.path(), clientRequests(form.ProgramTable),
                                               serial::kWriteReplyBytes);
            },
            [&] {
                const auto start = bench::Clock::now();
                clicker.during([&] {
                    window.findChild<QPushButton*>("Command3")->click();
                    bench::runEventsUntil([&form] { return form.Timer5.enabled(); });
                });
                const double seconds = bench::secondsSince(start);
                bench::runEventsUntil([&form] { return form.Command3.enabled(); });
                return bench::Run{seconds, port.takePeriods()};
            });
        state.SetIterationTime(best.program);
    }
    bench::reportAgainstClient(state, best, kBlocks, kWireSeconds);
    // The wire's time with what this machine adds to each block: a pass of
    // the event loop for each of the two ticks, and the exchange's excess.
    state.counters["pass_us"] = pass * 1e6;
    state.counters["exchange_excess_us"] = excess * 1e6;
    state.counters["machine_floor_ratio"] =
        (kWireSeconds + kBlocks * (2 * pass + excess)) / kWireSeconds;
    // A click on another window waits at most for the block on the line.
    state.counters["click_late_ms"] = 1000 * clicker.typical();
    state.counters["click_late_max_ms"] = 1000 * clicker.latest();
    state.SetLabel(form.Label13.caption() + ", target: adds at most 0.3 ms a block");
}
BENCHMARK(PlexaDownloadWithWindow)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
