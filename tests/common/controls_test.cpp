#include "ui/controls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace {

TEST(TextBox, ChangeEventOnlyForAnotherTextAndNestedInTheCaller) {
    ui::TextBox box("Text1(0)", "4", 5);
    std::vector<std::string> seen;
    box.onChange = [&] {
        seen.push_back(box.text());
        box.setText("4");  // a handler rewriting the field: nested, then no event
    };
    box.setText("4");
    EXPECT_TRUE(seen.empty());
    box.setText("1");
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "4"}));
    EXPECT_EQ(box.text(), "4");
}

TEST(TextBox, TypingLongerThanTheMaximumIsRefused) {
    ui::TextBox box("Text1(0)", "1234", 5);
    int changes = 0;
    int views = 0;
    box.onChange = [&] { ++changes; };
    box.observe([&] { ++views; });
    EXPECT_TRUE(box.type("12345"));
    EXPECT_FALSE(box.type("123456"));
    EXPECT_EQ(box.text(), "12345");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(views, 2);  // the refusal tells the view to show the held text again
    box.setText("a text longer than five");  // the program itself may
    EXPECT_EQ(changes, 2);

    ui::TextBox unlimited("Text2", "user1");
    EXPECT_TRUE(unlimited.type(std::string(300, 'x')));
}

TEST(TextBox, DisabledFieldTakesNoTyping) {
    ui::TextBox box("Text8(0)", "0", 4);
    box.setEnabled(false);
    EXPECT_FALSE(box.type("12"));
    EXPECT_EQ(box.text(), "0");
}

TEST(ListBox, EveryChangeOfAnItemRaisesTheClickEvent) {
    ui::ListBox list("List1", {"000", "001", "002"});
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    list.setSelected(1, false);
    EXPECT_EQ(clicks, 0);
    list.setSelected(1, true);
    list.click(1);
    list.click(2);
    EXPECT_EQ(clicks, 3);
    EXPECT_FALSE(list.selected(1));
    EXPECT_TRUE(list.selected(2));
}

TEST(Buttons, DisabledButtonIgnoresClicksAndCheckBoxReportsItsState) {
    ui::Button button("Command3", "DowmLoad");
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    button.click();
    button.setEnabled(false);
    button.click();
    EXPECT_EQ(clicks, 1);

    ui::CheckBox check("Check1", "");
    std::vector<bool> states;
    check.onClick = [&] { states.push_back(check.checked()); };
    check.click();
    check.setChecked(true);
    check.click();
    EXPECT_EQ(states, (std::vector<bool>{true, false}));
}

TEST(OptionGroup, ExactlyOneSelected) {
    ui::OptionGroup group("Option1", {"A", "B", "C"});
    std::vector<int> clicks;
    group.onClick = [&](int i) { clicks.push_back(i); };
    group.select(2);
    group.select(2);
    group.select(7);
    EXPECT_EQ(group.selected(), 2);
    EXPECT_EQ(clicks, (std::vector<int>{2}));
    EXPECT_EQ(group.optionName(1), "Option1(1)");
}

TEST(ComboBox, PickSetsTheTextAndClicks) {
    ui::ComboBox combo("Combo3", "Combo3", {"1", "2"});
    int changes = 0;
    int clicks = 0;
    combo.onChange = [&] { ++changes; };
    combo.onClick = [&] { ++clicks; };
    combo.pick(1);
    combo.pick(5);
    EXPECT_EQ(combo.text(), "2");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clicks, 1);
}

TEST(FileList, ListsMatchingFilesSortedAndKeepsTheSelection) {
    test::TempDir dir;
    for (const char* name : {"b.qdf", "A.QDF", "c.sav", "a.b.qdf"})
        std::ofstream(dir.path() / name);
    std::filesystem::create_directory(dir.path() / "d.qdf");
    ui::FileList list("File1", "*.qdf");
    list.setDirectory(dir.path());
    EXPECT_EQ(list.files(), (std::vector<std::string>{"a.b.qdf", "A.QDF", "b.qdf"}));
    EXPECT_EQ(list.selectedIndex(), -1);
    list.select(2);
    std::ofstream(dir.path() / "0.qdf");
    list.refresh();
    EXPECT_EQ(list.selectedFile(), "b.qdf");
    std::filesystem::remove(dir.path() / "b.qdf");
    list.refresh();
    EXPECT_EQ(list.selectedIndex(), -1);
}

TEST(FileList, MissingDirectoryListsNothing) {
    ui::FileList list("File1", "*.qdf");
    list.setDirectory("/nonexistent/dovra/none");
    EXPECT_TRUE(list.files().empty());
}

}  // namespace
