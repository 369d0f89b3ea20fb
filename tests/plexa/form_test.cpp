// Start-up, refresh, commit, the display tick and the step indicator.
#include "base/image_file.h"
#include "link_fixture.h"
#include "plexa/program_file.h"

namespace {

using test::PlexaFormTest;

void writeProgram(const std::filesystem::path& path, const plexa::ProgramTable& table) {
    std::string error;
    std::filesystem::create_directories(path.parent_path());
    ASSERT_TRUE(base::saveImage(path, plexa::fileImage(table), error)) << error;
}

TEST_F(PlexaFormTest, EditsCountFromTheFirstTickAndTheStepIndicatorScalesTo8000) {
    auto& f = start();
    EXPECT_EQ(f.step.text(), "00");  // the start-up refresh leaves the design text
    EXPECT_EQ(std::filesystem::file_size(dataDir / "mernal.qdf"), 0u);
    EXPECT_EQ(f.File1.files(), std::vector<std::string>{"mernal.qdf"});
    EXPECT_EQ(f.Text1[0].text(), "4");
    EXPECT_EQ(f.Label1[0].caption(), "200");
    f.Text5[0].type("3");  // before the first tick the design "200" is the scale
    EXPECT_EQ(f.step.text(), "120");
    f.Text1[0].type("99999");  // edits before the first tick stay in the fields
    f.Text1[1].type("77");
    f.Text5[2].type("15");
    f.timers.advance(clock, 999);
    EXPECT_EQ(word(2), 0);
    f.timers.advance(clock, 1);
    EXPECT_EQ(f.Label1[0].caption(), " 0");  // no step fits so many groups
    EXPECT_EQ(f.Label1[1].caption(), "*16= 1599984");
    f.Text1[2].type("5");  // the first edit commits every field as it stands
    EXPECT_EQ(word(0), 16);
    EXPECT_EQ(word(2), 77);
    EXPECT_EQ(word(4), 5);
    EXPECT_EQ(word(102), 15);
    f.Text5[0].type("2");
    EXPECT_EQ(f.step.text(), "120");  // a scale of 0 leaves the indicator alone
    tick();
    EXPECT_EQ(f.Label1[0].caption(), " 3763");
    // A hold time typed updates it too: 2 x 8000 / 3763 = 4.25; 1 x 8000 / 3763
    // = 2.13; no number leaves what it showed.
    for (const auto& [field, typed, shown] :
         {std::tuple{2, "3", "4"}, {0, "3763", "8000"}, {0, "1", "2"}, {0, "", "2"}}) {
        f.Text5[field].type(typed);
        EXPECT_EQ(f.step.text(), shown) << typed;
    }
    // Later ticks and refreshes follow a new Max.Step: step 1000 of 4, then 16
    // groups; step 12000 of 4 groups, moved to 3763 by a load of 16 groups.
    f.Text1[0].type("4");
    tick();
    f.Text5[0].type("1000");
    EXPECT_EQ(f.step.text(), "625");
    f.Text1[0].type("16");
    tick();
    EXPECT_EQ(f.step.text(), "2126");
    plexa::ProgramTable wide;
    wide.setWord(0, 16);
    writeProgram(dataDir / "wide.qdf", wide);
    f.Text1[0].type("4");
    tick();
    f.Text5[0].type("12000");
    f.Text2.type("wide");
    f.Command1.click();
    EXPECT_EQ(f.step.text(), "2353");  // 3763 x 8000 / 12796
    tick();
    EXPECT_EQ(f.step.text(), "8000");
}

TEST_F(PlexaFormTest, RefreshShowsTheLoadedProgramClampedAndTheTickTheGroupsTyped) {
    plexa::ProgramTable table;
    table.setWord(0, 300);  // shown and used as 16 groups
    table.setWord(2, 9);
    table.setWord(288014, 1234);
    table.setWord(34, 60000);  // step 1 of 16 groups
    table.setByte(67, 0x80);   // output 255
    writeProgram(dataDir / "mernal.qdf", table);
    auto& f = startEditing();
    EXPECT_EQ(f.step.text(), "00");  // the first tick's Max.Step is start-up's
    EXPECT_EQ(f.Text1[0].text(), "16");
    EXPECT_EQ(f.Text1[1].text(), "9");
    EXPECT_EQ(f.Text1[8].text(), "1234");
    EXPECT_EQ(f.Text5[1].text(), "6");
    EXPECT_EQ(f.Text5[2].text(), "0");
    EXPECT_TRUE(f.List1.selected(255));
    EXPECT_EQ(f.Label1[2].caption(), "Stop");
    EXPECT_EQ(word(0), 300);  // a refresh writes nothing

    for (int k = 12; k < 52; ++k) table.setByte(k, 0xFF);  // step 1 of 4 groups and more
    table.setWord(0, 4);
    writeProgram(dataDir / "mernal.qdf", table);
    auto& g = start();
    EXPECT_TRUE(g.List1.selected(63));
    EXPECT_FALSE(g.List1.selected(64));  // outputs beyond the groups show off
    // Max.Output counts the groups as typed; Max.Step divides by the count
    // rounded half to even, as the table uses it.
    g.Text1[0].type("4.5");
    tick();
    EXPECT_EQ(g.Label1[1].caption(), "*16= 72");
    EXPECT_EQ(g.Label1[0].caption(), " 12796");
}

TEST_F(PlexaFormTest, CommitClampsAndWritesTheStartStepsAndTheControlWord) {
    auto& f = startEditing();
    f.Text1[5].type("321");
    EXPECT_EQ(word(288008), 321);
    EXPECT_EQ(word(2), 1);  // x0 was 0: every commit clamps all start steps
    f.Text1[1].type("99999");
    EXPECT_EQ(word(2), 12796);
    EXPECT_EQ(f.Text1[1].text(), "12796");
    const struct {
        const char *groups, *mode, *field, *modeShown, *fieldShown;
        int address, word;
    } cases[] = {
        {"4", "7", "25", "5", "25", 10, 50025},      {"4", "2", "12000", "2", "9999", 10, 29999},
        {"4", "4", "13000", "4", "9999", 10, 49999}, {"4", "-3", "-1", "0", "0", 10, 0},
        {"16", "4", "5000", "4", "3763", 34, 43763},  // a jump stops at the last step
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.groups) + " " + c.mode + " " + c.field);
        f.Text1[0].type(c.groups);
        f.Text5[1].type(c.mode);
        f.Text5[2].type(c.field);
        EXPECT_EQ(f.Text5[1].text(), c.modeShown);
        EXPECT_EQ(f.Text5[2].text(), c.fieldShown);
        EXPECT_EQ(word(c.address), c.word);
    }
    tick();  // the unit and the header follow
    EXPECT_EQ(f.Label1[2].caption(), "Jump");
    EXPECT_TRUE(f.Label2.caption().ends_with("WorkMode JempStep"));
    for (const auto& [mode, unit] :
         {std::pair{"0", "0.1s"}, {"1", "s"}, {"2", "min"}, {"3", "0.02s"}}) {
        f.Text5[1].type(mode);
        tick();
        EXPECT_EQ(f.Label1[2].caption(), unit);
    }

    f.Text1[0].type("4");  // a change of groups moves the current step into the new layout
    f.Text5[0].type("12000");
    f.Text5[1].type("1");
    f.Text5[2].type("30");
    f.Text1[0].type("16");
    EXPECT_EQ(f.Text5[0].text(), "3763");
    EXPECT_EQ(word(127942), 10030);
    EXPECT_EQ(word(120000), 10030);  // the old record stays where it was
}

}  // namespace
