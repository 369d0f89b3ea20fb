// Plexa and Corvel on Windows against the controller simulator through COM1,
// over the system's serial API: the simulator runs outside on a
// pseudo-terminal that the system knows as COM1 (com1-simulator sets it up).
// What goes down comes back byte for byte.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <chrono>
#include <thread>

#include "corvel/form.h"
#include "plexa/form.h"
#include "plexa/run_until.h"
#include "serial/exchange.h"
#include "serial/system_port.h"
#include "temp_dir.h"

namespace {

using namespace std::chrono_literals;
using ::testing::HasSubstr;

// Plexa's read of block 1: 17 + 0 + 1 = 18.
const serial::Bytes kReadBlock1{2, 17, 0, 1, 18, 0, 3};

TEST(Com1Line, PlexaProgramGoesDownAndComesBack) {
    test::TempDir temp;
    ui::SteadyClock clock;
    serial::SystemSerialPort port(temp.path());
    plexa::Form1 f(plexa::Environment{temp.path(), clock, port, {}});
    f.load();
    ASSERT_EQ(f.Combo3.text(), "1");
    for (int a = 0; a < 128000; ++a)
        f.ProgramTable.setByte(a, static_cast<std::uint8_t>(a * 7 + 3));
    const plexa::ProgramTable sent = f.ProgramTable;
    const auto idle = [&] { return f.Command3.enabled() && f.Command5.enabled(); };

    f.Command3.click();
    test::runUntil(f, clock, idle);
    f.ProgramTable = plexa::ProgramTable{};
    f.Command5.click();
    test::runUntil(f, clock, idle);
    EXPECT_EQ(f.Label13.caption(), "CommunicateSuccessfully");
    for (int a = 0; a < 128000; ++a) ASSERT_EQ(f.ProgramTable.byte(a), sent.byte(a)) << a;
}

TEST(Com1Line, CorvelShowGoesDownAndComesBack) {
    test::TempDir temp;
    ui::SteadyClock clock;
    serial::SystemSerialPort port(temp.path());
    corvel::Form1 f(corvel::Environment{temp.path(), clock, port, {}});
    f.load();
    ASSERT_EQ(f.Combo3.text(), "1");
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 32; ++c)
            f.ProgramTable.set(r, c, static_cast<std::uint8_t>((7 * r + c) % 40));

    f.Command3.click();
    EXPECT_EQ(f.Label13.caption(), "the communication is normal");
    f.ProgramTable = corvel::ProgramTable{};
    f.Command5.click();
    EXPECT_EQ(f.Label13.caption(), "the communication is normal");
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 32; ++c) ASSERT_EQ(f.ProgramTable.at(r, c), (7 * r + c) % 40) << r;
}

// Wine lets any number of openers have a COM port, so another program
// holding it, and the port keeping its device after a close, cannot be seen
// here: only that the port opens again and still exchanges, and what it
// says of ports it cannot open.
TEST(Com1Line, APortOpensAgainAfterItsCloseAndNamesWhyOthersFail) {
    test::TempDir temp;
    ui::SteadyClock clock;
    serial::SystemSerialPort port(temp.path());
    ASSERT_TRUE(port.open()) << port.errorString();
    port.close();
    EXPECT_FALSE(port.isOpen());
    EXPECT_FALSE(port.write(kReadBlock1));
    ASSERT_TRUE(port.open());
    EXPECT_TRUE(serial::exchange(port, clock, kReadBlock1, 20).ok);
    port.close();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 2 * serial::kReleaseDelayMs);
    ASSERT_TRUE(port.open()) << port.errorString();
    EXPECT_TRUE(serial::exchange(port, clock, kReadBlock1, 20).ok);

    serial::SystemSerialPort other(temp.path());
    other.setPortNumber(9);
    EXPECT_FALSE(other.open());
    EXPECT_THAT(other.errorString(), HasSubstr("COM9: the device does not exist"));
    other.setPortNumber(17);
    EXPECT_FALSE(other.open());
    EXPECT_THAT(other.errorString(), HasSubstr("COM17: no such port"));
}

}  // namespace
