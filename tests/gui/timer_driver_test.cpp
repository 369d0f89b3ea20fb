#include "view/timer_driver.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>

namespace {

TEST(TimerDriver, DeliversTicksAtTheirIntervalsFromTheEventLoop) {
    ui::SteadyClock clock;
    ui::TimerHub hub(clock);
    ui::Timer fast(hub, "fast", 20, true);
    ui::Timer slow(hub, "slow", 50, true);
    int fastTicks = 0;
    int slowTicks = 0;
    fast.onTick = [&] { ++fastTicks; };
    slow.onTick = [&] { ++slowTicks; };
    view::TimerDriver driver(hub);

    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return slowTicks >= 2; }, 2000));
    EXPECT_GE(elapsed.elapsed(), 100);
    EXPECT_GE(fastTicks, 2);
}

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
