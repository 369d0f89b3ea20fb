// What the editor costs: start-up of the window model, a LoadFile with its
// refresh, and one refresh.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <span>
#include <string>

#include "absent_port.h"
#include "base/image_file.h"
#include "plexa/form.h"
#include "plexa/program_file.h"
#include "temp_dir.h"

namespace {

// A data directory holding a full default program with outputs switched on.
struct Bench {
    Bench() {
        plexa::ProgramTable table;
        for (int a = 0; a < static_cast<int>(plexa::kProgramFileBytes); ++a) {
            table.setByte(a, static_cast<std::uint8_t>(a * 31));
        }
        table.setWord(0, 16);
        std::string error;
        base::saveImage(dir / "mernal.qdf", plexa::fileImage(table), error);
    }

    test::TempDir temp;
    const std::filesystem::path dir = temp.path();
    ui::ManualClock clock;
    test::AbsentPort port;
};

void StartUp(benchmark::State& state) {
    Bench bench;
    for (auto _ : state) {
        plexa::Form1 form({bench.dir, bench.clock, bench.port, {}});
        form.load();
        benchmark::DoNotOptimize(form.Text1[0].text());
    }
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond);

void LoadFileWithRefresh(benchmark::State& state) {
    Bench bench;
    plexa::Form1 form({bench.dir, bench.clock, bench.port, {}});
    form.load();
    form.Text2.setText("mernal");
    for (auto _ : state) {
        form.Command1.click();
        benchmark::DoNotOptimize(form.Text5[1].text());
    }
}
BENCHMARK(LoadFileWithRefresh)->Unit(benchmark::kMillisecond);

void Refresh(benchmark::State& state) {
    Bench bench;
    plexa::Form1 form({bench.dir, bench.clock, bench.port, {}});
    form.load();
    form.timers.advance(bench.clock, 1000);
    const int base = plexa::stepBase(1, 16);
    std::uint8_t pattern = 0;
    for (auto _ : state) {
        // Change the step's record so every refresh rewrites fields and list.
        pattern = static_cast<std::uint8_t>(~pattern);
        for (int k = 0; k < 34; ++k) form.ProgramTable.setByte(base + k, pattern & 0x7F);
        form.ccc();
    }
}
BENCHMARK(Refresh)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
