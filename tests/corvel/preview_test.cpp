// The demonstration sequencer on the hand-driven clock.
#include <gtest/gtest.h>

#include <vector>

#include "form_fixture.h"

namespace {

// Over a dark program (work mode 4).
class CorvelPreviewTest : public CorvelEditorTest {
  protected:
    void play(int option, const std::string& interval, const std::string& hold,
              const std::string& workNumber) {
        startEditing();
        run({"Text1(0)=4", "Text1(1)=" + interval, "Text1(2)=" + hold, "Text1(3)=" + workNumber,
             "Options#" + std::to_string(option)});
    }
    struct Change {
        int step;
        std::int64_t afterMs;  // since the change before, or the run's start
    };
    // Every change of the step counter over the next ms, at 1 ms resolution.
    std::vector<Change> changes(std::int64_t ms) {
        std::vector<Change> changes;
        std::int64_t last = clock.nowMs();
        for (int step = form->DemoStep; ms > 0; --ms) {
            tick(1);
            if (form->DemoStep == step) continue;
            changes.push_back({step = form->DemoStep, clock.nowMs() - last});
            last = clock.nowMs();
        }
        return changes;
    }
};

// A hold of 1 ms shows the last step for a single refresh.
TEST_F(CorvelPreviewTest, SingleDemoEndsOnStopAtStepZeroAndCirculateStartsAgainAfterTheHold) {
    play(corvel::SingleDemo, "10", "0", "3");
    const std::vector<Change> single = changes(3000);
    ASSERT_EQ(single.size(), 4u);
    EXPECT_EQ(single[2].step, 3);
    EXPECT_EQ(single[3].step, 0);
    EXPECT_LE(single[3].afterMs, 101);
    run({"Options?3"});
    play(corvel::Circulate, "10", "0", "3");
    const std::vector<Change> circling = changes(1000);
    ASSERT_GE(circling.size(), 6u);
    EXPECT_EQ(circling[3].step, 0);
    EXPECT_EQ(circling[5].step, 2);
    run({"Options?1"});
}

// Monitor leaves the step timer as it was and steps once more at most
// without a refresh.
TEST_F(CorvelPreviewTest, StopPauseAndMonitorMidRun) {
    play(corvel::Circulate, "20", "100", "9");
    changes(700);
    const int reached = form->DemoStep;
    ASSERT_GT(reached, 1);
    run({"Options#2", "tick"});
    EXPECT_EQ(form->DemoStep, reached);
    run({"Options#1", "tick 250"});
    EXPECT_EQ(form->DemoStep, reached + 1);
    form->Options.select(corvel::Monitor);
    const bool stepping = form->Timer3.enabled();
    tick(1000);
    EXPECT_EQ(form->Timer3.enabled(), stepping);
    EXPECT_LE(form->DemoStep, reached + 2);
    run({"Options#3", "tick 100"});
    EXPECT_EQ(form->DemoStep, 0);
    EXPECT_FALSE(form->Timer4.enabled());
}

// Periods count in the show's TimeUnit (0: 0.01 s, else 0.1 s), from 1 ms
// up to 30 s, for steps and hold alike; the Additional panel holds TimeUnit.
TEST_F(CorvelPreviewTest, PeriodsFollowTheTimeUnitWithinWhatTheTimersHold) {
    const struct {
        const char *unit, *units;
        int periodMs;
    } cases[] = {{"0", "0", 1}, {"9", "5", 500}, {"1", "300", 30000}, {"1", "301", 30000}};
    startEditing().Command7.click();
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.unit) + " " + c.units);
        run({"Text5(0)=" + std::string(c.unit), "Text1(1)=" + std::string(c.units),
             "Text1(2)=" + std::string(c.units), "tick 100"});
        EXPECT_EQ(form->Timer3.interval(), c.periodMs);
        EXPECT_EQ(form->Timer4.interval(), c.periodMs);
    }
}

}  // namespace
