#include "ui/timer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// A timer of 1000 ms, enabled, and a script of changes: "+N" lets N ms pass,
// "on" and "off" enable and disable it, "iN" sets the interval N.
TEST(Timer, TicksAtItsIntervalAndRestartsTheCountdownOnlyOnAChange) {
    const std::pair<const char*, std::vector<std::int64_t>> cases[] = {
        {"+3500", {1000, 2000, 3000}},    {"off i10 +100", {}},
        {"+600 on i1000 +500", {1000}},    // nothing changed: the countdown goes on
        {"+600 i100 +250", {700, 800}},    // a new interval counts from now
        {"i500 +400 off on +600", {900}},  // re-enabled: it counts from now
    };
    for (const auto& [text, expected] : cases) {
        ui::ManualClock clock;
        ui::TimerHub hub(clock);
        ui::Timer timer(hub, "T", 1000, true);
        std::vector<std::int64_t> ticks;
        timer.onTick = [&] { ticks.push_back(clock.nowMs()); };
        std::istringstream script(text);
        for (std::string step; script >> step;) {
            if (step[0] == '+') hub.advance(clock, std::stoi(step.substr(1)));
            if (step[0] == 'i') timer.setInterval(std::stoi(step.substr(1)));
            if (step == "on" || step == "off") timer.setEnabled(step == "on");
        }
        EXPECT_EQ(ticks, expected) << text;
    }
}

// As in a window system: a timer late by several intervals ticks once, and
// counts its next interval from that tick.
TEST(Timer, MissedTicksAreDeliveredOnceAfterABlockingTickOrALateLook) {
    ui::ManualClock clock;
    ui::TimerHub hub(clock);
    ui::Timer slow(hub, "S", 100, true);
    ui::Timer fast(hub, "F", 10, true);
    std::vector<std::string> ticks;
    slow.onTick = [&] {
        ticks.push_back("S@" + std::to_string(clock.nowMs()));
        clock.advance(500);  // busy inside the handler
    };
    fast.onTick = [&] { ticks.push_back("F@" + std::to_string(clock.nowMs())); };
    hub.advance(clock, 100);
    EXPECT_EQ(ticks, (std::vector<std::string>{"F@10", "F@20", "F@30", "F@40", "F@50", "F@60",
                                               "F@70", "F@80", "F@90", "S@100", "F@600"}));
    EXPECT_EQ(hub.nextDue(), 200);  // counted from the blocking tick, not from its end

    int changes = 0;
    hub.onScheduleChanged = [&] { ++changes; };
    slow.setEnabled(false);
    ticks.clear();
    clock.setNow(680);
    hub.runDue();
    EXPECT_EQ(ticks, std::vector<std::string>{"F@680"});
    EXPECT_EQ(hub.nextDue(), 690);
    EXPECT_EQ(changes, 2);  // the disabling and the look
}

}  // namespace
