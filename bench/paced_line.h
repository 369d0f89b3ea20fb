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
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

#include "absent_port.h"
#include "serial/block_frames.h"
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

// The real port, noting when each request goes out: from one request to the
// next is one block of a transfer, all that the program does for it
// included.
class TimedPort final : public serial::SerialPort {
  public:
    explicit TimedPort(const std::filesystem::path& dataDir) : port_(dataDir) {}

    void setPortNumber(int number) override { port_.setPortNumber(number); }
    int portNumber() const override { return port_.portNumber(); }
    bool open() override { return port_.open(); }
    bool isOpen() const override { return port_.isOpen(); }
    void close() override {
        for (std::size_t i = 1; i < sent_.size(); ++i)
            periods_.push_back(std::chrono::duration<double>(sent_[i] - sent_[i - 1]).count());
        sent_.clear();
        port_.close();
    }
    bool write(std::span<const std::uint8_t> bytes) override {
        sent_.push_back(Clock::now());
        return port_.write(bytes);
    }
    serial::Bytes readAll() override { return port_.readAll(); }
    void discardInput() override { port_.discardInput(); }
    bool waitForInput(int timeoutMs) override { return port_.waitForInput(timeoutMs); }
    void waitForLine(std::size_t bytes, int timeoutMs) override {
        port_.waitForLine(bytes, timeoutMs);
    }
    std::string errorString() const override { return port_.errorString(); }

    // The seconds of each block since the last call, of transfers whose
    // port has been closed.
    std::vector<double> takePeriods() { return std::exchange(periods_, {}); }

  private:
    serial::QtSerialPort port_;
    std::vector<Clock::time_point> sent_;
    std::vector<double> periods_;
};

// A transfer's whole time and the seconds of each of its blocks.
struct Run {
    double seconds = 0;
    std::vector<double> periods;
};

// The exchange alone: each request, the wait for its reply, and the next
// request at once.
inline Run minimalClientRun(const std::filesystem::path& dataDir,
                            const std::vector<serial::Bytes>& requests, std::size_t replyLength) {
    ui::SteadyClock clock;
    TimedPort port(dataDir);
    port.setPortNumber(1);
    if (!port.open()) throw std::runtime_error(port.errorString());
    const auto start = Clock::now();
    for (const serial::Bytes& request : requests)
        if (!serial::exchange(port, clock, request, replyLength).ok)
            throw std::runtime_error("the minimal client's exchange failed");
    const double seconds = secondsSince(start);
    port.close();
    return {seconds, port.takePeriods()};
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

// The program's and the minimal client's whole times, each the shortest of
// kRounds runs taken by turns, and the seconds of every block of all runs.
struct Timings {
    double client = 0;
    double program = 0;
    std::vector<double> clientPeriods;
    std::vector<double> programPeriods;
};
inline constexpr int kRounds = 3;
inline Timings byTurns(const std::function<Run()>& client, const std::function<Run()>& program) {
    Timings all{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(), {}, {}};
    const auto take = [](Run run, double& best, std::vector<double>& periods) {
        best = std::min(best, run.seconds);
        periods.insert(periods.end(), run.periods.begin(), run.periods.end());
    };
    for (int round = 0; round < kRounds; ++round) {
        take(client(), all.client, all.clientPeriods);
        take(program(), all.program, all.programPeriods);
        waitForRelease();
    }
    return all;
}

// A block that took over a millisecond longer than the wire needs: one that
// the machine woke late, which befalls the program and the client alike.
inline bool late(double period, double wirePeriod) {
    return period > wirePeriod + 1e-3;
}

inline double latePercent(const std::vector<double>& periods, double wirePeriod) {
    const auto count = std::count_if(periods.begin(), periods.end(),
                                     [wirePeriod](double p) { return late(p, wirePeriod); });
    return 100.0 * static_cast<double>(count) /
           static_cast<double>(std::max<std::size_t>(periods.size(), 1));
}

inline double onTimeMean(const std::vector<double>& periods, double wirePeriod) {
    double sum = 0;
    int count = 0;
    for (const double p : periods) {
        if (late(p, wirePeriod)) continue;
        sum += p;
        ++count;
    }
    return sum / std::max(count, 1);
}

// The figures of a program's transfer against the minimal client's over the
// same line. What the program adds to a block is the difference of their
// mean block times, late blocks left out: a few of them, at random, would
// swing the difference by as much as the program adds. Their shares are
// shown beside it, and the whole times as ratios to the time the bytes need
// on the wire.
inline void reportAgainstClient(benchmark::State& state, const Timings& best, int blocks,
                                double wireSeconds) {
    const double wirePeriod = wireSeconds / blocks;
    state.counters["added_ms_per_block"] = 1000 * (onTimeMean(best.programPeriods, wirePeriod) -
                                                   onTimeMean(best.clientPeriods, wirePeriod));
    state.counters["late_blocks_pct"] = latePercent(best.programPeriods, wirePeriod);
    state.counters["client_late_blocks_pct"] = latePercent(best.clientPeriods, wirePeriod);
    state.counters["ratio_to_wire"] = best.program / wireSeconds;
    state.counters["client_ratio_to_wire"] = best.client / wireSeconds;
}

}  // namespace bench
