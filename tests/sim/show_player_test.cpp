// The simulator playing a Corvel program on its outputs.
#include "show_player.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using ctrlsim::Block;
using ctrlsim::Controller;
using ctrlsim::PlayTiming;
using ctrlsim::ShowPlayer;
using std::chrono::milliseconds;

// Steps one interval apart, then a hold on the last, then from the start.
TEST(ShowPlayer, StepsOneIntervalApartThenHoldTheLastAndStartAgain) {
    const PlayTiming five{500, 1000, 5}, none{500, 1000, 0}, brief{10, 1, 3};
    const std::tuple<PlayTiming, int, int> cases[] = {
        {five, 0, 0},    {five, 499, 0},  {five, 500, 1},   {five, 2499, 4},
        {five, 2500, 5}, {five, 3499, 5}, {five, 3500, 0},  {five, 7500, 1},
        {brief, 30, 3},  {brief, 31, 0},  {none, 123456, 0}};
    for (const auto& [timing, ms, step] : cases)
        EXPECT_EQ(ctrlsim::stepAt(timing, milliseconds(ms)), step) << ms;
}

TEST(ShowPlayer, ProgramsAreNamedAsTheSelectorsShowThem) {
    const std::pair<const char*, int> named[] = {
        {"PA00", 0}, {"PA7", 7}, {"PB00", 30}, {"PD29", 119}};
    for (const auto& [name, row] : named) EXPECT_EQ(ctrlsim::programNamed(name), row) << name;
    for (const char* bad : {"PA30", "PE01", "QA01", "PA", "PA-1", "PA1x", "PA001", ""})
        EXPECT_FALSE(ctrlsim::programNamed(bad).has_value()) << bad;
}

// Program PA01 (blocks 3 and 4): mode 1, Interval 50, HoldTime 100,
// WorkNumber 5, one group with S 10, Q 3, N 20, and StartPoints 1 (byte 18),
// in the show's time unit (row 0's byte 19, block 2's byte 3): hundredths
// or tenths of a second. Step 2 shows the bar at outputs 10..12.
TEST(ShowPlayer, PlaysTheProgramsPictureAtTheStepDueInItsTiming) {
    Controller controller;
    controller.setCorvelBlock(3, {1, 50, 0, 100, 0, 5, 10, 3, 20});
    controller.setCorvelBlock(4, {0, 0, 1});
    const ShowPlayer player(1);
    player.play(controller, milliseconds(1200));
    EXPECT_EQ(controller.corvelBlock(241), (Block{0, 0x1C}));
    EXPECT_EQ(controller.corvelBlock(242), Block{});

    controller.setCorvelBlock(2, {0, 0, 0, 1});
    EXPECT_EQ(player.timing(controller).holdMs, 10000);
}

}  // namespace
