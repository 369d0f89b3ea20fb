// Plexa on Windows against the controller simulator through COM1,
// over the system's serial API: the simulator runs outside on a
// pseudo-terminal that the system knows as COM1 (com1-simulator sets it up).
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "plexa/line_round_trip.h"
#include "serial/exchange.h"
#include "serial/system_port.h"
#include "temp_dir.h"

namespace {

using ::testing::HasSubstr;

// Plexa's read of block 1: 17 + 0 + 1 = 18.
const serial::Bytes kReadBlock1{2, 17, 0, 1, 18, 0, 3};

// What Corvel sends takes the same port and exchange, and is shown to come
// back over the scripted port.
TEST(Com1Line, PlexasProgramGoesDownAndComesBack) {
    test::TempDir temp;
    ui::SteadyClock clock;
    serial::SystemSerialPort port(temp.path());
    plexa::Form1 f(plexa::Environment{temp.path(), clock, port, {}});
    test::plexaRoundTrip(f, clock, "1");
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
