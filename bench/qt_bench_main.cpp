// Runs an executable's benchmarks inside a Qt application object, which the
// serial port and the widgets need; windows go to the offscreen platform.
#include <benchmark/benchmark.h>
#include <sched.h>

#include <QApplication>

namespace {

// Every thread of the benchmark, and the simulator that it starts, runs on
// the one core that the benchmark starts on. On a virtual machine a wake-up
// that crosses cores comes milliseconds late in a share of blocks that
// varies from run to run, for a program and the minimal client alike, and
// swings their difference by more than what the program adds.
void keepToOneCore() {
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(sched_getcpu(), &one);
    sched_setaffinity(0, sizeof one, &one);
}

}  // namespace

int main(int argc, char** argv) {
    keepToOneCore();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
