// The real serial port against the simulator's pseudo-terminal, and the
// simulator's line. Plexa's transfers over this line, with refusals and
// time-outs, are tested with Plexa.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QProcess>
#include <chrono>
#include <fstream>
#include <functional>
#include <thread>

#include "serial/exchange.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"
#include "test_frames.h"

namespace {

namespace fs = std::filesystem;
using serial::Bytes;
using ::testing::AllOf;
using ::testing::HasSubstr;

const Bytes kReadBlock1 = test::plexaRead(1);

class SerialLineTest : public ::testing::Test {
  protected:
    // A simulator linked as COM3, and the port open on it.
    void link(ctrlsim::Options options = {}) {
        sim = std::make_unique<ctrlsim::Simulator>(options);
        sim->start();
        sim->linkAs(dir.path(), 3);
        port.setPortNumber(3);
        ASSERT_TRUE(port.open()) << port.errorString();
    }

    serial::ExchangeResult exchange(const Bytes& request, std::size_t replyLength) {
        return serial::exchange(port, clock, request, replyLength);
    }

    test::TempDir dir;
    std::unique_ptr<ctrlsim::Simulator> sim;
    serial::QtSerialPort port{dir.path()};
    ui::SteadyClock clock;
};

TEST_F(SerialLineTest, EveryByteValuePassesUnchangedBothWays) {
    link();
    for (std::uint16_t block = 0; block < 16; ++block) {
        const test::Data data = test::counting(static_cast<std::uint8_t>(16 * block));
        ASSERT_TRUE(exchange(test::plexaWrite(block, data), 3).ok) << block;
        EXPECT_EQ(sim->plexaBlock(block), data) << block;
        const auto read = exchange(test::plexaRead(block), 20);
        ASSERT_TRUE(read.ok) << block;
        EXPECT_TRUE(std::equal(data.begin(), data.end(), read.reply.begin() + 1)) << block;
    }
}

TEST_F(SerialLineTest, CorvelBlocksLiveInTheirOwnMemoryAndJunkBeforeAFrameIsSkipped) {
    link();
    const test::Data data = test::counting(1);
    const Bytes write = test::corvelWrite(1, data);
    ASSERT_EQ(write[19], 137);  // the checksum 1 + 136 of the worked example
    ASSERT_TRUE(port.write(Bytes{0xFF, 3}));
    EXPECT_EQ(exchange(write, 3).reply, (Bytes{2, 5, 3}));
    EXPECT_EQ(sim->corvelBlock(1), data);
    EXPECT_EQ(sim->plexaBlock(1), test::Data{});  // a memory of its own
    const auto read = exchange(test::corvelRead(1), 20);
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), read.reply.begin() + 1));
}

TEST_F(SerialLineTest, StaleInputIsDiscarded) {
    link();
    sim->send({15, 15, 9});
    ASSERT_TRUE(port.waitForInput(1000));
    EXPECT_TRUE(exchange(kReadBlock1, 20).ok);
    sim->setFault(ctrlsim::Fault::kStale, 1);
    EXPECT_TRUE(exchange(kReadBlock1, 20).ok);
    EXPECT_TRUE(exchange(kReadBlock1, 20).ok);
}

TEST_F(SerialLineTest, ALostDeviceEndsThePortsUseWhicheverCallNoticesIt) {
    const std::pair<const char*, std::function<void()>> probes[] = {
        // At once: a port that did not give up would wake the exchange at
        // once again and again until its time-out.
        {"exchange",
         [&] {
             const auto start = clock.nowMs();
             EXPECT_FALSE(exchange(kReadBlock1, 20).ok);
             EXPECT_LT(clock.nowMs() - start, serial::kReplyTimeoutMs / 2);
         }},
        {"write", [&] { EXPECT_FALSE(port.write(kReadBlock1)); }},
        {"wait", [&] { EXPECT_FALSE(port.waitForInput(10'000)); }},
    };
    for (const auto& [what, probe] : probes) {
        SCOPED_TRACE(what);
        link();
        sim->stop();
        probe();
        EXPECT_FALSE(port.isOpen());
        EXPECT_THAT(port.errorString(), HasSubstr("COM3: the device failed"));
        EXPECT_FALSE(port.waitForInput(10'000));
        EXPECT_TRUE(port.readAll().empty());
    }
}

TEST_F(SerialLineTest, OpenFailuresNameThePortAndTheReason) {
    link();
    serial::QtSerialPort other(dir.path());
    const auto failure = [&other](int number) {
        other.setPortNumber(number);
        EXPECT_FALSE(other.open());
        EXPECT_FALSE(other.isOpen());
        return other.errorString();
    };
    EXPECT_THAT(failure(3), AllOf(HasSubstr("COM3"), HasSubstr("in use by another program")));
    port.close();
    EXPECT_TRUE(other.open()) << other.errorString();
    other.close();

    const fs::path missing = dir.path() / "unplugged";
    fs::create_symlink(missing, dir.path() / "com7");
    EXPECT_THAT(failure(7),
                AllOf(HasSubstr("COM7"), HasSubstr(missing.string()), HasSubstr("does not exist")));
    sim->linkAs(dir.path(), 17);  // no port beyond COM16 is opened, whatever it names
    EXPECT_THAT(failure(17), HasSubstr("COM17: no such port"));
}

TEST_F(SerialLineTest, TheLinkPointsAtTheLineAndGoesWithTheSimulator) {
    ctrlsim::Simulator other;
    other.start();
    const fs::path dataDir = dir.path() / "home" / "dovra";
    other.linkAs(dataDir, 5);
    EXPECT_EQ(fs::read_symlink(dataDir / "com5"), other.slavePath());
    fs::create_symlink("/dev/pts/999", dataDir / "com2");  // left by an old run
    other.linkAs(dataDir, 2);
    other.linkAs(dataDir, 2);
    EXPECT_EQ(fs::read_symlink(dataDir / "com2"), other.slavePath());
    EXPECT_FALSE(fs::exists(fs::symlink_status(dataDir / "com5")));
    other.stop();
    EXPECT_FALSE(fs::exists(fs::symlink_status(dataDir / "com2")));

    std::ofstream(dataDir / "com3") << "notes";
    EXPECT_THROW(other.linkAs(dataDir, 3), fs::filesystem_error);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dataDir / "com3")));
}

TEST_F(SerialLineTest, AFrameStoppedHalfWayIsDropped) {
    link();
    ASSERT_TRUE(port.write(std::span(kReadBlock1).first(3)));
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_TRUE(exchange(kReadBlock1, 20).ok);
}

TEST_F(SerialLineTest, PacedTheLineTakesItsTimeForEveryByte) {
    link(ctrlsim::Options{.pace = true});
    const auto start = clock.nowMs();
    ASSERT_TRUE(exchange(kReadBlock1, 20).ok);
    // 7 bytes out and 20 back at about 1.04 ms each.
    EXPECT_GE(clock.nowMs() - start, 28);
}

TEST_F(SerialLineTest, TheProgramLinksItsPortUntilTerminated) {
    QProcess program;
    program.start(CTRLSIM_PROGRAM, {"--com", "9", "--data-dir", QString::fromStdString(dir.path()),
                                    "--fault", "refuse", "--fail-first", "1"});
    ASSERT_TRUE(program.waitForStarted());
    ASSERT_TRUE(program.waitForReadyRead(5000));
    EXPECT_TRUE(program.readLine().startsWith("ctrlsim: COM9 is /dev/pts/"));
    port.setPortNumber(9);
    ASSERT_TRUE(port.open()) << port.errorString();
    EXPECT_EQ(exchange(kReadBlock1, 20).reply, (Bytes{15, 15}));
    EXPECT_TRUE(exchange(kReadBlock1, 20).ok);
    port.close();
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir.path() / "com9")));
}

}  // namespace
