// Corvel's editor on the hand-driven clock, with no serial ports: the grid's
// refresh and commit, the header refresh, the panels, the files and the
// demonstration sequencer.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "form_scenario.h"

namespace {

class CorvelEditorTest : public test::FormTest<corvel::Form1> {
  protected:
    // No port opens: the scan finds none, on-line work fails at once.
    CorvelEditorTest() {
        for (int com = 1; com <= 16; ++com) port.setOpenFails(com);
    }
};

// What typing stores, and its range, is the Corvel window fuzz target's rule;
// here, which row the selectors choose: PB 3 is row 33.
TEST_F(CorvelEditorTest, TheSelectorsChooseTheRowThatTypingEdits) {
    auto& f = startEditing();
    run({"Combo1#1", "Combo2#3", "Text1(4)=300", "at 33,6?255", "Combo1#3", "Combo2#29"});
    EXPECT_EQ(f.selectedRow(), 119);
}

// In mode 7 the mask and the fields around it take no typing; the header
// follows the fields at the next tick.
TEST_F(CorvelEditorTest, HeaderRefreshFollowsTheFieldsAfterASecond) {
    auto& f = startEditing();
    run({"Text1(0)=7", "tick", "Label8?SequenceControl", "Command8.visible?1"});
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(f.Text1[static_cast<size_t>(i)].enabled(), i < 5 || i == 17) << i;
    f.Text1[0].type("6");
    for (int i : {5, 7, 9}) f.Text1[static_cast<size_t>(i)].setText("4");
    run({"Label8?SequenceControl", "tick", "Label8?Water-Pttern Rolling-Over", "Text1(7)=5", "tick",
         "Label8?MultipleMove "});
    for (const ui::TextBox& field : f.Text1) EXPECT_TRUE(field.enabled()) << field.name();
}

// The range stops at the last bit. Another program or another show closes
// the panel before a click meant for the mask shown can reach the row now
// shown.
TEST_F(CorvelEditorTest, TheBitPanelEditsTheMask) {
    auto& f = startEditing();
    f.ProgramTable.set(0, 0, 7);
    f.ProgramTable.set(0, 10, 5);
    run({"Combo2#0", "tick", "Command8!", "Frame4.visible?1"});
    for (int k = 8; k < 16; ++k) EXPECT_EQ(f.List2.selected(k), k == 8 || k == 10) << k;
    run({"List2#63", "at 0,16?128", "Text7=70", "Text6=5", "Check2!", "Command9!", "at 0,9?224"});
    for (int c = 10; c <= 16; ++c) EXPECT_EQ(f.ProgramTable.at(0, c), 255) << c;
    run({"Check2!", "Command9!", "at 0,9?0", "at 0,16?0", "Text1(0)=3", "tick", "Frame4.visible?0",
         "Text1(0)=7", "Command8!", "Combo2#1", "Frame4.visible?0", "List2#0", "at 1,9?0",
         "Combo2#0", "Command8!", "Command1!", "List2#1", "at 0,9?0"});
}

// Column 32 is never stored; the list shows a save at once; a selected file
// is read, whatever the name typed.
TEST_F(CorvelEditorTest, SaveAndLoadKeepEveryByte) {
    auto& f = startEditing();
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 32; ++c) f.ProgramTable.set(r, c, static_cast<std::uint8_t>(r + c));
    f.ProgramTable.set(0, 32, 99);
    run({"Text2=a.b", "Command2!"});
    std::ifstream in(dataDir / "a.b.sav", std::ios::binary);
    const std::string saved{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(saved.size(), 3840u);
    EXPECT_EQ(saved[32], 1);
    EXPECT_EQ(static_cast<std::uint8_t>(saved[32 * 119 + 31]), 150);
    ASSERT_EQ(f.File1.files(), (std::vector<std::string>{"a.b.sav", "mernal.sav"}));
    f.ProgramTable = corvel::ProgramTable{};
    // The selected file is read, not the one named up to its first dot.
    run({"File1#0", "Text2?a", "Command1!", "at 119,31?150"});
}

// Over a dark program (work mode 4).
class CorvelPreviewTest : public CorvelEditorTest {
  protected:
    void play(int option, const std::string& interval, const std::string& hold,
              const std::string& workNumber) {
        startEditing();
        run({"Text1(0)=4", "Text1(1)=" + interval, "Text1(2)=" + hold, "Text1(3)=" + workNumber,
             "Options#" + std::to_string(option)});
    }
    // The steps the counter shows over the next ms, each as it comes, at 1 ms
    // resolution.
    std::vector<int> steps(std::int64_t ms) {
        std::vector<int> steps;
        for (int step = form->DemoStep; ms > 0; --ms) {
            tick(1);
            if (form->DemoStep != step) steps.push_back(step = form->DemoStep);
        }
        return steps;
    }
};

TEST_F(CorvelPreviewTest, SingleDemoEndsOnStopAtStepZeroAndCirculateStartsAgainAfterTheHold) {
    play(corvel::SingleDemo, "10", "0", "3");
    EXPECT_EQ(steps(3000), (std::vector<int>{1, 2, 3, 0}));
    run({"Options?3"});
    play(corvel::Circulate, "10", "0", "3");
    std::vector<int> circling = steps(1000);
    circling.resize(6);
    EXPECT_EQ(circling, (std::vector<int>{1, 2, 3, 0, 1, 2}));
    run({"Options?1"});
}

// Periods count in the show's TimeUnit (0: 0.01 s, else 0.1 s); the
// Additional panel holds TimeUnit, and the field it covers (TimeUnit in
// program 0) stores nothing while it is open. That the panel shows and
// stores the show's values is the Corvel window fuzz target's rule.
TEST_F(CorvelPreviewTest, PeriodsFollowTheTimeUnit) {
    startEditing().Command7.click();
    run({"Text5(0)=9", "Text1(1)=5", "tick", "Label24? 0.1s", "Text1(17)=5", "at 0,19?9",
         "Command7!", "Text1(17)=6", "at 0,19?6"});
    EXPECT_EQ(form->Timer3.interval(), 500);
}

}  // namespace
