// Ticks at their intervals on the event loop are tested with Plexa's window,
// whose transfers run on them.
#include "view/timer_driver.h"

#include <gtest/gtest.h>

#include <QTest>

namespace {

TEST(TimerDriver, SleepsWhileNoTimerIsEnabled) {
    ui::SteadyClock clock;
    ui::TimerHub hub(clock);
    ui::Timer timer(hub, "Timer6", 1, false);
    int ticks = 0;
    timer.onTick = [&] {
        ++ticks;
        timer.setEnabled(false);  // a one-shot step, as the transfers use
    };
    view::TimerDriver driver(hub);
    EXPECT_FALSE(driver.armed());

    timer.setEnabled(true);
    EXPECT_TRUE(driver.armed());
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 1000));
    EXPECT_FALSE(driver.armed());
    QTest::qWait(20);
    EXPECT_EQ(ticks, 1);
}

}  // namespace
