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

// The start-up refresh leaves the step indicator's design text, and before
// the first tick the design "200" is its scale; edits before the tick stay
// in the fields until the first edit after it commits them all. No step fits
// 99999 groups: a scale of 0 leaves the indicator alone. A hold time typed
// updates it too: 2 x 8000 / 3763 = 4.25; 1 x 8000 / 3763 = 2.13; no number
// leaves what it showed.
TEST_F(PlexaFormTest, EditsCountFromTheFirstTickAndTheStepIndicatorScalesTo8000) {
    auto& f = start();
    EXPECT_EQ(std::filesystem::file_size(dataDir / "mernal.qdf"), 0u);
    EXPECT_EQ(f.File1.files(), std::vector<std::string>{"mernal.qdf"});
    run({"step?00", "Text1(0)?4", "Label1(0)?200", "Text5(0)=3", "step?120"});
    run({"Text1(0)=99999", "Text1(1)=77", "Text5(2)=15", "tick 999", "word 2?0", "tick 1"});
    run({"Label1(0)? 0", "Label1(1)?*16= 1599984", "Text1(2)=5", "word 0?16", "word 2?77",
         "word 4?5", "word 102?15", "Text5(0)=2", "step?120", "tick", "Label1(0)? 3763"});
    run({"Text5(2)=3", "step?4", "Text5(0)=3763", "step?8000", "Text5(0)=1", "step?2"});
    run({"Text5(0)=", "step?2"});
    // Later ticks and refreshes follow a new Max.Step: step 1000 of 4, then 16
    // groups; step 12000 of 4 groups, moved to 3763 by a load of 16 groups.
    run({"Text1(0)=4", "tick", "Text5(0)=1000", "step?625", "Text1(0)=16", "tick", "step?2126"});
    plexa::ProgramTable wide;
    wide.setWord(0, 16);
    writeProgram(dataDir / "wide.qdf", wide);
    run({"Text1(0)=4", "tick", "Text5(0)=12000", "Text2=wide", "Command1!",
         "step?2353",  // 3763 x 8000 / 12796
         "tick", "step?8000"});
}

// 300 groups show and count as 16. Max.Output counts the groups as typed;
// Max.Step divides by the count rounded half to even, as the table uses it.
TEST_F(PlexaFormTest, RefreshShowsTheLoadedProgramClampedAndTheTickTheGroupsTyped) {
    plexa::ProgramTable table;
    table.setWord(0, 300);
    table.setWord(2, 9);
    table.setWord(288014, 1234);
    table.setWord(34, 60000);  // step 1 of 16 groups
    table.setByte(67, 0x80);   // output 255
    writeProgram(dataDir / "mernal.qdf", table);
    startEditing();
    run({"step?00", "Text1(0)?16", "Text1(1)?9", "Text1(8)?1234", "Text5(1)?6", "Text5(2)?0",
         "List1#255?1", "Label1(2)?Stop",
         "word 0?300"});  // a refresh writes nothing; the first tick's Max.Step is start-up's

    for (int k = 12; k < 52; ++k) table.setByte(k, 0xFF);  // step 1 of 4 groups and more
    table.setWord(0, 4);
    writeProgram(dataDir / "mernal.qdf", table);
    start();
    run({"List1#63?1", "List1#64?0", "Text1(0)=4.5", "tick", "Label1(1)?*16= 72",
         "Label1(0)? 12796"});
}

// x0 was 0: every commit clamps all start steps. A jump stops at the last
// step; a change of groups moves the current step into the new layout and
// leaves the old record where it was.
TEST_F(PlexaFormTest, CommitClampsAndWritesTheStartStepsAndTheControlWord) {
    auto& f = startEditing();
    run({"Text1(5)=321", "word 288008?321", "word 2?1", "Text1(1)=99999", "word 2?12796",
         "Text1(1)?12796"});
    const struct {
        const char *groups, *mode, *field, *modeShown, *fieldShown;
        int address, word;
    } cases[] = {
        {"4", "7", "25", "5", "25", 10, 50025},      {"4", "2", "12000", "2", "9999", 10, 29999},
        {"4", "4", "13000", "4", "9999", 10, 49999}, {"4", "-3", "-1", "0", "0", 10, 0},
        {"16", "4", "5000", "4", "3763", 34, 43763},
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
    run({"tick", "Label1(2)?Jump"});
    EXPECT_TRUE(f.Label2.caption().ends_with("WorkMode JempStep"));
    run({"Text5(1)=0",
         "tick",
         "Label1(2)?0.1s",
         "Text5(1)=1",
         "tick",
         "Label1(2)?s",
         "Text5(1)=2",
         "tick",
         "Label1(2)?min",
         "Text5(1)=3",
         "tick",
         "Label1(2)?0.02s",
         "Text1(0)=4",
         "Text5(0)=12000",
         "Text5(1)=1",
         "Text5(2)=30",
         "Text1(0)=16",
         "Text5(0)?3763",
         "word 127942?10030",
         "word 120000?10030"});
}

}  // namespace
