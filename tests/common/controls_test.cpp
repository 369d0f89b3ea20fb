#include "ui/controls.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <optional>
#include <vector>

#include "temp_dir.h"
#include "ui/edit_history.h"
#include "ui/file_status.h"

namespace {

// The text boxes, buttons and lists, and the change and click events that
// the editor's handlers rely on, are tested with Plexa's window.

// A view may bind more of itself while it hears a change, as a panel built
// when first shown does: what it adds hears the next change, not this one.
TEST(Control, AnObserverMayAddObserversWhileItRuns) {
    ui::Label label("Frame3", "");
    int heard = 0;
    label.observe([&] {
        for (int i = 0; i < 20; ++i) label.observe([&heard] { ++heard; });
    });
    label.setVisible(false);
    label.setVisible(true);
    EXPECT_EQ(heard, 20);
}

// A name in any script (here Chinese and Latin, UTF-8) names its file so,
// and the list shows it by that name.
TEST(FileList, ListsMatchingFilesSortedAndKeepsTheSelection) {
    test::TempDir dir;
    for (const char* name : {"b.qdf", "A.QDF", "c.sav", "a.b.qdf"})
        std::ofstream(dir.path() / name);
    const std::string name = "\xe6\xbc\x94\xe7\xa4\xba\xc3\xa9.qdf";
    ui::Label line("Label13", "");
    ui::FileStatus status(line);
    std::array<std::uint8_t, 2> image{1, 2};
    ASSERT_TRUE(status.save(dir.path(), name, image)) << line.caption();
    EXPECT_TRUE(std::filesystem::exists(dir.path() / u8"\u6f14\u793a\u00e9.qdf"));
    ui::FileList list("File1", "*.QDF");
    list.setDirectory(dir.path());
    EXPECT_EQ(list.files(), (std::vector<std::string>{"a.b.qdf", "A.QDF", "b.qdf", name}));
    list.select(2);
    std::ofstream(dir.path() / "0.qdf");
    list.refresh();
    EXPECT_EQ(list.selectedFile(), "b.qdf");
}

// The last hundred steps are kept; the mark follows the saved state through
// undo and redo, and a change after an undo drops the steps undone.
TEST(EditHistory, KeepsAHundredStepsAndKnowsTheSavedState) {
    std::vector<std::uint8_t> cells(15001 * 33, 0);
    ui::EditHistory history([&cells] { return std::span(cells); });
    history.start("a.qdf");
    for (int n = 1; n <= 150; ++n) {
        cells[static_cast<size_t>(n) * 97] = static_cast<std::uint8_t>(n);
        history.record(n);
    }
    history.record(151);  // nothing changed: no step
    history.saved("b.qdf");
    for (int n = 150; n > 50; --n) EXPECT_EQ(history.undo(), n);
    EXPECT_EQ(history.undo(), std::nullopt);
    EXPECT_EQ(cells[50 * 97], 50);
    EXPECT_EQ(cells[51 * 97], 0);
    EXPECT_TRUE(history.modified());
    for (int n = 51; n <= 150; ++n) EXPECT_EQ(history.redo(), n);
    EXPECT_FALSE(history.modified());
    history.undo();
    cells[3] = 1;
    history.record(3);
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undo(), 3);
    EXPECT_EQ(cells[3], 0);
    EXPECT_EQ(history.undo(), 149);
}

}  // namespace
