#include "simulator.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <chrono>
#include <fstream>
#include <thread>

#include "serial/exchange.h"
#include "serial/qt_serial_port.h"
#include "temp_dir.h"
#include "test_frames.h"

namespace {

namespace fs = std::filesystem;
using serial::Bytes;

class SimulatorTest : public ::testing::Test {
  protected:
    void startLinked(ctrlsim::Options options = {}) {
        simulator = std::make_unique<ctrlsim::Simulator>(options);
        simulator->start();
        simulator->linkAs(dir.path(), 4);
        port.setPortNumber(4);
        ASSERT_TRUE(port.open()) << port.errorString();
    }

    serial::ExchangeResult exchange(const Bytes& request, std::size_t replyLength) {
        return serial::exchange(port, clock, request, replyLength);
    }

    test::TempDir dir;
    std::unique_ptr<ctrlsim::Simulator> simulator;
    serial::QtSerialPort port{dir.path()};
    ui::SteadyClock clock;
};

TEST_F(SimulatorTest, TheLinkPointsAtTheLineAndGoesWithTheSimulator) {
    ctrlsim::Simulator sim;
    sim.start();
    const fs::path dataDir = dir.path() / "home" / "dovra";
    sim.linkAs(dataDir, 5);
    EXPECT_EQ(sim.linkPath(), dataDir / "com5");
    EXPECT_EQ(fs::read_symlink(dataDir / "com5"), sim.slavePath());
    sim.stop();
    EXPECT_FALSE(fs::exists(fs::symlink_status(dataDir / "com5")));
}

TEST_F(SimulatorTest, AnOldLinkIsReplacedButAFileIsLeftAlone) {
    ctrlsim::Simulator sim;
    sim.start();
    fs::create_symlink("/dev/pts/999", dir.path() / "com2");
    sim.linkAs(dir.path(), 2);
    sim.linkAs(dir.path(), 2);
    EXPECT_EQ(fs::read_symlink(dir.path() / "com2"), sim.slavePath());
    std::ofstream(dir.path() / "com3") << "notes";
    EXPECT_THROW(sim.linkAs(dir.path(), 3), fs::filesystem_error);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir.path() / "com3")));
}

TEST_F(SimulatorTest, AnswersBothControllersOverTheLine) {
    startLinked();
    const test::Data data = test::counting(7);
    EXPECT_TRUE(exchange(test::corvelWrite(241, data), 3).ok);
    EXPECT_TRUE(exchange(test::plexaWrite(8000, data), 3).ok);
    EXPECT_EQ(simulator->corvelBlock(241), data);
    EXPECT_EQ(simulator->plexaBlock(8000), data);
    const auto read = exchange(test::corvelRead(241), 20);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.reply[1], 7);
    EXPECT_EQ(simulator->requests(),
              (std::vector<Bytes>{test::corvelWrite(241, data), test::plexaWrite(8000, data),
                                  test::corvelRead(241)}));
}

TEST_F(SimulatorTest, FailsTheFirstKRequestsThenAnswers) {
    startLinked();
    simulator->setFault(ctrlsim::Fault::kBadFraming, 2);
    EXPECT_EQ(exchange(test::plexaRead(1), 20).reply.back(), 0);
    EXPECT_EQ(exchange(test::plexaRead(1), 20).reply.back(), 0);
    EXPECT_EQ(exchange(test::plexaRead(1), 20).reply.back(), 3);
}

TEST_F(SimulatorTest, AFrameStoppedHalfWayIsDropped) {
    startLinked();
    const Bytes request = test::plexaRead(1);
    ASSERT_TRUE(port.write(std::span(request).first(3)));
    std::this_thread::sleep_for(std::chrono::milliseconds(250));
    EXPECT_TRUE(exchange(request, 20).ok);
}

TEST_F(SimulatorTest, PacedTheLineTakesItsTimeForEveryByte) {
    startLinked(ctrlsim::Options{.pace = true});
    const auto start = clock.nowMs();
    ASSERT_TRUE(exchange(test::plexaRead(1), 20).ok);
    // 7 bytes out and 20 back at about 1.04 ms each.
    EXPECT_GE(clock.nowMs() - start, 28);
}

TEST_F(SimulatorTest, TheProgramLinksItsPortUntilTerminated) {
    QProcess program;
    program.start(CTRLSIM_PROGRAM, {"--com", "9", "--data-dir", QString::fromStdString(dir.path()),
                                    "--fault", "refuse", "--fail-first", "1"});
    ASSERT_TRUE(program.waitForStarted());
    ASSERT_TRUE(program.waitForReadyRead(5000));
    EXPECT_TRUE(program.readLine().startsWith("ctrlsim: COM9 is /dev/pts/"));
    port.setPortNumber(9);
    ASSERT_TRUE(port.open()) << port.errorString();
    EXPECT_EQ(exchange(test::plexaRead(1), 20).reply, (Bytes{15, 15}));
    EXPECT_TRUE(exchange(test::plexaRead(1), 20).ok);
    port.close();
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir.path() / "com9")));
}

TEST_F(SimulatorTest, TheProgramRefusesBadArguments) {
    for (const QStringList& args : {QStringList{}, QStringList{"--com", "17"},
                                    QStringList{"--com", "2", "--fault", "flaky"}}) {
        QProcess program;
        program.start(CTRLSIM_PROGRAM, args);
        ASSERT_TRUE(program.waitForFinished(5000));
        EXPECT_EQ(program.exitCode(), 2) << args.join(' ').toStdString();
    }
}

}  // namespace
