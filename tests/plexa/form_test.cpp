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
    start();
    run({"file mernal.qdf?0", "step?00", "Text1(0)?4", "Label1(0)?200", "Text5(0)=3", "step?120",
         "Text1(0)=99999", "Text1(1)=77", "Text5(2)=15", "tick 999", "word 2?0", "tick 1"});
    run({"Label1(0)? 0", "Label1(1)?*16= 1599984", "Text1(2)=5", "word 0?16", "word 2?77",
         "word 4?5", "word 102?15", "Text5(0)=2", "step?120", "tick", "Label1(0)? 3763"});
    run({"Text5(2)=3", "step?4", "Text5(0)=3763", "step?8000", "Text5(0)=1", "step?2",
         "Text5(0)=", "step?2"});
    // Later ticks and refreshes follow a new Max.Step: step 1000 of 4, then 16
    // groups; step 12000 of 4 groups, moved to 3763 by a load of 16 groups.
    run({"Text1(0)=4", "tick", "Text5(0)=1000", "step?625", "Text1(0)=16", "tick", "step?2126",
         "Text2=wide", "Command2!"});
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
    startEditing();
    run({"Text1(5)=321", "word 288008?321", "word 2?1", "Text1(1)=99999", "word 2?12796",
         "Text1(1)?12796"});
    run({"Text1(0)=4", "Text5(1)=7", "Text5(2)=25", "Text5(1)?5", "Text5(2)?25", "word 10?50025",
         "Text5(1)=2", "Text5(2)=12000", "Text5(2)?9999", "word 10?29999"});
    run({"Text5(1)=-3", "Text5(2)=-1", "Text5(1)?0", "Text5(2)?0", "word 10?0", "Text5(1)=4",
         "Text5(2)=13000", "Text5(2)?9999", "word 10?49999", "Text1(0)=16", "Text5(2)=5000",
         "Text5(2)?3763", "word 34?43763"});
    run({"tick", "Label1(2)?Jump", "Label2~WorkMode JempStep"});
    run({"Text5(1)=0", "tick", "Label1(2)?0.1s", "Text5(1)=1", "tick", "Label1(2)?s", "Text5(1)=2",
         "tick", "Label1(2)?min", "Text5(1)=3", "tick", "Label1(2)?0.02s"});
    run({"Text1(0)=4", "Text5(0)=12000", "Text5(1)=1", "Text5(2)=30", "Text1(0)=16",
         "Text5(0)?3763", "word 127942?10030", "word 120000?10030"});
}

}  // namespace
