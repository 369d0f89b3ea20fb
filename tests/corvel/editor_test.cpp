// Corvel's editor on the hand-driven clock: start-up, the grid's refresh and
// commit, the header refresh, the panels and the files.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "absent_port.h"
#include "corvel/form.h"
#include "temp_dir.h"

namespace {

class CorvelEditorTest : public ::testing::Test {
  protected:
    CorvelEditorTest() : dataDir(temp.path() / "dovra") {}

    corvel::Form1& start() {
        form = std::make_unique<corvel::Form1>(corvel::Environment{dataDir, clock, port, {}});
        form->load();
        return *form;
    }
    corvel::Form1& startEditing() {
        start();
        tick();
        return *form;
    }
    void tick() { form->timers.advance(clock, 1000); }
    void writeFile(const std::string& name, const std::string& bytes) {
        std::filesystem::create_directories(dataDir);
        std::ofstream(dataDir / name, std::ios::binary) << bytes;
    }
    std::string readFile(const std::string& name) const {
        std::ifstream in(dataDir / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    test::TempDir temp;
    std::filesystem::path dataDir;
    ui::ManualClock clock;
    test::AbsentPort port;
    std::unique_ptr<corvel::Form1> form;
};

TEST_F(CorvelEditorTest, FirstStartMakesAnEmptyDefaultShow) {
    auto& f = start();
    EXPECT_EQ(std::filesystem::file_size(dataDir / "mernal.sav"), 0u);
    EXPECT_EQ(f.Combo1.text(), "PA");
    EXPECT_EQ(f.Combo2.text(), "0");
    for (const auto& field : f.Text1) EXPECT_EQ(field.text(), "0");
    EXPECT_EQ(f.Label7[0].caption(), "");
    EXPECT_EQ(f.surface.lines().size(), 16u);
    EXPECT_EQ(f.Options.selected(), corvel::Stop);
    f.Text1[4].type("9");  // before the first tick: the field only
    EXPECT_EQ(f.ProgramTable.at(0, 6), 0);
    f.Combo2.pick(0);
    EXPECT_EQ(f.Text1[4].text(), "0");
}

TEST_F(CorvelEditorTest, TypedValuesAreStoredAndShownCanonical) {
    const struct {
        int field;
        const char* typed;
        const char* shown;
        int column, low, high;  // high < 0: a single byte
    } cases[] = {{4, "300", "255", 6, 255, -1},   {4, "007", "7", 6, 7, -1},
                 {4, "-5", "0", 6, 0, -1},        {0, "8", "7", 0, 7, -1},
                 {3, "0", "1", 5, 1, -1},         {3, "", "1", 5, 1, -1},
                 {1, "10000", "9999", 1, 15, 39}, {2, "1000", "1000", 3, 232, 3},
                 {16, "2.5", "2", 18, 2, -1},     {17, "12", "12", 19, 12, -1}};
    auto& f = startEditing();
    f.Combo1.pick(1);  // PB 3: row 33
    f.Combo2.pick(3);
    ASSERT_EQ(f.selectedRow(), 33);
    for (const auto& c : cases) {
        f.Text1[static_cast<size_t>(c.field)].type(c.typed);
        EXPECT_EQ(f.Text1[static_cast<size_t>(c.field)].text(), c.shown) << c.typed;
        EXPECT_EQ(f.ProgramTable.at(33, c.column), c.low) << c.typed;
        if (c.high >= 0) {
            EXPECT_EQ(f.ProgramTable.at(33, c.column + 1), c.high) << c.typed;
        }
    }
    f.Combo1.pick(3);
    f.Combo2.pick(29);
    EXPECT_EQ(f.selectedRow(), 119);
}

TEST_F(CorvelEditorTest, ALoadedHighByteAbove39IsCutWhenShown) {
    std::string image(3840, '\0');
    image[1] = 7;
    image[2] = static_cast<char>(200);
    image[4] = 40;
    writeFile("mernal.sav", image);
    auto& f = start();
    EXPECT_EQ(f.Text1[1].text(), "9991");  // 39 x 256 + 7
    EXPECT_EQ(f.ProgramTable.at(0, 2), 39);
    EXPECT_EQ(f.Text1[2].text(), "9984");
    EXPECT_EQ(f.ProgramTable.at(0, 4), 39);
}

TEST_F(CorvelEditorTest, HeaderRefreshFollowsTheFieldsAfterASecond) {
    auto& f = startEditing();
    EXPECT_EQ(f.Label2.caption(),
              "WorkMode  Interval  HoldTime  WorkNumber A-Start A-quantity  A-End    B-Start  "
              "B-quantity B-End  ");
    EXPECT_EQ(f.Label8.caption(), "OpenPointMove");
    const struct {
        const char* mode;
        const char* name;
    } names[] = {{"1", "OpenPointAdd "},       {"2", "ClosedPointMove"},
                 {"3", "ClosedPointAdd"},      {"4", "MulticycleOperate"},
                 {"5", "Single-cycle0perate"}, {"7", "SequenceControl"}};
    for (const auto& n : names) {
        f.Text1[0].type(n.mode);
        tick();
        EXPECT_EQ(f.Label8.caption(), n.name);
    }
    EXPECT_EQ(f.Label4.caption(),
              "24--31    32--39     40--47   48--55    56--63                     Additional");
    EXPECT_TRUE(f.Command8.visible());
    EXPECT_FALSE(f.Text1[5].enabled());
    EXPECT_FALSE(f.Text1[16].enabled());
    EXPECT_TRUE(f.Text1[4].enabled());
    EXPECT_TRUE(f.Text1[17].enabled());

    f.Text1[0].type("6");
    for (int i : {5, 7, 9}) f.Text1[static_cast<size_t>(i)].setText("4");
    EXPECT_EQ(f.Label8.caption(), "SequenceControl");  // until the next tick
    tick();
    EXPECT_EQ(f.Label8.caption(), "Water-Pttern Rolling-Over");
    EXPECT_EQ(f.Label4.caption(),
              "C-start MoveBits C-End OpenPoints StopQuantity ClosePoints StartPoints Additional");
    EXPECT_TRUE(f.Text1[5].enabled());
    f.Text1[7].type("5");
    tick();
    EXPECT_EQ(f.Label8.caption(), "MultipleMove ");
    f.Refreshing = true;  // a text the grid holds only before the first tick
    f.Text1[0].setText("6.5");
    f.Refreshing = false;
    tick();
    EXPECT_EQ(f.Label8.caption(), "MultipleMove ");  // no name: the caption stays
}

TEST_F(CorvelEditorTest, TimeUnitAndTheAdditionalPanel) {
    auto& f = startEditing();
    f.Command7.click();
    EXPECT_TRUE(f.Frame3.visible());
    EXPECT_EQ(f.Command7.caption(), "Additonal Close");
    const struct {
        const char* unit;
        const char* label;
    } units[] = {{"1", " 0.1s"}, {"9", " 0.1s"}, {"0", "0.01s"}};
    for (const auto& u : units) {
        f.Text5[0].type(u.unit);
        tick();
        EXPECT_EQ(f.Label24.caption(), u.label);
    }
    f.Combo2.pick(3);
    f.Text5[3].type("77");
    EXPECT_EQ(f.ProgramTable.at(3, 19), 77);
    EXPECT_EQ(f.Text1[17].text(), "77");
    f.Text1[17].type("5");  // covered by the panel: not stored
    EXPECT_EQ(f.ProgramTable.at(3, 19), 77);
    f.Command7.click();
    EXPECT_EQ(f.Command7.caption(), "Additonal Expand");
    f.Text1[17].type("6");
    EXPECT_EQ(f.ProgramTable.at(3, 19), 6);
    EXPECT_EQ(f.Text5[3].text(), "6");
}

TEST_F(CorvelEditorTest, TheBitPanelEditsTheMask) {
    auto& f = startEditing();
    f.ProgramTable.set(0, 0, 7);
    f.ProgramTable.set(0, 10, 5);
    f.Combo2.pick(0);
    tick();
    f.Command8.click();
    EXPECT_TRUE(f.Frame4.visible());
    EXPECT_EQ(f.Command8.caption(), " WorkMode7 Close");
    for (int k = 8; k < 16; ++k) EXPECT_EQ(f.List2.selected(k), k == 8 || k == 10) << k;
    f.List2.click(63);
    EXPECT_EQ(f.ProgramTable.at(0, 16), 128);
    EXPECT_EQ(f.Text1[14].text(), "128");

    f.Text7.type("70");
    f.Text6.type("5");
    f.Check2.click();
    EXPECT_EQ(f.Label26.caption(), "ON");
    f.Command9.click();
    EXPECT_EQ(f.ProgramTable.at(0, 9), 0xE0);
    for (int c = 10; c <= 16; ++c) EXPECT_EQ(f.ProgramTable.at(0, c), 255) << c;
    f.Check2.click();
    f.Command9.click();
    EXPECT_EQ(f.ProgramTable.at(0, 9), 0);
    EXPECT_EQ(f.ProgramTable.at(0, 16), 0);

    tick();
    EXPECT_EQ(f.Command8.caption(), "WorkMode7 Close");
    f.Text1[0].type("3");
    tick();
    EXPECT_FALSE(f.Frame4.visible());
    EXPECT_FALSE(f.Command8.visible());
    EXPECT_FALSE(f.Mode7Open);
}

TEST_F(CorvelEditorTest, RangeFieldsKeepTheirBounds) {
    auto& f = startEditing();
    const struct {
        ui::TextBox* field;
        const char* typed;
        const char* shown;
    } cases[] = {{&f.Text3, "999", "255"},
                 {&f.Text3, "", "0"},
                 {&f.Text4, "-7", "0"},
                 {&f.Text6, "-1", "0"},
                 {&f.Text7, "70", "70"}};
    for (const auto& c : cases) {
        c.field->type(c.typed);
        EXPECT_EQ(c.field->text(), c.shown) << c.typed;
    }
    f.Check1.click();
    EXPECT_EQ(f.Label21.caption(), "ON");
}

TEST_F(CorvelEditorTest, SaveAndLoadKeepEveryByte) {
    auto& f = startEditing();
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 32; ++c) f.ProgramTable.set(r, c, static_cast<std::uint8_t>(r + c));
    f.ProgramTable.set(0, 32, 99);  // column 32 is never stored
    f.Text2.type("abc");
    f.Command2.click();
    const std::string saved = readFile("abc.sav");
    ASSERT_EQ(saved.size(), 3840u);
    EXPECT_EQ(static_cast<std::uint8_t>(saved[32 * 119 + 31]), 150);
    ASSERT_EQ(f.File1.files(), (std::vector<std::string>{"abc.sav", "mernal.sav"}));

    writeFile("long.sav", saved + "tail");
    f.File1.refresh();
    f.File1.select(1);
    EXPECT_EQ(f.Text2.text(), "long");
    f.Text2.type("other");
    f.Command1.click();  // the selected file is read
    EXPECT_EQ(f.ProgramTable.at(119, 31), 150);
    f.Text2.type("long");
    f.Command2.click();  // over a longer file: the rest stays
    EXPECT_EQ(readFile("long.sav"), saved + "tail");

    writeFile("short.sav", "\x05");
    f.File1.refresh();
    f.File1.select(3);  // abc, long, mernal, short
    f.Command1.click();
    EXPECT_EQ(f.ProgramTable.at(0, 0), 5);
    EXPECT_EQ(f.ProgramTable.at(0, 1), 0);  // beyond the end: zeros
    f.Text2.type("");
    f.Command2.click();
    EXPECT_TRUE(std::filesystem::exists(dataDir / ".sav"));
}

TEST_F(CorvelEditorTest, FileFailuresChangeNothingAndSayWhy) {
    auto& f = startEditing();
    f.ProgramTable.set(5, 5, 42);
    f.Text2.type("../outside");
    f.Command2.click();
    EXPECT_EQ(f.Label13.caption(),
              "Not saved: the name \"../outside.sav\" would leave the folder " + dataDir.string());
    EXPECT_FALSE(std::filesystem::exists(dataDir.parent_path() / "outside.sav"));
    std::filesystem::create_directory(dataDir / "folder.sav");
    f.Text2.type("folder");
    f.Command1.click();
    EXPECT_TRUE(f.Label13.caption().starts_with("Cannot load " + (dataDir / "folder.sav").string()))
        << f.Label13.caption();
    EXPECT_EQ(f.ProgramTable.at(5, 5), 42);
    f.Text2.type("fine");
    f.Command2.click();
    EXPECT_EQ(f.Label13.caption(), "CommunicationPortState");  // the status line comes back
}

}  // namespace
