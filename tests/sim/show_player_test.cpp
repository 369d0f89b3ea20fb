// The simulator playing a Corvel program on its outputs. That it plays
// before answering a request over the line is shown by Corvel's line test.
#include "show_player.h"

#include <gtest/gtest.h>

namespace {

using ctrlsim::Block;
using ctrlsim::Controller;
using ctrlsim::PlayTiming;
using ctrlsim::ShowPlayer;
using std::chrono::milliseconds;

TEST(ShowPlayer, StepsOneIntervalApartThenHoldTheLastAndStartAgain) {
    // Five steps of 500 ms and a hold of 1 s: a cycle of 3.5 s.
    const std::pair<int, int> fiveSteps[] = {{0, 0},    {499, 0},  {500, 1},  {2499, 4},
                                             {2500, 5}, {3499, 5}, {3500, 0}, {7500, 1}};
    for (const auto& [ms, step] : fiveSteps)
        EXPECT_EQ(ctrlsim::stepAt({500, 1000, 5}, milliseconds(ms)), step) << ms;
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
// WorkNumber 5, one group with S 10, Q 3, N 20, and StartPoints 1 (byte 18).
Controller withGrowingBar(std::uint8_t timeUnit) {
    Controller controller;
    controller.setCorvelBlock(3, {1, 50, 0, 100, 0, 5, 10, 3, 20});
    controller.setCorvelBlock(4, {0, 0, 1});
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
    EXPECT_EQ(player.timing(withGrowingBar(1)).holdMs, 10000);
    // Interval 0x0140 = 320 units of 0.1 s is cut to 30 s.
    Controller longer = withGrowingBar(1);
    longer.setCorvelBlock(3, {1, 0x40, 0x01, 100, 0, 5, 10, 3, 20});
    EXPECT_EQ(player.timing(longer).stepMs, 30000);
}

TEST(ShowPlayer, TheOutputsShowTheProgramsPictureAtTheStepDue) {
    Controller controller = withGrowingBar(0);
    const ShowPlayer player(1);
    player.play(controller, milliseconds(1200));  // step 2: the bar at 10..12
    EXPECT_EQ(controller.corvelBlock(241), (Block{0, 0x1C}));
    EXPECT_EQ(controller.corvelBlock(242), Block{});
    // Mode 7 at A-start 248: the mask's first byte lights outputs 248..255.
    controller.setCorvelBlock(3, {7, 1, 0, 1, 0, 1, 248, 0, 0, 0xFF});
    player.play(controller, milliseconds(0));
    Block last{};
    last[15] = 0xFF;
    EXPECT_EQ(controller.corvelBlock(241), Block{});
    EXPECT_EQ(controller.corvelBlock(242), last);
}

}  // namespace
