#include "ui/timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TimerTest : ::testing::Test {
    ui::ManualClock clock;
    ui::TimerHub hub{clock};
    std::vector<std::string> ticks;

    void record(ui::Timer& t) {
        t.onTick = [this, &t] { ticks.push_back(t.name() + "@" + std::to_string(clock.nowMs())); };
    }
};

TEST_F(TimerTest, PeriodicTicksAtItsInterval) {
    ui::Timer t(hub, "T", 1000, true);
    record(t);
    hub.advance(clock, 3500);
    EXPECT_EQ(ticks, (std::vector<std::string>{"T@1000", "T@2000", "T@3000"}));
    EXPECT_EQ(clock.nowMs(), 3500);
}

TEST_F(TimerTest, DisabledTimerNeverTicks) {
    ui::Timer t(hub, "T", 10, false);
    record(t);
    hub.advance(clock, 100);
    EXPECT_TRUE(ticks.empty());
    EXPECT_FALSE(hub.nextDue());
}

TEST_F(TimerTest, EnablingARunningTimerOrReapplyingItsIntervalKeepsTheCountdown) {
    ui::Timer t(hub, "T", 1000, true);
    record(t);
    hub.advance(clock, 600);
    t.setEnabled(true);
    t.setInterval(1000);
    hub.advance(clock, 500);
    EXPECT_EQ(ticks, (std::vector<std::string>{"T@1000"}));
}

TEST_F(TimerTest, ANewIntervalTakesEffectAtOnce) {
    ui::Timer t(hub, "T", 1000, true);
    record(t);
    hub.advance(clock, 600);
    t.setInterval(100);
    hub.advance(clock, 250);
    EXPECT_EQ(ticks, (std::vector<std::string>{"T@700", "T@800"}));
}

TEST_F(TimerTest, ReenablingRestartsTheCountdown) {
    ui::Timer t(hub, "T", 500, true);
    record(t);
    hub.advance(clock, 400);
    t.setEnabled(false);
    t.setEnabled(true);
    hub.advance(clock, 600);
    EXPECT_EQ(ticks, (std::vector<std::string>{"T@900"}));
}

TEST_F(TimerTest, TimersChainInDueOrder) {
    ui::Timer a(hub, "A", 1, false);
    ui::Timer b(hub, "B", 1, false);
    int rounds = 0;
    a.onTick = [&] {
        a.setEnabled(false);
        if (++rounds < 3) b.setEnabled(true);
    };
    b.onTick = [&] {
        b.setEnabled(false);
        a.setEnabled(true);
    };
    a.setEnabled(true);
    hub.advance(clock, 100);
    EXPECT_EQ(rounds, 3);
    EXPECT_FALSE(a.enabled());
    EXPECT_FALSE(b.enabled());
}

TEST_F(TimerTest, ABlockingTickDeliversMissedTicksOnceAfterwards) {
    ui::Timer slow(hub, "S", 100, true);
    ui::Timer fast(hub, "F", 10, true);
    slow.onTick = [&] {
        ticks.push_back("S@" + std::to_string(clock.nowMs()));
        clock.advance(500);  // busy inside the handler
    };
    record(fast);
    hub.advance(clock, 100);
    ASSERT_GE(ticks.size(), 11u);
    EXPECT_EQ(ticks[9], "S@100");
    EXPECT_EQ(ticks[10], "F@600");  // one late tick, not fifty
    EXPECT_EQ(ticks.size(), 11u);
}

TEST_F(TimerTest, RunDueFiresWhatIsDueOnTheHubClock) {
    ui::Timer t(hub, "T", 50, true);
    record(t);
    int changes = 0;
    hub.onScheduleChanged = [&] { ++changes; };
    clock.setNow(49);
    hub.runDue();
    EXPECT_TRUE(ticks.empty());
    clock.setNow(120);
    hub.runDue();
    EXPECT_EQ(ticks, (std::vector<std::string>{"T@120"}));
    EXPECT_EQ(hub.nextDue(), 170);
    EXPECT_GT(changes, 0);
}

}  // namespace
