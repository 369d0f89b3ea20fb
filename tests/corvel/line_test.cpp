// Corvel against the simulated controller over a real pseudo-terminal: the
// simulator plays program PA00 on its outputs before it answers Monitor's
// read.
#include <gtest/gtest.h>

#include "absent_port.h"
#include "corvel/form.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"

namespace {

TEST(CorvelLine, MonitorShowsTheProgramPlaying) {
    test::TempDir temp;
    const std::filesystem::path dataDir = temp.path() / "dovra";
    ctrlsim::Simulator sim(ctrlsim::Options{.playProgram = 0});
    sim.start();
    sim.linkAs(dataDir, 2);
    test::linkAbsentPorts(dataDir, {2});
    ui::SteadyClock clock;
    serial::QtSerialPort port(dataDir);
    corvel::Form1 form(corvel::Environment{dataDir, clock, port, {}});
    form.load();
    ASSERT_EQ(form.Combo3.text(), "2");

    // Work mode 7 at A-start 8 lights outputs 8..15 at every step.
    sim.setCorvelBlock(1, {7, 1, 0, 1, 0, 1, 8, 0, 0, 0xFF});
    form.monwork();
    EXPECT_EQ(form.Label7[0].caption(),
              std::string(8, '.') + std::string(8, 'I') + std::string(48, '.'));
    EXPECT_FALSE(port.isOpen());
}

}  // namespace
