// The demonstration sequencer on the hand-driven clock.
#include <gtest/gtest.h>

#include <vector>

#include "form_fixture.h"

namespace {

// Over a dark program (work mode 4).
class CorvelPreviewTest : public CorvelEditorTest {
  protected:
    void play(corvel::Option option, const char* interval, const char* hold,
              const char* workNumber) {
        auto& f = startEditing();
        f.Text1[0].type("4");
        f.Text1[1].type(interval);
        f.Text1[2].type(hold);
        f.Text1[3].type(workNumber);
        f.Options.select(option);
    }

    struct Change {
        int step;
        std::int64_t afterMs;  // since the change before, or the run's start
    };
    // Every change of the step counter over the next ms, at 1 ms resolution.
    std::vector<Change> run(std::int64_t ms) {
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

TEST_F(CorvelPreviewTest, SingleDemoEndsOnStopAtStepZeroAndCirculateStartsAgainAfterTheHold) {
    play(corvel::SingleDemo, "10", "0", "3");  // hold of 1 ms: the last step for a single refresh
    const std::vector<Change> single = run(3000);
    ASSERT_EQ(single.size(), 4u);
    EXPECT_EQ(single[2].step, 3);
    EXPECT_EQ(single[3].step, 0);
    EXPECT_LE(single[3].afterMs, 101);
    EXPECT_EQ(form->Options.selected(), corvel::Stop);

    play(corvel::Circulate, "10", "0", "3");
    const std::vector<Change> circling = run(1000);
    ASSERT_GE(circling.size(), 6u);
    EXPECT_EQ(circling[3].step, 0);
    EXPECT_EQ(circling[5].step, 2);
    EXPECT_EQ(form->Options.selected(), corvel::Circulate);
}

TEST_F(CorvelPreviewTest, StopPauseAndMonitorMidRun) {
    play(corvel::Circulate, "20", "100", "9");
    run(700);
    const int reached = form->DemoStep;
    ASSERT_GT(reached, 1);

    form->Options.select(corvel::Pause);
    run(1000);
    EXPECT_EQ(form->DemoStep, reached);
    form->Options.select(corvel::Circulate);
    run(250);
    EXPECT_EQ(form->DemoStep, reached + 1);

    form->Options.select(corvel::Monitor);
    const bool stepping = form->Timer3.enabled();
    run(1000);
    EXPECT_EQ(form->Timer3.enabled(), stepping);
    EXPECT_LE(form->DemoStep, reached + 2);  // one step more at most without a refresh

    form->Options.select(corvel::Stop);
    run(100);
    EXPECT_EQ(form->DemoStep, 0);
    EXPECT_FALSE(form->Timer4.enabled());
}

// Periods count in the show's TimeUnit (0: 0.01 s, else 0.1 s), from 1 ms
// up to 30 s, for steps and hold alike.
TEST_F(CorvelPreviewTest, PeriodsFollowTheTimeUnitWithinWhatTheTimersHold) {
    const struct {
        const char *unit, *units;
        int periodMs;
    } cases[] = {{"0", "0", 1}, {"9", "5", 500}, {"1", "300", 30000}, {"1", "301", 30000}};
    startEditing().Command7.click();  // the panel holds TimeUnit
    for (const auto& c : cases) {
        form->Text5[0].type(c.unit);
        form->Text1[1].type(c.units);
        form->Text1[2].type(c.units);
        tick(100);
        EXPECT_EQ(form->Timer3.interval(), c.periodMs) << c.unit << " " << c.units;
        EXPECT_EQ(form->Timer4.interval(), c.periodMs) << c.unit << " " << c.units;
    }
}

}  // namespace
