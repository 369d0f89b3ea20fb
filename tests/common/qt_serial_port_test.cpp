#include "serial/qt_serial_port.h"

#include <gtest/gtest.h>

#include "serial/exchange.h"
#include "simulator.h"
#include "temp_dir.h"
#include "test_frames.h"

namespace {

using serial::Bytes;

// Counts how often the exchange looks at the time: a loop that spins looks
// thousands of times.
class CountingClock final : public ui::Clock {
  public:
    std::int64_t nowMs() const override {
        ++reads;
        return steady.nowMs();
    }
    mutable int reads = 0;
    ui::SteadyClock steady;
};

const Bytes kReadBlock1 = test::plexaRead(1);

class QtSerialPortTest : public ::testing::Test {
  protected:
    QtSerialPortTest() {
        simulator.start();
        simulator.linkAs(dir.path(), 3);
        port.setPortNumber(3);
    }

    serial::ExchangeResult exchange(const Bytes& request, std::size_t replyLength) {
        return serial::exchange(port, clock, request, replyLength);
    }

    test::TempDir dir;
    ctrlsim::Simulator simulator;
    serial::QtSerialPort port{dir.path()};
    ui::SteadyClock clock;
};

TEST_F(QtSerialPortTest, WritesABlockAndReadsItBack) {
    const test::Data data = test::counting(100);
    ASSERT_TRUE(port.open()) << port.errorString();
    EXPECT_TRUE(port.isOpen());
    const auto written = exchange(test::plexaWrite(1, data), 3);
    EXPECT_TRUE(written.ok);
    EXPECT_EQ(written.reply, (Bytes{2, 5, 3}));
    EXPECT_EQ(simulator.plexaBlock(1), data);
    const auto read = exchange(kReadBlock1, 20);
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), read.reply.begin() + 1));
    port.close();
    EXPECT_FALSE(port.isOpen());
}

TEST_F(QtSerialPortTest, EveryByteValuePassesUnchanged) {
    for (const std::uint8_t first : {0, 16, 240}) {
        const test::Data data = test::counting(first);
        simulator.setPlexaBlock(1, data);
        ASSERT_TRUE(port.open()) << port.errorString();
        const auto read = exchange(kReadBlock1, 20);
        port.close();
        ASSERT_TRUE(read.ok) << +first;
        EXPECT_TRUE(std::equal(data.begin(), data.end(), read.reply.begin() + 1)) << +first;
    }
}

TEST_F(QtSerialPortTest, StaleInputIsDiscarded) {
    ASSERT_TRUE(port.open());
    simulator.send({15, 15, 9});
    ASSERT_TRUE(port.waitForInput(1000));
    EXPECT_TRUE(exchange(kReadBlock1, 20).ok);
    simulator.setFault(ctrlsim::Fault::kStale, 1);
    EXPECT_TRUE(exchange(kReadBlock1, 20).ok);
    EXPECT_TRUE(exchange(kReadBlock1, 20).ok);
}

TEST_F(QtSerialPortTest, RefusalAndTimeOut) {
    ASSERT_TRUE(port.open());
    simulator.setFault(ctrlsim::Fault::kRefuse, 1);
    const auto refused = exchange(kReadBlock1, 20);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.reply, (Bytes{15, 15}));
    simulator.setFault(ctrlsim::Fault::kNoReply, 1);
    const auto start = clock.nowMs();
    EXPECT_FALSE(exchange(kReadBlock1, 20).ok);
    EXPECT_GT(clock.nowMs() - start, serial::kReplyTimeoutMs);
}

TEST_F(QtSerialPortTest, ALostDeviceFailsTheExchangeWithoutSpinning) {
    ASSERT_TRUE(port.open());
    simulator.stop();
    CountingClock counting;
    const auto result = serial::exchange(port, counting, kReadBlock1, 20);
    EXPECT_FALSE(result.ok);
    EXPECT_LT(counting.reads, 10);
    EXPECT_FALSE(port.isOpen());
    EXPECT_NE(port.errorString().find("COM3: the device failed"), std::string::npos);
    EXPECT_FALSE(port.waitForInput(10'000));
    EXPECT_TRUE(port.readAll().empty());
}

TEST_F(QtSerialPortTest, ALostDeviceIsNoticedByAWrite) {
    ASSERT_TRUE(port.open());
    simulator.stop();
    EXPECT_FALSE(port.write(kReadBlock1));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(QtSerialPortTest, ALostDeviceIsNoticedByAWait) {
    ASSERT_TRUE(port.open());
    simulator.stop();
    EXPECT_FALSE(port.waitForInput(10'000));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(QtSerialPortTest, ADanglingLinkFailsNamingThePortAndDevice) {
    const auto missing = dir.path() / "unplugged";
    std::filesystem::create_symlink(missing, dir.path() / "com7");
    port.setPortNumber(7);
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.isOpen());
    EXPECT_NE(port.errorString().find("COM7"), std::string::npos) << port.errorString();
    EXPECT_NE(port.errorString().find(missing.string()), std::string::npos);
    EXPECT_NE(port.errorString().find("does not exist"), std::string::npos);
}

TEST_F(QtSerialPortTest, APortHeldByAnotherIsReportedAsInUse) {
    ASSERT_TRUE(port.open());
    serial::QtSerialPort other(dir.path());
    other.setPortNumber(3);
    EXPECT_FALSE(other.open());
    EXPECT_NE(other.errorString().find("COM3"), std::string::npos) << other.errorString();
    EXPECT_NE(other.errorString().find("in use by another program"), std::string::npos);
    port.close();
    EXPECT_TRUE(other.open()) << other.errorString();
}

TEST_F(QtSerialPortTest, PortNumbersOutsideOneToSixteenDoNotExist) {
    port.setPortNumber(0);
    EXPECT_FALSE(port.open());
    EXPECT_NE(port.errorString().find("COM0"), std::string::npos);
}

}  // namespace
