#include "view/bindings.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <array>
#include <fstream>
#include <vector>

#include "temp_dir.h"

namespace {

std::vector<int> selectedRows(const QListWidget* list) {
    std::vector<int> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected()) rows.push_back(i);
    return rows;
}

void clickItem(QListWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).center());
}

std::vector<std::string> numberItems(int count) {
    std::vector<std::string> items;
    for (int i = 0; i < count; ++i) items.push_back(std::to_string(i));
    return items;
}

// Widgets under one shown parent, as in a window.
class BindingTest : public ::testing::Test {
  protected:
    BindingTest() {
        parent.resize(400, 300);
        parent.show();
    }
    QWidget parent;
};

using TextBoxBinding = BindingTest;

TEST_F(TextBoxBinding, ShowsTheModelAndHandsTypingToIt) {
    ui::TextBox box("Text1(0)", "12", 5);
    int changes = 0;
    box.onChange = [&] { ++changes; };
    auto* edit = new QLineEdit(&parent);
    view::bindTextBox(box, edit);

    EXPECT_EQ(edit->objectName(), "Text1(0)");
    EXPECT_EQ(edit->text(), "12");
    EXPECT_EQ(edit->maxLength(), 5);
    QTest::keyClicks(edit, "3");
    EXPECT_EQ(box.text(), "123");
    EXPECT_EQ(changes, 1);
    QTest::keyClicks(edit, "456");
    EXPECT_EQ(box.text(), "12345");
    EXPECT_EQ(edit->text(), "12345");
}

TEST_F(TextBoxBinding, ModelChangesDoNotEchoOrMoveTheCursor) {
    ui::TextBox box("Text2", "user1");
    int changes = 0;
    box.onChange = [&] { ++changes; };
    auto* edit = new QLineEdit(&parent);
    view::bindTextBox(box, edit);
    edit->setCursorPosition(2);

    box.setEnabled(false);
    EXPECT_FALSE(edit->isEnabled());
    box.setEnabled(true);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_EQ(edit->cursorPosition(), 2);

    box.setText("abc");
    EXPECT_EQ(edit->text(), "abc");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit->maxLength(), 32767);
}

TEST_F(TextBoxBinding, ShowsWhatTheChangeHandlerLeaves) {
    ui::TextBox box("Text6", "16");
    box.onChange = [&] {
        if (std::stoi("0" + box.text()) > 20) box.setText("20");
    };
    auto* edit = new QLineEdit(&parent);
    view::bindTextBox(box, edit);

    edit->selectAll();
    QTest::keyClicks(edit, "99");
    EXPECT_EQ(box.text(), "20");
    EXPECT_EQ(edit->text(), "20");
}

TEST_F(TextBoxBinding, RefusedTypingPutsTheModelTextBack) {
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

using ControlBinding = BindingTest;

TEST_F(ControlBinding, LabelShowsCaptionAsPlainText) {
    ui::Label label("Label13", "<b>State</b>");
    auto* widget = new QLabel(&parent);
    view::bindLabel(label, widget);
    EXPECT_EQ(widget->objectName(), "Label13");
    EXPECT_EQ(widget->text(), "<b>State</b>");
    EXPECT_EQ(widget->textFormat(), Qt::PlainText);
    label.setCaption("端口不能收到数据");
    EXPECT_EQ(widget->text(), QString::fromUtf8("端口不能收到数据"));
    label.setVisible(false);
    EXPECT_TRUE(widget->isHidden());
}

TEST_F(ControlBinding, ButtonClicksReachTheModelWhileEnabled) {
    ui::Button button("Command6", "OK");
    int clicks = 0;
    button.onClick = [&] { ++clicks; };
    auto* widget = new QPushButton(&parent);
    view::bindButton(button, widget);
    EXPECT_EQ(widget->text(), "OK");
    QTest::mouseClick(widget, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
    button.setEnabled(false);
    EXPECT_FALSE(widget->isEnabled());
    QTest::mouseClick(widget, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlBinding, CheckBoxFollowsModelBothWays) {
    ui::CheckBox box("Check1", "");
    int clicks = 0;
    box.onClick = [&] { ++clicks; };
    auto* widget = new QCheckBox(&parent);
    view::bindCheckBox(box, widget);
    widget->click();
    EXPECT_TRUE(box.checked());
    EXPECT_EQ(clicks, 1);
    box.setChecked(false);
    EXPECT_FALSE(widget->isChecked());
    EXPECT_EQ(clicks, 2);
}

TEST_F(ControlBinding, ComboBoxKeepsItsOwnTextOverTheEntries) {
    ui::ComboBox combo("Combo3", "Combo3", {"1", "2", "3"});
    auto* widget = new QComboBox(&parent);
    view::bindComboBox(combo, widget);
    EXPECT_EQ(widget->count(), 3);
    EXPECT_EQ(widget->currentText(), "Combo3");

    combo.setText("2");
    EXPECT_EQ(widget->currentText(), "2");
    widget->lineEdit()->selectAll();
    QTest::keyClicks(widget->lineEdit(), "5x");
    EXPECT_EQ(combo.text(), "5x");
    emit widget->activated(2);
    EXPECT_EQ(combo.text(), "3");
    EXPECT_EQ(widget->currentText(), "3");
}

TEST_F(ControlBinding, SurfaceShowsItsLinesReadOnly) {
    ui::Surface surface("Form1");
    auto* widget = new QPlainTextEdit(&parent);
    view::bindSurface(surface, widget);
    EXPECT_TRUE(widget->isReadOnly());
    surface.printLine("first");
    surface.printLine("second");
    EXPECT_EQ(widget->toPlainText(), "first\nsecond");
}

using ListBinding = BindingTest;

TEST_F(ListBinding, ClicksFlipItemsAndTheWidgetFollowsTheModel) {
    ui::ListBox list("List1", numberItems(20));
    // Like a refresh: items beyond 9 never stay on.
    list.onClick = [&] {
        for (int i = 10; i < list.count(); ++i) list.setSelected(i, false);
    };
    auto* widget = new QListWidget(&parent);
    widget->resize(300, 200);
    view::bindListBox(list, widget);
    ASSERT_EQ(widget->count(), 20);
    EXPECT_EQ(widget->item(5)->text(), "5");

    clickItem(widget, 3);
    EXPECT_TRUE(list.selected(3));
    clickItem(widget, 12);
    EXPECT_FALSE(list.selected(12));
    list.setSelected(7, true);
    EXPECT_EQ(selectedRows(widget), (std::vector<int>{3, 7}));
    clickItem(widget, 3);
    EXPECT_EQ(selectedRows(widget), (std::vector<int>{7}));
}

TEST_F(ListBinding, ColumnsAndHeightFollowTheModel) {
    ui::ListBox list("List1", numberItems(20));
    list.setColumns(4);
    auto* widget = new QListWidget(&parent);
    widget->setFixedHeight(120);
    widget->setFixedWidth(300);
    view::bindListBox(list, widget);
    QCoreApplication::processEvents();
    const auto top = [&](int row) { return widget->visualItemRect(widget->item(row)).top(); };
    EXPECT_EQ(top(3), top(0));
    EXPECT_GT(top(4), top(3));

    list.setColumns(5);
    QCoreApplication::processEvents();
    EXPECT_EQ(top(4), top(0));
    EXPECT_GT(top(5), top(4));

    list.setHeightTwips(1500);
    EXPECT_EQ(widget->height(), 100);
    list.setHeightTwips(0);
    EXPECT_EQ(widget->minimumHeight(), 120);
    EXPECT_EQ(widget->maximumHeight(), 120);
}

TEST_F(ListBinding, FileListShowsFilesAndSelectsOnClick) {
    test::TempDir dir;
    for (const char* name : {"b.qdf", "a.qdf", "c.txt"}) std::ofstream(dir.path() / name);
    ui::FileList files("File1", "*.qdf");
    files.setDirectory(dir.path());
    auto* widget = new QListWidget(&parent);
    view::bindFileList(files, widget);
    ASSERT_EQ(widget->count(), 2);
    EXPECT_EQ(widget->item(0)->text(), "a.qdf");

    clickItem(widget, 1);
    EXPECT_EQ(files.selectedFile(), "b.qdf");
    EXPECT_EQ(selectedRows(widget), (std::vector<int>{1}));
    std::ofstream(dir.path() / "0.qdf");
    files.refresh();
    EXPECT_EQ(widget->count(), 3);
    EXPECT_EQ(selectedRows(widget), (std::vector<int>{2}));
}

}  // namespace
