// The editing handlers: steps, outputs, ranges, copy and the field limits.
#include "link_fixture.h"

namespace {

using test::PlexaFormTest;

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

// The list's height is the field's design value from the start, and then
// Text7's, clamped.
TEST_F(PlexaFormTest, FieldsKeepToTheirLimits) {
    auto& f = startEditing();
    EXPECT_EQ(f.List1.heightTwips(), 2500);
    run({"Text3=-7", "Text3?0", "Text4=999", "Text4?255", "Text4=2.5", "Text4?2", "Text6=0",
         "Text6?1", "Text6=99", "Text6?20", "Text7=5000"});
    run({"Text8(1)=9000", "Text8(1)?8000", "Text8(0)=1.5", "Text8(0)?2", "Text9=99999",
         "Text9?12796"});
    EXPECT_EQ(f.List1.columns(), 20);
    EXPECT_EQ(f.List1.heightTwips(), 4700);
}

}  // namespace
