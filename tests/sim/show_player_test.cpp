// The simulator playing a Corvel program on its outputs.
#include "show_player.h"

#include <gtest/gtest.h>

#include "serial/exchange.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"

namespace {

using ctrlsim::Block;
using ctrlsim::Controller;
using ctrlsim::PlayTiming;
using ctrlsim::ShowPlayer;
using std::chrono::milliseconds;

TEST(ShowPlayer, StepsOneIntervalApartThenHoldTheLastAndStartAgain) {
    const PlayTiming timing{500, 1000, 5};  // a cycle of 3.5 s
    const std::pair<int, int> due[] = {{0, 0},    {499, 0},  {500, 1},  {1200, 2}, {2499, 4},
                                       {2500, 5}, {3499, 5}, {3500, 0}, {3600, 0}, {7500, 1}};
    for (const auto& [ms, step] : due)
        EXPECT_EQ(ctrlsim::stepAt(timing, milliseconds(ms)), step) << ms;
    // WorkNumber 0 shows step 0 only; a hold of 1 ms shows the last step for 1 ms.
    EXPECT_EQ(ctrlsim::stepAt({500, 1000, 0}, milliseconds(123456)), 0);
    EXPECT_EQ(ctrlsim::stepAt({10, 1, 3}, milliseconds(30)), 3);
    EXPECT_EQ(ctrlsim::stepAt({10, 1, 3}, milliseconds(31)), 0);
}

TEST(ShowPlayer, ProgramsAreNamedAsTheSelectorsShowThem) {
    const std::pair<const char*, int> named[] = {
        {"PA00", 0}, {"PA7", 7}, {"PB00", 30}, {"PD29", 119}};
    for (const auto& [name, row] : named) EXPECT_EQ(ctrlsim::programNamed(name), row) << name;
    for (const char* bad : {"PA30", "PE01", "QA01", "PA", "PA-1", "PA1x", "PA001", ""})
        EXPECT_FALSE(ctrlsim::programNamed(bad).has_value()) << bad;
    EXPECT_THROW(ShowPlayer(120), std::out_of_range);
    EXPECT_THROW(ShowPlayer(-1), std::out_of_range);
}

// Program PA01 (blocks 3 and 4): mode 1, Interval 50, HoldTime 100,
// WorkNumber 5, one group with S 10, Q 3, N 20 and no start points.
Controller withGrowingBar(std::uint8_t timeUnit) {
    Controller controller;
    controller.setCorvelBlock(3, {1, 50, 0, 100, 0, 5, 10, 3, 20});
    Block row0Tail{};
    row0Tail[3] = timeUnit;
    controller.setCorvelBlock(2, row0Tail);
    return controller;
}

TEST(ShowPlayer, TimingComesFromTheProgramAndTheShowsTimeUnit) {
    const ShowPlayer player(1);
    const PlayTiming hundredths = player.timing(withGrowingBar(0));
    EXPECT_EQ(hundredths.stepMs, 500);
    EXPECT_EQ(hundredths.holdMs, 1000);
    EXPECT_EQ(hundredths.lastStep, 5);
    const PlayTiming tenths = player.timing(withGrowingBar(1));
    EXPECT_EQ(tenths.stepMs, 5000);
    EXPECT_EQ(tenths.holdMs, 10000);
    // Interval 0x0140 = 320 units of 0.1 s is cut to 30 s.
    Controller longer = withGrowingBar(1);
    longer.setCorvelBlock(3, {1, 0x40, 0x01, 100, 0, 5, 10, 3, 20});
    EXPECT_EQ(player.timing(longer).stepMs, 30000);
}

TEST(ShowPlayer, TheOutputsShowTheProgramsPictureAtTheStepDue) {
    Controller controller = withGrowingBar(0);
    const ShowPlayer player(1);
    player.play(controller, milliseconds(1200));  // step 2: outputs 10 and 11
    EXPECT_EQ(controller.corvelBlock(241), (Block{0, 0x0C}));
    EXPECT_EQ(controller.corvelBlock(242), Block{});
    player.play(controller, milliseconds(3000));  // step 5, the bar at 10..14
    EXPECT_EQ(controller.corvelBlock(241), (Block{0, 0x7C}));
    player.play(controller, milliseconds(3600));  // step 0 again: dark
    EXPECT_EQ(controller.corvelBlock(241), Block{});
}

TEST(ShowPlayer, TheLastOutputsAreTheSecondBlocksLastByte) {
    Controller controller;
    // Mode 7 at A-start 248: the mask's first byte lights outputs 248..255.
    controller.setCorvelBlock(1, {7, 1, 0, 1, 0, 1, 248, 0, 0, 0xFF});
    ShowPlayer(0).play(controller, milliseconds(0));
    Block last{};
    last[15] = 0xFF;
    EXPECT_EQ(controller.corvelBlock(241), Block{});
    EXPECT_EQ(controller.corvelBlock(242), last);
}

// Over the line: Monitor's read of block 241 meets the program playing, and a
// show downloaded afterwards plays at once.
TEST(ShowPlayer, TheSimulatorPlaysTheShowItHoldsForMonitor) {
    test::TempDir dir;
    ctrlsim::Simulator sim(ctrlsim::Options{.playProgram = 0});
    sim.start();
    sim.linkAs(dir.path(), 3);
    serial::QtSerialPort port(dir.path());
    port.setPortNumber(3);
    ASSERT_TRUE(port.open()) << port.errorString();
    ui::SteadyClock clock;
    const serial::Bytes readOutputs{2, 7, 241, 241, 3};
    EXPECT_EQ(serial::exchange(port, clock, readOutputs, 20).reply.at(2), 0);
    // Mode 7 at A-start 8 (step independent): outputs 8..15 on.
    sim.setCorvelBlock(1, {7, 1, 0, 1, 0, 1, 8, 0, 0, 0xFF});
    const serial::ExchangeResult read = serial::exchange(port, clock, readOutputs, 20);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.reply.at(1), 0);
    EXPECT_EQ(read.reply.at(2), 0xFF);
    EXPECT_EQ(sim.corvelBlock(241)[1], 0xFF);
}

}  // namespace
