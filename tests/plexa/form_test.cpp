// Plexa's window on the scripted port: start-up, refresh, commit, the
// display tick, the editing handlers and the files.
#include <fstream>

#include "form_scenario.h"

namespace {

using PlexaFormTest = test::FormTest<plexa::Form1>;

// Edits before the first tick stay in the fields until the first edit after
// it commits them all.
TEST_F(PlexaFormTest, EditsCountFromTheFirstTick) {
    start();
    run({"Text5(0)=3", "Text1(0)=99999", "Text1(1)=77", "Text5(2)=15", "tick 999", "word 2?0",
         "tick 1", "Text1(2)=5", "word 0?16", "word 2?77", "word 4?5", "word 102?15"});
}

// 300 groups show and count as 16, and a refresh writes nothing.
TEST_F(PlexaFormTest, RefreshShowsTheLoadedProgramClamped) {
    plexa::ProgramTable& table = startEditing().ProgramTable;
    table.setWord(0, 300);
    table.setWord(2, 9);
    table.setWord(288014, 1234);
    table.setWord(34, 60000);  // step 1 of 16 groups
    table.setByte(67, 0x80);   // output 255
    run({"Command2!", "Command1!", "tick", "Text1(0)?16", "Text1(1)?9", "Text1(8)?1234",
         "Text5(1)?6", "Text5(2)?0", "List1#255?1", "Label1(2)?Stop", "word 0?300"});
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
    run({"Text5(1)=4", "tick", "Label1(2)?Jump", "Label2~WorkMode JempStep"});
    run({"Text1(0)=4", "Text5(0)=12000", "Text5(1)=1", "Text5(2)=30", "Text1(0)=16",
         "Text5(0)?3763", "word 127942?10030", "word 120000?10030"});
}

// Step 25 is empty: nothing was written there; step 0 is raised to 1.
TEST_F(PlexaFormTest, StepChangesMoveTextNineStopAtTheEndsAndNeverCommit) {
    startEditing();
    run({"Text5(2)=44", "Text5(0)=25", "Text9?24", "Text5(2)?0", "Text5(0)=1", "Text9?1",
         "Text5(2)?44", "Command8!", "Text5(0)?1", "Command7!", "Text5(0)?2", "Text5(0)=99999",
         "Text5(0)?12796"});
}

// Before the first tick only the list changes. Step 3's control word is at
// byte 30, its outputs at bytes 32 to 39, step 4's control word at 40; with
// 4 groups there is no output 64, whose item takes no click.
TEST_F(PlexaFormTest, ListClickWritesEveryOutputByteOfTheStep) {
    start();
    run({"List1#5", "List1#5?1", "byte 12?0", "tick", "Text5(0)=3", "Text5(1)=5", "Text5(2)=9999"});
    form->ProgramTable.setByte(40, 7);  // the next record's control word
    run({"List1#0", "List1#63", "byte 32?1", "byte 39?128", "List1#64", "List1#64?0", "byte 40?7",
         "tick", "Label3?CorrespondingSetting P3  Cd00----Cd4: EA5F 1 0 0 8000", "Text1(0)=5"});
    EXPECT_TRUE(form->List1.itemEnabled(79));
    EXPECT_FALSE(form->List1.itemEnabled(80));
}

// Range set switches outputs From To in either direction; copy duplicates
// the whole step record. Records of 34 bytes from 34 x step with 16 groups.
TEST_F(PlexaFormTest, RangeSetAndCopyEditTheStepRecords) {
    auto& f = startEditing();
    run({"Text1(0)=16", "Check1!", "Label21?ON", "Command6!"});
    for (int k = 36; k < 68; ++k) ASSERT_EQ(f.ProgramTable.byte(k), 0xFF) << k;
    run({"Check1!", "Text3=10", "Text4=3", "Command6!", "byte 36?7", "byte 37?248", "Check1!",
         "Text3=5", "Text4=5", "Command6!", "byte 36?39"});
    for (int k = 0; k < 34; ++k) {
        f.ProgramTable.setByte(102 + k, static_cast<std::uint8_t>(k + 1));  // step 3
        f.ProgramTable.setByte(238 + k, 200);                               // step 7
    }
    f.ProgramTable.setByte(103, 39);  // control word 39 x 256 + 1
    run({"Text5(0)=7", "Text9=3", "Command11!", "Text5(2)?9985"});
    for (int k = 0; k < 34; ++k) EXPECT_EQ(f.ProgramTable.byte(238 + k), k == 1 ? 39 : k + 1) << k;
}

// Unstored rows and column 32 are left alone by a load, the current step is
// kept and the fields refreshed (bytes 14 and 21). A save keeps the tail of
// a longer file. A short file's zeros past its end are the program file fuzz
// target's rule.
TEST_F(PlexaFormTest, SaveWritesRows0To9100OverTheFileAndLoadBringsThemBack) {
    std::filesystem::create_directories(dataDir);
    std::ofstream(dataDir / "show.qdf", std::ios::binary) << std::string(300000, 'x');
    auto& f = startEditing();
    const auto pattern = [](int a) { return static_cast<std::uint8_t>(a * 7 + a / 256); };
    for (int a = 0; a < 291232; ++a) f.ProgramTable.setByte(a, pattern(a));
    run({"Text5(0)=17", "Text2=show", "Command2!", "file show.qdf?300000"});
    f.ProgramTable = plexa::ProgramTable{};
    f.ProgramTable.set(9101, 0, 42);
    f.ProgramTable.set(5, 32, 9);
    run({"Text1(1)=3", "Command1!"});
    for (int a = 0; a < 291232; ++a) ASSERT_EQ(f.ProgramTable.byte(a), pattern(a)) << a;
    run({"at 9101,0?42", "at 5,32?9", "Text1(1)?5390", "Text5(0)?17"});
}

// A listed file wins over the typed name for a load, but a save goes to the
// typed name; a selection shows the name up to its first dot. A file message
// gives the status line back, and never an older caption.
TEST_F(PlexaFormTest, FailedFileCommandsSayWhyAndLoseNothing) {
#ifdef _WIN32
    const std::string listed = "a.b.qdf";  // no Windows file bears a ":"
#else
    const std::string listed = "c:a.b.qdf";  // here ":" is no drive
#endif
    std::filesystem::create_directories(dataDir / "blocked.qdf");
    std::ofstream(dataDir / listed, std::ios::binary) << std::string("\x04\x00\x06", 3);
    startLinked();
    run({"Text1(1)=5", "Text2=../escape", "Command2!", "Label13~would leave the folder",
         "Command1!", "word 2?5"});
    EXPECT_FALSE(std::filesystem::exists(temp.path() / "escape.qdf"));
    const std::string saving = "Label13~Cannot save " + (dataDir / "blocked.qdf").string();
    run({"Text2=blocked", "Command2!", saving});
    run({"Command1!", "Label13~Cannot load", "File1#0",
         "Text2?" + listed.substr(0, listed.find('.')), "Command1!", "Text1(1)?6", "Text2=ok",
         "Command2!", "Label13?CommunicationPortState", "Text2=a/b", "Command2!", "Text8(1)=2",
         "Command3!", "file ok.qdf?291232", "transfer", "Text2=good", "Command2!",
         "Label13?CommunicateSuccessfully"});
}

TEST_F(PlexaFormTest, AFolderThatCannotBeCreatedIsReportedAndTheWindowWorks) {
    std::ofstream(temp.path() / "dovra");  // a file where the folder should be
    startEditing();
    run({"Label13~Cannot create the folder", "Text1(1)=3", "word 2?3"});
}

}  // namespace
