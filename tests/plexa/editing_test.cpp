// The editing handlers: steps, outputs, ranges, copy and the list size.
#include "form_fixture.h"

namespace {

using test::PlexaFormTest;

// Step s's outputs start at 2s(G + 1) + 2: byte 32 for step 3 of four
// groups, 12 for step 1, and 36 for step 1 of sixteen.
int byteAt(const plexa::Form1& f, int address) {
    return f.ProgramTable.byte(address);
}

TEST_F(PlexaFormTest, StepChangeMovesTextNineAndNeverCommits) {
    auto& f = startEditing();
    f.Text5[2].type("44");
    f.Text5[0].type("25");
    EXPECT_EQ(f.Text9.text(), "24");
    EXPECT_EQ(f.Text5[2].text(), "0");  // step 25 is empty
    EXPECT_EQ(f.ProgramTable.word(250), 0);
    f.Text5[0].type("1");
    EXPECT_EQ(f.Text9.text(), "1");  // 0 is raised to 1
    EXPECT_EQ(f.Text5[2].text(), "44");
    f.Text5[0].type("99999");
    EXPECT_EQ(f.Text5[0].text(), "12796");
}

TEST_F(PlexaFormTest, PlusAndMinusStopAtTheEnds) {
    auto& f = startEditing();
    f.Command8.click();
    EXPECT_EQ(f.Text5[0].text(), "1");
    f.Command7.click();
    f.Command7.click();
    EXPECT_EQ(f.Text5[0].text(), "3");
    f.Text5[0].type("12796");
    f.Command7.click();
    EXPECT_EQ(f.Text5[0].text(), "12796");
}

TEST_F(PlexaFormTest, PlusBeforeTheFirstTickOnlyMovesTheFieldAndIndicator) {
    auto& f = start();
    f.Text5[0].type("12796");
    f.Command7.click();
    EXPECT_EQ(f.Text5[0].text(), "12797");
    EXPECT_EQ(f.step.text(), "511880");
}

TEST_F(PlexaFormTest, ListClickWritesEveryOutputByteOfTheStep) {
    auto& f = startEditing();
    f.Text5[0].type("3");
    f.List1.click(0);
    f.List1.click(63);
    EXPECT_EQ(byteAt(f, 32), 0x01);
    EXPECT_EQ(byteAt(f, 39), 0x80);
    f.List1.click(64);  // no such output with 4 groups
    EXPECT_FALSE(f.List1.selected(64));
    EXPECT_EQ(byteAt(f, 40), 0);  // the next record's control word
    f.List1.click(0);
    EXPECT_EQ(byteAt(f, 32), 0);
}

TEST_F(PlexaFormTest, ListClicksBeforeTheFirstTickChangeOnlyTheList) {
    auto& f = start();
    f.List1.click(5);
    EXPECT_TRUE(f.List1.selected(5));
    EXPECT_EQ(byteAt(f, 12), 0);
}

TEST_F(PlexaFormTest, RangeSetSwitchesOutputsFromToInEitherDirection) {
    auto& f = startEditing();
    f.Text1[0].type("16");
    f.Check1.click();
    EXPECT_EQ(f.Label21.caption(), "ON");
    f.Command6.click();  // From 0 To 255, all on
    for (int k = 0; k < 32; ++k) ASSERT_EQ(byteAt(f, 36 + k), 0xFF);
    f.Check1.click();
    EXPECT_EQ(f.Label21.caption(), "OFF");
    f.Text3.type("10");
    f.Text4.type("3");
    f.Command6.click();
    EXPECT_EQ(byteAt(f, 36), 0x07);
    EXPECT_EQ(byteAt(f, 37), 0xF8);
    f.Check1.click();
    f.Text3.type("5");
    f.Text4.type("5");
    f.Command6.click();
    EXPECT_EQ(byteAt(f, 36), 0x27);
}

TEST_F(PlexaFormTest, RangeFieldsStayWithinTheList) {
    auto& f = startEditing();
    f.Text3.type("-7");
    EXPECT_EQ(f.Text3.text(), "0");
    f.Text4.type("999");
    EXPECT_EQ(f.Text4.text(), "255");
    f.Text4.type("2.5");
    EXPECT_EQ(f.Text4.text(), "2");
}

TEST_F(PlexaFormTest, CopyDuplicatesTheWholeStepRecord) {
    auto& f = startEditing();
    f.Text1[0].type("16");  // records of 34 bytes from address 34 x step
    for (int k = 0; k < 34; ++k) {
        f.ProgramTable.setByte(34 * 3 + k, static_cast<std::uint8_t>(k + 1));  // step 3
        f.ProgramTable.setByte(34 * 7 + k, 200);                               // step 7
    }
    f.ProgramTable.setByte(34 * 3 + 1, 39);  // control word 39 x 256 + 1
    f.Text5[0].type("7");
    f.Text9.type("3");
    f.Command11.click();
    for (int k = 0; k < 34; ++k) {
        const int expected = k == 1 ? 39 : k + 1;
        EXPECT_EQ(f.ProgramTable.byte(34 * 7 + k), expected) << k;
    }
    EXPECT_EQ(f.Text5[1].text(), "0");
    EXPECT_EQ(f.Text5[2].text(), "9985");
    // The last output byte, 34, holds outputs 249 and 253.
    EXPECT_TRUE(f.List1.selected(249));
    EXPECT_TRUE(f.List1.selected(253));
    EXPECT_FALSE(f.List1.selected(255));
    f.Text9.type("99999");
    EXPECT_EQ(f.Text9.text(), "3763");
}

TEST_F(PlexaFormTest, ListSizeFieldsAreClamped) {
    auto& f = start();
    EXPECT_EQ(f.List1.columns(), 16);
    EXPECT_EQ(f.List1.heightTwips(), 0);  // the design height stays until edited
    f.Text6.type("0");
    EXPECT_EQ(f.Text6.text(), "1");
    EXPECT_EQ(f.List1.columns(), 1);
    f.Text6.type("99");
    EXPECT_EQ(f.List1.columns(), 20);
    f.Text7.type("5000");
    EXPECT_EQ(f.Text7.text(), "4700");
    EXPECT_EQ(f.List1.heightTwips(), 4700);
}

TEST_F(PlexaFormTest, TransferRangeFieldsKeepToWholeBlocksUpTo8000) {
    auto& f = start();
    f.Text8[1].type("9000");
    EXPECT_EQ(f.Text8[1].text(), "8000");
    f.Text8[0].type("-5");
    EXPECT_EQ(f.Text8[0].text(), "0");
    f.Text8[0].type("1.5");
    EXPECT_EQ(f.Text8[0].text(), "2");
}

TEST_F(PlexaFormTest, ExitEndsTheProgram) {
    auto& f = start();
    f.Command4.click();
    EXPECT_EQ(quits, 1);
}

}  // namespace
