// The lamp preview: one refresh for each work mode with a generator, the
// window's processor time in Circulate, and the timing of a Circulate cycle
// on the real event loop against the design's step period and hold.
#include <benchmark/benchmark.h>

#include <time.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <vector>

#include "absent_port.h"
#include "corvel/form.h"
#include "corvel/view/main_window.h"
#include "temp_dir.h"
#include "view/timer_driver.h"

namespace {

struct Preview {
    Preview() { form.load(); }
    // Program PA00: four groups that move over the outputs.
    void program(int mode, int interval, int holdTime, int workNumber) {
        const int bytes[] = {mode, interval, 0,   holdTime, 0,  workNumber, 0, 40,  255, 255,
                             30,   0,        128, 20,       10, 170,        5, 255, 3};
        for (int column = 0; column < 19; ++column)
            form.ProgramTable.set(0, column, static_cast<std::uint8_t>(bytes[column]));
        form.ccc();
    }
    test::TempDir dir;
    ui::SteadyClock clock;
    test::AbsentPort port;
    corvel::Form1 form{{dir.path(), clock, port, {}}};
};

void Leddis(benchmark::State& state) {
    Preview preview;
    preview.program(static_cast<int>(state.range(0)), 1, 1, 255);
    preview.form.Options.select(corvel::Circulate);
    for (auto _ : state) {
        preview.form.leddis();
        preview.form.DemoStep = static_cast<std::int16_t>((preview.form.DemoStep + 1) % 256);
    }
    state.SetLabel("target below 20 us");
}
BENCHMARK(Leddis)->ArgName("mode")->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Arg(6)->Arg(7)->Unit(
    benchmark::kMicrosecond);

double threadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

void runEventLoopFor(int ms) {
    QElapsedTimer wall;
    wall.start();
    while (wall.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// The shown window over 20 s in Circulate, a step at every refresh: with
// Interval 10 the step timer ticks with the refresh, with Interval 1 it ticks
// every 10 ms and nine of ten ticks find the step not yet drawn.
void CirculateProcessorTime(benchmark::State& state) {
    Preview preview;
    view::TimerDriver driver(preview.form.timers);
    view::ProgressPainter painter(preview.clock);
    corvel::MainWindow window(preview.form, painter);
    window.show();
    const int interval = static_cast<int>(state.range(0));
    preview.program(0, interval, interval, 255);
    preview.form.Options.select(corvel::Circulate);
    double share = 0;
    for (auto _ : state) {
        const double cpu = threadSeconds();
        runEventLoopFor(20000);
        share = (threadSeconds() - cpu) / 20.0;
    }
    state.counters["cpu_share_percent"] = 100 * share;
    state.SetLabel("target below 1 %");
}
BENCHMARK(CirculateProcessorTime)
    ->ArgName("interval")
    ->Arg(10)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

struct Shown {
    qint64 ms;
    int step;
};

// Interval 50 and HoldTime 100 in units of 0.01 s, WorkNumber 5: steps
// 500 ms apart, the last held 1 s, a cycle of 3.5 s. Times are those of the
// refreshes that first draw each step, over the first cycle.
void CirculateTiming(benchmark::State& state) {
    Preview preview;
    view::TimerDriver driver(preview.form.timers);
    view::ProgressPainter painter(preview.clock);
    corvel::MainWindow window(preview.form, painter);
    window.show();
    preview.program(0, 50, 100, 5);
    QElapsedTimer wall;
    std::vector<Shown> shown;
    const auto refresh = preview.form.Timer2.onTick;
    preview.form.Timer2.onTick = [&] {
        refresh();
        if (shown.empty() || shown.back().step != preview.form.DemoStep)
            shown.push_back({wall.elapsed(), preview.form.DemoStep});
    };
    for (auto _ : state) {
        wall.start();
        preview.form.Options.select(corvel::Circulate);
        runEventLoopFor(6000);
    }
    // shown: 0 1 2 3 4 5 | 0 ...
    if (shown.size() < 7) {
        state.SkipWithError("no whole cycle shown");
        return;
    }
    const Shown* cycle = shown.data();
    state.counters["step_ratio"] = (cycle[5].ms - cycle[0].ms) / 5.0 / 500.0;
    state.counters["hold_ratio"] = (cycle[6].ms - cycle[5].ms) / 1000.0;
    state.counters["cycle_ratio"] = (cycle[6].ms - cycle[0].ms) / 3500.0;
}
BENCHMARK(CirculateTiming)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
