// Plexa against a simulated controller over a real pseudo-terminal: the
// whole program goes down and comes back. Everything else about transfers is
// shown faster over the scripted port.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "absent_port.h"
#include "plexa/form.h"
#include "plexa/run_until.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"

namespace {

using namespace std::chrono_literals;

TEST(PlexaLine, TheWholeProgramGoesDownAndComesBackOverCom16) {
    test::TempDir temp;
    const std::filesystem::path dataDir = temp.path() / "dovra";
    ctrlsim::Simulator sim;
    sim.start();
    sim.linkAs(dataDir, 16);
    test::linkAbsentPorts(dataDir, {16});
    ui::SteadyClock clock;
    serial::QtSerialPort port(dataDir);
    plexa::Form1 f(plexa::Environment{dataDir, clock, port, {}});
    f.load();
    EXPECT_EQ(f.Combo3.text(), "16");
    for (int a = 0; a < 128000; ++a)
        f.ProgramTable.setByte(a, static_cast<std::uint8_t>(a * 7 + 3));
    for (int c = 0; c < 16; ++c) f.ProgramTable.set(9000, c, static_cast<std::uint8_t>(c + 1));
    const plexa::ProgramTable sent = f.ProgramTable;
    const auto idle = [&] { return f.Command3.enabled() && f.Command5.enabled(); };

    f.Command3.click();
    test::runUntil(f, clock, idle);
    f.ProgramTable = plexa::ProgramTable{};
    f.Command5.click();
    test::runUntil(f, clock, idle);
    EXPECT_EQ(f.Label13.caption(), "CommunicateSuccessfully");
    EXPECT_EQ(f.ProgramTable.block(0), sent.block(0));
    for (int a = 0; a < 128000; ++a) ASSERT_EQ(f.ProgramTable.byte(a), sent.byte(a)) << a;
}

}  // namespace
