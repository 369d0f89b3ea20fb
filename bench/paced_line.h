// What the transfer benchmarks share: the simulated controller paced at
// 9600 baud, run as a program of its own on COM1 of a scratch data
// directory, the minimal client that the programs are measured against, and
// the clocks they are measured with.
#pragma once

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <vector>

#include "absent_port.h"
#include "serial/exchange.h"
#include "serial/qt_serial_port.h"
#include "temp_dir.h"

namespace bench {

// Ten bits (start, eight data, stop) at 9600 baud.
inline constexpr double kByteSeconds = 10 / 9600.0;

using Clock = std::chrono::steady_clock;

inline double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The controller simulator as its own process, so that the processor time
// of this one is the program's alone.
class PacedLine {
  public:
    explicit PacedLine(const QStringList& options = {}) {
        test::linkAbsentPorts(dir.path(), {1});
        simulator_.setProgram(CTRLSIM_PROGRAM);
        simulator_.setArguments(QStringList{"--com", "1", "--pace", "--data-dir",
                                            QString::fromStdString(dir.path().string())} +
                                options);
        simulator_.start();
        QByteArray said;
        while (!said.contains("Ctrl-C ends")) {
            if (!simulator_.waitForReadyRead(5000))
                throw std::runtime_error("ctrlsim did not start");
            said += simulator_.readAllStandardOutput();
        }
    }
    ~PacedLine() {
        simulator_.terminate();
        simulator_.waitForFinished(5000);
    }
    PacedLine(const PacedLine&) = delete;
    PacedLine& operator=(const PacedLine&) = delete;

    test::TempDir dir;

  private:
    QProcess simulator_;
};

// The exchange alone: each request, the wait for its 2, 5, 3, and the next
// request at once. Returns the seconds all of them took.
inline double minimalClientSeconds(const std::filesystem::path& dataDir,
                                   const std::vector<serial::Bytes>& requests) {
    ui::SteadyClock clock;
    serial::QtSerialPort port(dataDir);
    port.setPortNumber(1);
    if (!port.open()) throw std::runtime_error(port.errorString());
    const auto start = Clock::now();
    for (const serial::Bytes& request : requests)
        if (!serial::exchange(port, clock, request, 3).ok)
            throw std::runtime_error("the minimal client's exchange failed");
    return secondsSince(start);
}

// Runs the event loop, as the program's own would, until done() holds.
inline void runEventsUntil(const std::function<bool()>& done) {
    while (!done()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// Runs the event loop for the given time, as the program's own would.
inline void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// A closed port keeps its device a moment: the program's port, closed after
// a transfer, lets it go for the minimal client.
inline void waitForRelease() {
    runEventsFor(2 * serial::kReleaseDelayMs);
}

// Processor time of the whole process, every thread, user and system.
inline double processorSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Shows the window and lets it settle, as a user would see it before clicking.
inline void showSettled(QWidget& window) {
    window.show();
    runEventsFor(300);
}

// The program's and the minimal client's times, each the shortest of
// kRounds runs taken by turns, so that what the machine's other work adds
// to one run is left out as far as it can be.
struct Timings {
    double client = 0;
    double program = 0;
};
inline constexpr int kRounds = 3;
inline Timings byTurns(const std::function<double()>& client,
                       const std::function<double()>& program) {
    const auto programTurn = [&program] {
        const double seconds = program();
        waitForRelease();
        return seconds;
    };
    Timings best{client(), programTurn()};
    for (int round = 1; round < kRounds; ++round) {
        best.client = std::min(best.client, client());
        best.program = std::min(best.program, programTurn());
    }
    return best;
}

// The figures of a program's transfer against the minimal client's over the
// same line: the milliseconds per block that the program adds, and each
// time as a ratio to the time the bytes need on the wire.
inline void reportAgainstClient(benchmark::State& state, Timings best, int blocks,
                                double wireSeconds) {
    state.counters["added_ms_per_block"] = 1000 * (best.program - best.client) / blocks;
    state.counters["ratio_to_wire"] = best.program / wireSeconds;
    state.counters["client_ratio_to_wire"] = best.client / wireSeconds;
}

}  // namespace bench
