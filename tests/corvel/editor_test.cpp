// Corvel's editor on the hand-driven clock: the grid's refresh and commit,
// the header refresh, the panels and the files.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "form_fixture.h"

namespace {

// What typing stores, and its range, is the Corvel window fuzz target's rule;
// here, which row the selectors choose.
TEST_F(CorvelEditorTest, TheSelectorsChooseTheRowThatTypingEdits) {
    auto& f = startEditing();
    f.Combo1.pick(1);  // PB 3: row 33
    f.Combo2.pick(3);
    f.Text1[4].type("300");
    EXPECT_EQ(f.ProgramTable.at(33, 6), 255);
    f.Combo1.pick(3);
    f.Combo2.pick(29);
    EXPECT_EQ(f.selectedRow(), 119);
}

TEST_F(CorvelEditorTest, HeaderRefreshFollowsTheFieldsAfterASecond) {
    auto& f = startEditing();
    for (const auto& [mode, name] :
         {std::pair{"1", "OpenPointAdd "}, std::pair{"5", "Single-cycle0perate"},
          std::pair{"7", "SequenceControl"}}) {
        f.Text1[0].type(mode);
        tick(1000);
        EXPECT_EQ(f.Label8.caption(), name);
    }
    EXPECT_TRUE(f.Command8.visible());
    for (int i = 0; i < 18; ++i)  // the mask and the fields around it take no typing
        EXPECT_EQ(f.Text1[static_cast<size_t>(i)].enabled(), i < 5 || i == 17) << i;

    f.Text1[0].type("6");
    for (int i : {5, 7, 9}) f.Text1[static_cast<size_t>(i)].setText("4");
    EXPECT_EQ(f.Label8.caption(), "SequenceControl");  // until the next tick
    tick(1000);
    EXPECT_EQ(f.Label8.caption(), "Water-Pttern Rolling-Over");
    for (const ui::TextBox& field : f.Text1) EXPECT_TRUE(field.enabled()) << field.name();
    f.Text1[7].type("5");
    tick(1000);
    EXPECT_EQ(f.Label8.caption(), "MultipleMove ");
}

TEST_F(CorvelEditorTest, TimeUnitAndTheAdditionalPanel) {
    auto& f = startEditing();
    f.Command7.click();
    EXPECT_TRUE(f.Frame3.visible());
    for (const auto& [unit, label] :
         {std::pair{"1", " 0.1s"}, std::pair{"9", " 0.1s"}, std::pair{"0", "0.01s"}}) {
        f.Text5[0].type(unit);
        tick(1000);
        EXPECT_EQ(f.Label24.caption(), label);
    }
    for (int i = 0; i < 9; ++i) f.ProgramTable.set(i, 19, static_cast<std::uint8_t>(20 + i));
    f.Combo2.pick(3);  // the refresh shows all nine values
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(f.Text5[static_cast<size_t>(i)].text(), std::to_string(20 + i)) << i;
    f.Text5[3].type("77");
    EXPECT_EQ(f.ProgramTable.at(3, 19), 77);
    f.Text1[17].type("5");  // covered by the panel: not stored
    EXPECT_EQ(f.ProgramTable.at(3, 19), 77);
    f.Command7.click();
    f.Text1[17].type("6");
    EXPECT_EQ(f.ProgramTable.at(3, 19), 6);
}

TEST_F(CorvelEditorTest, TheBitPanelEditsTheMask) {
    auto& f = startEditing();
    f.ProgramTable.set(0, 0, 7);
    f.ProgramTable.set(0, 10, 5);
    f.Combo2.pick(0);
    tick(1000);
    f.Command8.click();
    EXPECT_TRUE(f.Frame4.visible());
    for (int k = 8; k < 16; ++k) EXPECT_EQ(f.List2.selected(k), k == 8 || k == 10) << k;
    f.List2.click(63);
    EXPECT_EQ(f.ProgramTable.at(0, 16), 128);

    f.Text6.type("-1");
    EXPECT_EQ(f.Text6.text(), "0");
    f.Text7.type("70");  // beyond the last bit, which the range stops at
    f.Text6.type("5");
    f.Check2.click();
    f.Command9.click();
    EXPECT_EQ(f.ProgramTable.at(0, 9), 0xE0);
    for (int c = 10; c <= 16; ++c) EXPECT_EQ(f.ProgramTable.at(0, c), 255) << c;
    f.Check2.click();
    f.Command9.click();
    EXPECT_EQ(f.ProgramTable.at(0, 9), 0);
    EXPECT_EQ(f.ProgramTable.at(0, 16), 0);

    f.Text1[0].type("3");
    tick(1000);
    EXPECT_FALSE(f.Frame4.visible());
    EXPECT_FALSE(f.Mode7Open);

    // Another program or another show closes the panel before a click meant
    // for the mask shown can reach the row now shown.
    f.Text1[0].type("7");
    f.Command8.click();
    f.Combo2.pick(1);
    EXPECT_FALSE(f.Frame4.visible());
    f.List2.click(0);
    EXPECT_EQ(f.ProgramTable.at(1, 9), 0);
    f.Combo2.pick(0);
    f.Command8.click();
    f.Command1.click();
    f.List2.click(1);
    EXPECT_EQ(f.ProgramTable.at(0, 9), 0);
}

TEST_F(CorvelEditorTest, SaveAndLoadKeepEveryByte) {
    auto& f = startEditing();
    EXPECT_EQ(f.File1.files(), std::vector<std::string>{"mernal.sav"});  // listed at once
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 32; ++c) f.ProgramTable.set(r, c, static_cast<std::uint8_t>(r + c));
    f.ProgramTable.set(0, 32, 99);  // column 32 is never stored
    f.Text2.type("a.b");
    f.Command2.click();
    std::ifstream in(dataDir / "a.b.sav", std::ios::binary);
    const std::string saved{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(saved.size(), 3840u);
    EXPECT_EQ(saved[32], 1);
    EXPECT_EQ(static_cast<std::uint8_t>(saved[32 * 119 + 31]), 150);
    ASSERT_EQ(f.File1.files(), (std::vector<std::string>{"a.b.sav", "mernal.sav"}));

    std::filesystem::create_directory(dataDir / "folder.sav");
    f.Text2.type("folder");
    f.Command1.click();  // a folder: nothing is read
    EXPECT_EQ(f.ProgramTable.at(119, 31), 150);

    f.ProgramTable = corvel::ProgramTable{};
    f.File1.select(0);
    EXPECT_EQ(f.Text2.text(), "a");  // the name up to its first dot
    f.Command1.click();              // the selected file is read, not a.sav
    EXPECT_EQ(f.ProgramTable.at(119, 31), 150);
}

}  // namespace
