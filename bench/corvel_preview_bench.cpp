// What one lamp picture costs, for each work mode with a generator.
#include <benchmark/benchmark.h>

#include "corvel/generators.h"

namespace {

corvel::ProgramFields program(double mode) {
    corvel::ProgramFields f;
    const double values[18] = {mode, 0,   0,  255, 0,   40, 255, 255, 30,
                               0,    128, 20, 10,  170, 5,  255, 3,   0};
    for (std::size_t i = 0; i < f.value.size(); ++i) f.value[i] = values[i];
    return f;
}

void lampPicture(benchmark::State& state) {
    const corvel::ProgramFields f = program(static_cast<double>(state.range(0)));
    int c = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvel::lampStates(f, c));
        c = (c + 1) % 256;
    }
}
BENCHMARK(lampPicture)->ArgName("mode")->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Arg(6)->Arg(7);

}  // namespace

BENCHMARK_MAIN();
