// Plexa against a simulated controller over a real pseudo-terminal: the
// whole program goes down and comes back. Everything else about transfers is
// shown faster over the scripted port.
#include <gtest/gtest.h>

#include "absent_port.h"
#include "plexa/line_round_trip.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"

namespace {

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
    test::plexaRoundTrip(f, clock, "16");
}

}  // namespace
