// What Corvel's editor costs: start-up of the window model, a Load with its
// refresh, one refresh and one header tick.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "absent_port.h"
#include "corvel/form.h"
#include "temp_dir.h"

namespace {

// A data directory holding a full default show.
struct Bench {
    Bench() {
        std::ofstream file(dir / "mernal.sav", std::ios::binary);
        for (int a = 0; a < 3840; ++a) file.put(static_cast<char>(a * 31 % 40));
    }

    test::TempDir temp;
    const std::filesystem::path dir = temp.path();
    ui::ManualClock clock;
    test::AbsentPort port;
};

void StartUp(benchmark::State& state) {
    Bench bench;
    for (auto _ : state) {
        corvel::Form1 form({bench.dir, bench.clock, bench.port, {}});
        form.load();
        benchmark::DoNotOptimize(form.Text1[0].text());
    }
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond);

void LoadWithRefresh(benchmark::State& state) {
    Bench bench;
    corvel::Form1 form({bench.dir, bench.clock, bench.port, {}});
    form.load();
    form.Text2.setText("mernal");
    int code = 0;
    for (auto _ : state) {
        form.Combo2.setText(std::to_string(code = (code + 1) % 30));  // another row each time
        form.Command1.click();
        benchmark::DoNotOptimize(form.Text1[4].text());
    }
}
BENCHMARK(LoadWithRefresh)->Unit(benchmark::kMicrosecond);

void Refresh(benchmark::State& state) {
    Bench bench;
    corvel::Form1 form({bench.dir, bench.clock, bench.port, {}});
    form.load();
    int code = 0;
    for (auto _ : state) {
        form.Combo2.setText(std::to_string(code = (code + 1) % 30));
        form.Refreshing = true;
        form.ccc();
        form.Refreshing = false;
    }
}
BENCHMARK(Refresh)->Unit(benchmark::kMicrosecond);

void HeaderTick(benchmark::State& state) {
    Bench bench;
    corvel::Form1 form({bench.dir, bench.clock, bench.port, {}});
    form.load();
    for (auto _ : state) form.Timer1.onTick();
}
BENCHMARK(HeaderTick)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
