// The real serial port against the simulator's pseudo-terminal, and the
// simulator's line. Every byte value crossing it both ways is tested with
// Plexa's line test.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <fstream>

#include "serial/exchange.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using serial::Bytes;
using ::testing::AllOf;
using ::testing::HasSubstr;

// Plexa's read of block 1: 17 + 0 + 1 = 18.
const Bytes kReadBlock1{2, 17, 0, 1, 18, 0, 3};

class SerialLineTest : public ::testing::Test {
  protected:
    // A simulator linked as COM3, and the port open on it.
    void link() {
        sim = std::make_unique<ctrlsim::Simulator>();
        sim->start();
        sim->linkAs(dir.path(), 3);
        port.setPortNumber(3);
        ASSERT_TRUE(port.open()) << port.errorString();
    }

    test::TempDir dir;
    std::unique_ptr<ctrlsim::Simulator> sim;
    serial::QtSerialPort port{dir.path()};
    ui::SteadyClock clock;
};

TEST_F(SerialLineTest, ALostDeviceEndsThePortsUse) {
    link();
    sim->stop();
    const auto start = clock.nowMs();
    EXPECT_FALSE(serial::exchange(port, clock, kReadBlock1, 20).ok);
    // At once: a port that did not give up would wake the exchange at once
    // again and again until its time-out.
    EXPECT_LT(clock.nowMs() - start, serial::kReplyTimeoutMs / 2);
    EXPECT_FALSE(port.isOpen());
    EXPECT_THAT(port.errorString(), HasSubstr("COM3: the device failed"));
}

TEST_F(SerialLineTest, OpenFailuresNameThePortAndTheReason) {
    link();
    serial::QtSerialPort other(dir.path());
    const auto failure = [&other](int number) {
        other.setPortNumber(number);
        EXPECT_FALSE(other.open());
        return other.errorString();
    };
    EXPECT_THAT(failure(3), AllOf(HasSubstr("COM3"), HasSubstr("in use by another program")));

    const fs::path missing = dir.path() / "unplugged";
    fs::create_symlink(missing, dir.path() / "com7");
    EXPECT_THAT(failure(7),
                AllOf(HasSubstr("COM7"), HasSubstr(missing.string()), HasSubstr("does not exist")));
    // The simulator never links over a file.
    std::ofstream(dir.path() / "com5") << "notes";
    EXPECT_THROW(sim->linkAs(dir.path(), 5), fs::filesystem_error);
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir.path() / "com5")));
}

// Another program (here another port object) gets the device once the port
// has let it go, or at once when the port opens another device; a reopen
// before then neither closes nor opens it.
TEST_F(SerialLineTest, AClosedPortKeepsItsDeviceForAReopenThenLetsItGo) {
    link();
    serial::QtSerialPort other(dir.path());
    other.setPortNumber(3);
    port.close();
    EXPECT_FALSE(other.open());
    const int watch = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(watch, sim->slavePath().c_str(), IN_OPEN | IN_CLOSE);
    ASSERT_TRUE(port.open());
    EXPECT_TRUE(serial::exchange(port, clock, kReadBlock1, 20).ok);
    char events[1024];
    EXPECT_LT(::read(watch, events, sizeof events), 1) << "the device was closed or opened";
    ::close(watch);

    port.close();
    const auto closedAt = clock.nowMs();
    while (!other.open() && clock.nowMs() - closedAt < 10 * serial::kReleaseDelayMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    EXPECT_TRUE(other.isOpen()) << other.errorString();

    fs::create_symlink(dir.path() / "unplugged", dir.path() / "com4");
    other.close();
    other.setPortNumber(4);
    EXPECT_FALSE(other.open());
    EXPECT_TRUE(port.open()) << port.errorString();
}

TEST_F(SerialLineTest, TheProgramLinksItsPortUntilTerminated) {
    fs::create_symlink("/dev/pts/999", dir.path() / "com9");  // left by an old run
    QProcess program;
    program.start(CTRLSIM_PROGRAM, {"--com", "9", "--data-dir", QString::fromStdString(dir.path()),
                                    "--fault", "refuse", "--fail-first", "1", "--pace"});
    ASSERT_TRUE(program.waitForReadyRead(5000));
    port.setPortNumber(9);
    ASSERT_TRUE(port.open()) << port.errorString();
    EXPECT_EQ(serial::exchange(port, clock, kReadBlock1, 20).reply, (Bytes{15, 15}));
    EXPECT_TRUE(serial::exchange(port, clock, kReadBlock1, 20).ok);
    port.close();
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_FALSE(fs::exists(fs::symlink_status(dir.path() / "com9")));
}

}  // namespace
