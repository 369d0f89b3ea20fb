#include "ui/timer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Restarting the countdown on a change of interval or of the enabled state
// is tested with Corvel's preview, which steps by it.

// As in a window system: a timer late by several intervals ticks once, and
// counts its next interval from that tick; one of interval 0 is never due.
TEST(Timer, MissedTicksAreDeliveredOnceAfterABlockingTick) {
    ui::ManualClock clock;
    ui::TimerHub hub(clock);
    ui::Timer slow(hub, "S", 100, true);
    ui::Timer fast(hub, "F", 10, true);
    ui::Timer never(hub, "Z", 0, true);  // an interval of 0 ticks never, enabled or not
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
}

}  // namespace
