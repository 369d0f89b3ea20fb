// Both programs' windows: what a user sees and does through the widgets.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <string>
#include <utility>

#include "base/image_file.h"
#include "corvel/view/main_window.h"
#include "plexa/program_file.h"
#include "plexa/view/main_window.h"
#include "program_window.h"

namespace {

class PlexaWindow : public test::ProgramWindow<plexa::Form1, plexa::MainWindow> {
  protected:
    // Whether output n is drawn on: its item's corner has the dark selection
    // colour, not the white of an item off nor the pale one under the mouse.
    bool drawnOn(int n) const {
        auto* list = find<QListWidget>("List1");
        const QRect item = list->visualItemRect(list->item(n)).adjusted(2, 2, 0, 0);
        return qGray(drawn(list->viewport(), item).pixel(0, 0)) < 192;
    }
};

using CorvelWindow = test::ProgramWindow<corvel::Form1, corvel::MainWindow>;

// An output goes on, off and on again as the step shown changes; every
// refresh of the list takes this one path. The outputs beyond the groups
// are greyed, and come back with more groups.
TEST_F(PlexaWindow, TheOutputListDrawsTheStepShown) {
    clickItem("List1", 3);
    EXPECT_TRUE(drawnOn(3));
    click("Command7");
    EXPECT_FALSE(drawnOn(3)) << "step 2";
    click("Command8");
    EXPECT_TRUE(drawnOn(3)) << "step 1 again";
    const auto usable = [this](int n) {
        return find<QListWidget>("List1")->item(n)->flags().testFlag(Qt::ItemIsEnabled);
    };
    EXPECT_TRUE(usable(63) && !usable(64) && !usable(255));
    run({"Text1(0)=16", "tick"});
    EXPECT_TRUE(usable(64) && usable(255));
}

// Typed below its lower limit, a field shows what was typed until Enter.
TEST_F(PlexaWindow, AFieldHoldsTypingBelowItsLowerLimitUntilEnter) {
    type("Text7", "0");
    EXPECT_EQ(text("Text7"), "0");
    run({"Text7?1"});
    QTest::keyClick(find("Text7"), Qt::Key_Return);
    EXPECT_EQ(text("Text7"), "1");
}

// Below the scrolled drawing, in sight at any size, the status bar says how
// each transfer ended: where it stopped, how many blocks went and why.
TEST_F(PlexaWindow, TheStatusBarSaysHowEachTransferEnded) {
    port.setOpenFails(5);
    window.resize(320, 200);
    port.setResponder(fake::controllerResponder(controller, 2));
    run({"Text8(1)=40", "Command3!", "tick 10000",
         "StatusBar1~Download done: blocks 0 to 40, 41 of 41 blocks sent in "});
    controller.setFault(ctrlsim::Fault::kNoReply);
    run({"Text8(1)=10", "Command5!", "tick 10000",
         "StatusBar1~Upload stopped at block 0: 0 of 11 blocks read in ",
         "StatusBar1~ s; no reply 6 times"});
    run({"Combo3=5", "Text8(1)=40", "Command3!", "tick 10000",
         "StatusBar1?Download not started: 0 of 41 blocks sent; COM5: no such port"});
    auto* shown = find<QLabel>("StatusBar1");
    EXPECT_EQ(shown->toolTip(), shown->text());  // whole where the window cuts it
    EXPECT_TRUE(window.rect().contains(QRect(shown->mapTo(&window, QPoint()), shown->size())));
    EXPECT_FALSE(scroll()->isAncestorOf(shown));
}

// The box beside the list draws every line of the port scan, the sixteenth
// in the last line's room.
TEST_F(PlexaWindow, TheBoxDrawsEveryLineOfThePortScan) {
    QWidget* box = find("Form1");
    const int spacing = box->fontMetrics().lineSpacing();
    const QRect first = box->contentsRect().adjusted(4, 4, -4, 0);
    const QImage image = drawn(box, box->rect());
    EXPECT_TRUE(inked(image, {first.topLeft(), QSize(first.width(), spacing)}));
    EXPECT_TRUE(
        inked(image, {first.topLeft() + QPoint(0, 15 * spacing), QSize(first.width(), spacing)}));
}

// Exit, closing, LoadFile and UpLoad ask before unsaved edits are lost:
// Cancel keeps everything, Discard goes on, Save writes the title's file.
TEST_F(PlexaWindow, UnsavedEditsAreAskedAboutBeforeTheyAreLost) {
    run({"Command4!", "Text5(1)=2", "Command1!", "Command5!", "Command4!"});
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_FALSE(window.close());
    EXPECT_EQ(asked, QStringList(4, "Save them to \"mernal.qdf\" first?"));
    EXPECT_TRUE(form->ProgramTable.word(plexa::stepBase(1, 4)) == 20000 &&
                form->Command3.enabled() && quits == 1);
    answer = QMessageBox::Discard;
    run({"Command4!"});
    EXPECT_EQ(quits, 2);
    answer = QMessageBox::Save;
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isWindowModified());
    std::vector<std::uint8_t> image(plexa::kProgramFileBytes);
    std::string error;
    ASSERT_TRUE(base::loadImage(dataDir / "mernal.qdf", image, error));
    EXPECT_EQ(image, plexa::fileImage(form->ProgramTable));
    EXPECT_EQ(asked.size(), 6);
}

// Every kind of change is undone by Ctrl+Z and redone by Ctrl+Shift+Z and
// Ctrl+Y; the step changed is shown, and back at the saved state the mark
// goes. A field's own typing is undone in the field first.
TEST_F(PlexaWindow, UndoAndRedoShowTheStepChanged) {
    answer = QMessageBox::Discard;
    const std::vector<std::function<void()>> changes = {
        [this] { run({"Text5(1)=2"}); },           [this] { run({"Command7!", "List1#3"}); },
        [this] { run({"Check1!", "Command6!"}); }, [this] { run({"Command7!", "Command11!"}); },
        [this] { run({"Text1(0)=5"}); },           [this] { run({"Text2=other", "Command1!"}); },
    };
    std::vector<std::vector<std::uint8_t>> images = {plexa::fileImage(form->ProgramTable)};
    std::vector<QString> steps;
    for (const auto& change : changes) {
        change();
        images.push_back(plexa::fileImage(form->ProgramTable));
        steps.push_back(text("Text5(0)"));
    }
    EXPECT_EQ(window.windowTitle(), "other.qdf[*] - Plexa");
    for (size_t n = changes.size(); n-- > 0;) {
        press(Qt::Key_Z);
        EXPECT_EQ(plexa::fileImage(form->ProgramTable), images[n]) << n;
        EXPECT_EQ(text("Text5(0)"), steps[n]) << n;
    }
    EXPECT_TRUE(window.isWindowModified()) << "other.qdf was loaded last";
    for (size_t n = 1; n <= changes.size(); ++n) {
        press(n % 2 ? Qt::Key_Z : Qt::Key_Y,
              n % 2 ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
        EXPECT_EQ(plexa::fileImage(form->ProgramTable), images[n]) << n;
    }
    EXPECT_FALSE(window.isWindowModified());
    type("Text5(2)", "7");
    QTest::keyClick(find("Text5(2)"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text("Text5(2)"), "0");
    EXPECT_FALSE(form->history.canRedo()) << "the field's typing, not the table's step, undone";
}

// A lamp is lit where its line shows an "I" rather than a ".": the upper
// half of its character cell has ink. The lines are greyed while they show
// no outputs of the moment, as in Control.
TEST_F(CorvelWindow, TheLampLinesDrawTheirLamps) {
    auto* line = find<QLabel>("Label7(2)");
    const QFontMetrics metrics = line->fontMetrics();
    const int pitch = metrics.horizontalAdvance('I');
    EXPECT_EQ(metrics.horizontalAdvance('.'), pitch);
    const auto lit = [&](int lamp) {
        const int top = (line->height() - metrics.height()) / 2 + 1;
        const QRect cell(lamp * pitch, top, pitch, metrics.ascent() / 2);
        return inked(drawn(line, cell), {QPoint(0, 0), cell.size()});
    };
    std::string lamps(64, '.');
    lamps[0] = 'I';
    form->Label7[2].setCaption(lamps);
    EXPECT_TRUE(lit(0) && !lit(1));
    std::swap(lamps[0], lamps[1]);
    form->Label7[2].setCaption(lamps);
    EXPECT_TRUE(!lit(0) && lit(1));
    click("Option6");
    EXPECT_FALSE(line->isEnabled());
    click("Option1");
    tick(100);
    EXPECT_TRUE(line->isEnabled());
}

// The header words stand over their fields: mode 7's, which leave the mask
// fields bare, and the names of the Additional Function panel.
TEST_F(CorvelWindow, TheHeaderWordsStandOverTheirFields) {
    run({"Text1(0)=7", "tick"});
    expectOver("Label2",
               {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text1(4)", "Text1(7)", "Text1(8)",
                "Text1(9)"},
               {"WorkMode", "Interval", "HoldTime", "WorkNumber", "A-start", "00--O7", "08--15",
                "16--23"});
    click("Command7");
    std::vector<QString> fields;
    for (int i = 0; i < 9; ++i) fields.push_back(QString("Text5(%1)").arg(i));
    expectOver("Label22", fields,
               {"PA00", "PA01", "PA02", "PQ03", "PA04", "PA05", "PA06", "PA07", "PA08"});
}

// The name box names the file that LoadFile reads, after a question about
// the unsaved edit; typing in it leaves the list, and a name without a file
// makes a new program.
TEST_F(CorvelWindow, TheFileLoadedIsTheUsers) {
    run({"Text1(3)=5"});
    clickItem("File1", 0);
    type("Text2", "fountain7");
    EXPECT_TRUE(find<QListWidget>("File1")->selectedItems().isEmpty());
    click("Command1");
    EXPECT_EQ(asked, QStringList{"Save them to \"mernal.sav\" first?"});
    run({"at 0,5?5"});
    answer = QMessageBox::Discard;
    run({"Command1!", "Label13?New program \"fountain7.sav\" (empty)", "at 0,5?0"});
    EXPECT_EQ(window.windowTitle(), "fountain7.sav[*] - Corvel");
    EXPECT_TRUE(window.close()) << "nothing to ask";
    EXPECT_EQ(asked.size(), 2);
}

}  // namespace
