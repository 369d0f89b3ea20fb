// What the bindings do that Plexa's window tests cannot see; the rest of
// each binding is tested through the real window.
#include "view/bindings.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <fstream>
#include <vector>

#include "temp_dir.h"

namespace {

// Widgets under one shown parent, as in a window.
class Binding : public ::testing::Test {
  protected:
    Binding() {
        parent.resize(400, 300);
        parent.show();
    }
    QWidget parent;
};

TEST_F(Binding, ModelChangesDoNotEchoIntoTheModelOrMoveTheCursor) {
    ui::TextBox box("Text2", "user1");
    int changes = 0;
    box.onChange = [&] { ++changes; };
    auto* edit = new QLineEdit(&parent);
    view::bindTextBox(box, edit);
    edit->setCursorPosition(2);

    box.setEnabled(false);
    EXPECT_FALSE(edit->isEnabled());
    box.setEnabled(true);
    EXPECT_EQ(edit->cursorPosition(), 2);
    box.setText("abc");
    EXPECT_EQ(edit->text(), "abc");
    EXPECT_EQ(changes, 1);
}

TEST_F(Binding, RefusedTypingPutsTheModelTextBack) {
    ui::TextBox box("Text5(0)", "1", 5);
    box.setText("123456");  // the program may set more than the user may type
    auto* edit = new QLineEdit(&parent);
    view::bindTextBox(box, edit);
    EXPECT_EQ(edit->text(), "123456");

    edit->end(false);
    QTest::keyClicks(edit, "7");
    EXPECT_EQ(box.text(), "123456");
    EXPECT_EQ(edit->text(), "123456");
}

TEST_F(Binding, AFileListsSelectionStaysTheModelsWhenTheModelChangesItsFiles) {
    test::TempDir dir;
    for (const char* name : {"b.qdf", "a.qdf"}) std::ofstream(dir.path() / name);
    ui::FileList files("File1", "*.qdf");
    files.setDirectory(dir.path());
    auto* widget = new QListWidget(&parent);
    view::bindFileList(files, widget);
    files.select(1);
    const auto selectedRows = [widget] {
        std::vector<int> rows;
        for (int i = 0; i < widget->count(); ++i)
            if (widget->item(i)->isSelected()) rows.push_back(i);
        return rows;
    };
    EXPECT_EQ(selectedRows(), std::vector<int>{1});

    std::ofstream(dir.path() / "0.qdf");
    files.refresh();
    ASSERT_EQ(widget->count(), 3);
    EXPECT_EQ(selectedRows(), std::vector<int>{2});
    std::filesystem::remove(dir.path() / "b.qdf");
    files.refresh();
    EXPECT_TRUE(selectedRows().empty());
}

}  // namespace
