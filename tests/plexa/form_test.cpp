// Start-up, refresh, commit, the display tick and the step indicator.
#include <fstream>

#include "form_fixture.h"
#include "plexa/program_file.h"

namespace {

using test::PlexaFormTest;

void writeProgram(const std::filesystem::path& path, const plexa::ProgramTable& table) {
    std::string error;
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(plexa::save(table, path, error)) << error;
}

TEST_F(PlexaFormTest, FirstStartCreatesTheFolderAndAnEmptyDefaultFile) {
    auto& f = start();
    EXPECT_EQ(std::filesystem::file_size(dataDir / "mernal.qdf"), 0u);
    EXPECT_TRUE(f.File1.files().empty());  // the new file shows at the list's next refresh
    EXPECT_EQ(f.Text1[0].text(), "4");
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(f.Text1[i].text(), "0");
    EXPECT_EQ(f.Text5[0].text(), "1");
    EXPECT_EQ(f.Text5[1].text(), "0");
    EXPECT_EQ(f.Text5[2].text(), "0");
    EXPECT_EQ(f.step.text(), "00");  // the refresh wrote "1" over "1": no event
    EXPECT_EQ(f.Label1[0].caption(), "200");
    EXPECT_EQ(f.EditReady, 0);
    for (int n = 0; n < 256; ++n) EXPECT_FALSE(f.List1.selected(n));

    tick();
    EXPECT_EQ(f.EditReady, 1);
    EXPECT_EQ(f.Label1[0].caption(), " 12796");
    EXPECT_EQ(f.Label1[1].caption(), "*16= 64");
    EXPECT_EQ(f.Label1[2].caption(), "0.1s");
    EXPECT_EQ(f.Label3.caption(), "CorrespondingSetting P1  Cd00----Cd4: 0 0 0 0 0");
    EXPECT_EQ(f.Label2.caption(),
              "Max.Step OutPutGroups Max.Output X0--Start x1--Start x2--Start x3--Start    "
              "CurrentStep   WorkMode HoldTime");
}

TEST_F(PlexaFormTest, EditsBeforeTheFirstTickStayInTheFields) {
    auto& f = start();
    f.Text1[1].type("77");
    f.Text5[2].type("15");
    EXPECT_EQ(word(2), 0);
    EXPECT_EQ(word(10), 0);
    clock.advance(999);
    f.timers.runDue();
    EXPECT_EQ(f.EditReady, 0);
    clock.advance(1);
    f.timers.runDue();
    f.Text1[2].type("5");  // the first edit commits every field as it stands
    EXPECT_EQ(word(2), 77);
    EXPECT_EQ(word(4), 5);
    EXPECT_EQ(word(10), 15);
}

TEST_F(PlexaFormTest, RefreshShowsTheLoadedProgramClamped) {
    plexa::ProgramTable table;
    table.setWord(0, 300);  // shown and used as 16 groups
    table.setWord(2, 9);
    table.setWord(32 * 9000 + 14, 1234);
    const int base = 34;
    table.setWord(base, 60000);
    table.setByte(base + 2 + 31, 0x80);  // output 255
    writeProgram(dataDir / "mernal.qdf", table);
    auto& f = startEditing();
    EXPECT_EQ(f.Text1[0].text(), "16");
    EXPECT_EQ(f.Text1[1].text(), "9");
    EXPECT_EQ(f.Text1[8].text(), "1234");
    EXPECT_EQ(f.Text5[1].text(), "6");
    EXPECT_EQ(f.Text5[2].text(), "0");
    EXPECT_TRUE(f.List1.selected(255));
    EXPECT_EQ(f.Label1[2].caption(), "Stop");
    EXPECT_EQ(f.Label1[0].caption(), " 3763");
    EXPECT_EQ(word(0), 300);  // a refresh writes nothing
}

TEST_F(PlexaFormTest, RefreshShowsOutputsBeyondTheGroupsOff) {
    plexa::ProgramTable table;
    for (int k = 0; k < 40; ++k) table.setByte(10 + 2 + k, 0xFF);
    writeProgram(dataDir / "mernal.qdf", table);
    auto& f = start();
    EXPECT_TRUE(f.List1.selected(63));
    EXPECT_FALSE(f.List1.selected(64));
    EXPECT_FALSE(f.List1.selected(255));
}

TEST_F(PlexaFormTest, CommitWritesHeaderStartStepsAndControlWord) {
    auto& f = startEditing();
    f.Text1[5].type("321");
    EXPECT_EQ(word(32 * 9000 + 8), 321);
    EXPECT_EQ(word(2), 1);  // x0 was 0: every commit clamps all start steps
    f.Text1[1].type("0");
    EXPECT_EQ(word(2), 1);
    EXPECT_EQ(f.Text1[1].text(), "1");
    f.Text1[1].type("99999");
    EXPECT_EQ(word(2), 12796);
    EXPECT_EQ(f.Text1[1].text(), "12796");
    f.Text5[1].type("7");
    EXPECT_EQ(f.Text5[1].text(), "5");
    f.Text5[1].type("2");
    f.Text5[2].type("12000");
    EXPECT_EQ(word(10), 29999);
    f.Text5[1].type("4");
    f.Text5[2].type("13000");
    EXPECT_EQ(word(10), 49999);
}

TEST_F(PlexaFormTest, JumpTargetsStopAtTheLastStep) {
    auto& f = startEditing();
    f.Text1[0].type("16");
    f.Text5[1].type("4");
    f.Text5[2].type("5000");
    EXPECT_EQ(f.Text5[2].text(), "3763");
    EXPECT_EQ(word(34), 43763);
    // The unit and the header follow at the next tick, not at once.
    EXPECT_EQ(f.Label1[2].caption(), "0.1s");
    tick();
    EXPECT_EQ(f.Label1[2].caption(), "Jump");
    EXPECT_TRUE(f.Label2.caption().ends_with("WorkMode JempStep"));
    EXPECT_TRUE(f.Label2.caption().starts_with("Max.Step OutputGroups"));
}

TEST_F(PlexaFormTest, NegativeWorkModeAndHoldTimeStopAtZero) {
    auto& f = startEditing();
    f.Text5[2].type("25");
    f.Text5[1].type("-3");
    EXPECT_EQ(f.Text5[1].text(), "0");
    EXPECT_EQ(word(10), 25);
    f.Text5[2].type("-1");
    EXPECT_EQ(f.Text5[2].text(), "0");
    EXPECT_EQ(word(10), 0);
}

TEST_F(PlexaFormTest, ChangingGroupsMovesTheCurrentStepIntoTheNewLayout) {
    auto& f = startEditing();
    f.Text5[0].type("12000");
    f.Text5[1].type("1");
    f.Text5[2].type("30");
    f.Text1[0].type("16");
    EXPECT_EQ(f.Text5[0].text(), "3763");
    EXPECT_EQ(word(127942), 10030);
    EXPECT_EQ(word(120000), 10030);  // the old record stays where it was
}

TEST_F(PlexaFormTest, DescriptionLineShowsTheRecordInHex) {
    auto& f = startEditing();
    f.Text5[0].type("2");
    f.Text5[1].type("5");
    f.Text5[2].type("9999");
    f.List1.click(4);
    f.List1.click(17);
    tick();
    EXPECT_EQ(f.Label3.caption(), "CorrespondingSetting P2  Cd00----Cd4: EA5F 10 2 0 0");
}

TEST_F(PlexaFormTest, StepIndicatorScalesTheStepTo8000) {
    auto& f = start();
    f.Text5[0].type("3");  // before the first tick the design "200" is used
    EXPECT_EQ(f.step.text(), "120");
    tick();
    f.Text5[0].type("6398");
    EXPECT_EQ(f.step.text(), "4000");
    f.Text5[0].type("1");
    EXPECT_EQ(f.step.text(), "1");  // 8000 / 12796 = 0.625 rounds to 1
    f.Text5[0].type("");            // no number: the indicator keeps what it showed
    EXPECT_EQ(f.step.text(), "1");
}

TEST_F(PlexaFormTest, HugeGroupsTypedBeforeTheTickDoNotBreakTheIndicator) {
    auto& f = start();
    f.Text1[0].type("99999");
    tick();
    EXPECT_EQ(f.Label1[0].caption(), " 0");
    f.Text5[0].type("2");
    EXPECT_EQ(f.step.text(), "00");
    EXPECT_EQ(f.Text5[0].text(), "2");
    EXPECT_EQ(f.Text1[0].text(), "4");  // a step change shows the stored groups
}

}  // namespace
