// The editing handlers: steps, outputs, ranges, copy and the field limits.
#include "link_fixture.h"

namespace {

using test::PlexaFormTest;

TEST_F(PlexaFormTest, StepChangesMoveTextNineStopAtTheEndsAndNeverCommit) {
    auto& f = startEditing();
    f.Text5[2].type("44");
    f.Text5[0].type("25");
    EXPECT_EQ(f.Text9.text(), "24");
    EXPECT_EQ(f.Text5[2].text(), "0");  // step 25 is empty: nothing was written there
    f.Text5[0].type("1");
    EXPECT_EQ(f.Text9.text(), "1");  // 0 is raised to 1
    EXPECT_EQ(f.Text5[2].text(), "44");
    f.Command8.click();
    EXPECT_EQ(f.Text5[0].text(), "1");
    f.Command7.click();
    EXPECT_EQ(f.Text5[0].text(), "2");
    f.Text5[0].type("99999");
    EXPECT_EQ(f.Text5[0].text(), "12796");
}

TEST_F(PlexaFormTest, ListClickWritesEveryOutputByteOfTheStep) {
    auto& f = start();
    EXPECT_EQ(f.List1.items()[7], "007");
    EXPECT_EQ(f.List1.items()[255], "255");
    f.List1.click(5);  // before the first tick only the list changes
    EXPECT_TRUE(f.List1.selected(5));
    EXPECT_EQ(f.ProgramTable.byte(12), 0);
    tick();
    f.Text5[0].type("3");  // control word at byte 30, outputs at bytes 32 to 39
    f.Text5[1].type("5");
    f.Text5[2].type("9999");
    f.List1.click(0);
    f.List1.click(63);
    EXPECT_EQ(f.ProgramTable.byte(32), 0x01);
    EXPECT_EQ(f.ProgramTable.byte(39), 0x80);
    f.List1.click(64);  // no such output with 4 groups: the item takes no click
    EXPECT_FALSE(f.List1.selected(64));
    EXPECT_EQ(f.ProgramTable.byte(40), 0);  // the next record's control word
    tick();
    EXPECT_EQ(f.Label3.caption(), "CorrespondingSetting P3  Cd00----Cd4: EA5F 1 0 0 8000");
    f.Text1[0].type("5");
    EXPECT_TRUE(f.List1.itemEnabled(79));
    EXPECT_FALSE(f.List1.itemEnabled(80));
}

// Range set switches outputs From To in either direction; copy duplicates
// the whole step record.
TEST_F(PlexaFormTest, RangeSetAndCopyEditTheStepRecords) {
    auto& f = startEditing();
    f.Text1[0].type("16");  // records of 34 bytes from 34 x step: step 1's outputs at 36 to 67
    f.Check1.click();
    EXPECT_EQ(f.Label21.caption(), "ON");
    f.Command6.click();  // From 0 To 255, all on
    for (int k = 36; k < 68; ++k) ASSERT_EQ(f.ProgramTable.byte(k), 0xFF) << k;
    f.Check1.click();
    f.Text3.type("10");
    f.Text4.type("3");
    f.Command6.click();
    EXPECT_EQ(f.ProgramTable.byte(36), 0x07);
    EXPECT_EQ(f.ProgramTable.byte(37), 0xF8);
    f.Check1.click();
    f.Text3.type("5");
    f.Text4.type("5");
    f.Command6.click();
    EXPECT_EQ(f.ProgramTable.byte(36), 0x27);

    for (int k = 0; k < 34; ++k) {
        f.ProgramTable.setByte(102 + k, static_cast<std::uint8_t>(k + 1));  // step 3
        f.ProgramTable.setByte(238 + k, 200);                               // step 7
    }
    f.ProgramTable.setByte(103, 39);  // control word 39 x 256 + 1
    f.Text5[0].type("7");
    f.Text9.type("3");
    f.Command11.click();
    for (int k = 0; k < 34; ++k) EXPECT_EQ(f.ProgramTable.byte(238 + k), k == 1 ? 39 : k + 1) << k;
    EXPECT_EQ(f.Text5[2].text(), "9985");  // and shown
}

TEST_F(PlexaFormTest, FieldsKeepToTheirLimits) {
    auto& f = startEditing();
    EXPECT_EQ(f.List1.heightTwips(), 2500);  // the field's design value from the start
    EXPECT_EQ(f.List1.columns(), 16);
    const struct {
        ui::TextBox& box;
        const char *typed, *shown;
    } cases[] = {
        {f.Text3, "-7", "0"},         {f.Text4, "999", "255"}, {f.Text4, "2.5", "2"},
        {f.Text6, "0", "1"},          {f.Text6, "99", "20"},   {f.Text7, "5000", "4700"},
        {f.Text8[1], "9000", "8000"}, {f.Text8[0], "-5", "0"}, {f.Text8[0], "1.5", "2"},
        {f.Text9, "99999", "12796"},
    };
    for (const auto& c : cases) {
        c.box.type(c.typed);
        EXPECT_EQ(c.box.text(), c.shown) << c.box.name() << " " << c.typed;
    }
    EXPECT_EQ(f.List1.columns(), 20);
    EXPECT_EQ(f.List1.heightTwips(), 4700);
    f.Command4.click();  // Exit
    EXPECT_EQ(quits, 1);
}

}  // namespace
