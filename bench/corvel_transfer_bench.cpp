// Corvel with its real window against the simulated controller paced at
// 9600 baud: the download and the upload of the 240 program blocks, each
// against the minimal client over the same line in the same run, and the
// processor time of the whole program in Monitor mode.
#include <QPushButton>
#include <QRadioButton>

#include "corvel/blocks.h"
#include "corvel/form.h"
#include "corvel/view/main_window.h"
#include "paced_line.h"
#include "view/progress_paint.h"
#include "view/timer_driver.h"

namespace {

constexpr int kBlocks = 240;
// 22 request and 3 reply bytes, or 5 and 20.
constexpr double kWireSeconds = kBlocks * 25 * bench::kByteSeconds;
constexpr int kMonitorMs = 10000;

// Corvel as its main() puts it together, on the simulated line.
struct Program {
    explicit Program(const std::filesystem::path& dataDir)
        : port(dataDir),
          painter(clock),
          form({dataDir, clock, port, [this] { painter.paint(); }}),
          driver(form.timers),
          window(form, painter) {
        form.load();
        bench::showSettled(window);
    }
    ui::SteadyClock clock;
    bench::TimedPort port;
    view::ProgressPainter painter;
    corvel::Form1 form;
    view::TimerDriver driver;
    corvel::MainWindow window;
};

std::vector<serial::Bytes> clientRequests(const corvel::ProgramTable& table) {
    std::vector<serial::Bytes> requests;
    for (int b = 1; b <= kBlocks; ++b) {
        const auto block = static_cast<std::uint8_t>(b);
        requests.push_back(corvel::writeRequest(block, corvel::blockData(table, block)));
    }
    return requests;
}

std::vector<serial::Bytes> readRequests() {
    std::vector<serial::Bytes> requests;
    for (int b = 1; b <= kBlocks; ++b)
        requests.push_back(corvel::readRequest(static_cast<std::uint8_t>(b)));
    return requests;
}

void CorvelTransferWithWindow(benchmark::State& state) {
    const bool upload = state.range(0) == 1;
    bench::PacedLine line;
    Program corvel(line.dir.path());
    auto* button = corvel.window.findChild<QPushButton*>(upload ? "Command5" : "Command3");
    bench::Timings best;
    for (auto _ : state) {
        best = bench::byTurns(
            [&] {
                return upload ? bench::minimalClientRun(line.dir.path(), readRequests(),
                                                        serial::kReadReplyBytes)
                              : bench::minimalClientRun(line.dir.path(),
                                                        clientRequests(corvel.form.ProgramTable),
                                                        serial::kWriteReplyBytes);
            },
            [&] {
                const auto start = bench::Clock::now();
                button->click();  // the whole transfer runs inside the click
                const double seconds = bench::secondsSince(start);
                bench::runEventsUntil([&] { return corvel.form.Command3.enabled(); });
                return bench::Run{seconds, corvel.port.takePeriods()};
            });
        state.SetIterationTime(best.program);
    }
    bench::reportAgainstClient(state, best, kBlocks, kWireSeconds);
    state.SetLabel(std::string(upload ? "upload, " : "download, ") + corvel.form.Label13.caption() +
                   ", target: adds at most 0.3 ms a block");
}
BENCHMARK(CorvelTransferWithWindow)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

// The processor time of the whole program over 10 s in Monitor mode, with
// the controller answering and with one that never does, and the monitor
// cycles it made.
void CorvelMonitorProcessorTime(benchmark::State& state) {
    const bool answering = state.range(0) == 0;
    bench::PacedLine line(answering ? QStringList{} : QStringList{"--fault", "no-reply"});
    Program corvel(line.dir.path());
    int cycles = 0;
    corvel.form.Label10.observe([&] { cycles += corvel.form.Label10.caption() == " 242"; });
    corvel.window.findChild<QRadioButton*>("Option5")->click();
    double share = 0;
    for (auto _ : state) {
        const double cpu = bench::processorSeconds();
        cycles = 0;
        bench::runEventsFor(kMonitorMs);
        share = (bench::processorSeconds() - cpu) / (kMonitorMs / 1000.0);
    }
    const double perSecond = cycles / (kMonitorMs / 1000.0);
    state.counters["cpu_percent_of_a_core"] = 100 * share;
    state.counters["cycles_per_s"] = perSecond;
    state.SetLabel(answering ? "answering, target at most 1 %" : "no reply");
}
BENCHMARK(CorvelMonitorProcessorTime)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
