// Both programs' windows: what a user sees and does through the widgets.
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyleOptionGroupBox>

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
    bool stored(int step, int word) const { return this->word(plexa::stepBase(step, 4)) == word; }
};

using CorvelWindow = test::ProgramWindow<corvel::Form1, corvel::MainWindow>;

template <class W>
class BothWindows : public W {};
using Programs = ::testing::Types<PlexaWindow, CorvelWindow>;
TYPED_TEST_SUITE(BothWindows, Programs);

// Each block takes 25 ms on the line. Between blocks the event loop runs no
// tick and paints nothing; the block number and the bar are painted while
// the line carries a request, at most once a frame, and nothing else is;
// the last block shows once the transfer rests.
TYPED_TEST(BothWindows, ATransferPaintsItsProgressOnlyWhileARequestIsOnTheLine) {
    auto& t = *this;
    t.port.setResponder(fake::controllerResponder(t.controller, 25));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&t.window));
    // On a small screen the drawing scrolls: bring the number and the bar into sight.
    t.scroll()->ensureWidgetVisible(t.find("progress"));
    QCoreApplication::processEvents();
    test::PaintCount paints;
    for (const char* name : {"Label10", "progress", "Label14", "Command1"})
        t.find(name)->installEventFilter(&paints);
    if constexpr (TestFixture::kPlexa) t.run({"Text8(1)=80"});
    t.run({"Command3!"});
    t.runTransfer(5000);  // the ticks by hand: no event loop runs
    const int frames = std::stoi(t.form->Label9.caption()) / view::ProgressPainter::kFrameMs;
    EXPECT_GE(paints.counts["Label10"], frames / 2);
    EXPECT_LE(paints.counts["Label10"], frames + 1);
    EXPECT_GE(paints.counts["progress"], frames / 2);
    EXPECT_LE(paints.counts["progress"], frames + 1);
    EXPECT_EQ(paints.counts["Label14"] + paints.counts["Command1"], 0);
    const QString last = QString::fromStdString(t.form->Label10.caption());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return t.template find<QLabel>("Label10")->text() == last; }));
    auto* bar = t.template find<QProgressBar>("progress");
    EXPECT_EQ(bar->value(), bar->maximum());
    const QRegularExpression done(
        "^Download done: blocks \\d+ to \\d+, (\\d+) of \\1 blocks sent in \\d+\\.\\d s$");
    EXPECT_TRUE(done.match(t.template find<QLabel>("StatusBar1")->text()).hasMatch());
}

// The header words stand over their fields; a pick and typing in the port
// box reach the form.
TEST_F(PlexaWindow, PlacesTheHeaderWordsAndThePortBoxReachesTheForm) {
    expectOver("Label2",
               {"Label1(0)", "Text1(0)", "Label1(1)", "Text1(1)", "Text1(2)", "Text1(3)",
                "Text1(4)", "Text5(0)", "Text5(1)", "Text5(2)"},
               {"Max.Step", "OutPutGroups", "Max.Output", "X0--Start", "x1--Start", "x2--Start",
                "x3--Start", "CurrentStep", "WorkMode", "HoldTime"});
    expectOver("Label22(0)", {"Text1(5)", "Text1(6)", "Text1(7)", "Text1(8)"},
               {"x4--Start", "x5--Start", "x6--Start", "x7--Start"});
    auto* port = find<QComboBox>("Combo3");
    emit port->activated(2);
    QTest::keyClicks(port->lineEdit(), "2");
    EXPECT_EQ(form->Combo3.text(), "32");
}

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
    run({"Text1(0)=5", "tick"});
    EXPECT_TRUE(usable(79) && !usable(80));
}

// Below the scrolled drawing, in sight at any size, the status bar says how
// each transfer ended: where it stopped, how many blocks went and why.
TEST_F(PlexaWindow, TheStatusBarSaysHowEachTransferEnded) {
    const auto failing = [this](int block, serial::Bytes reply) {
        return [this, block, reply](const serial::Bytes& request) {
            if (request[3] == block) return fake::FakePort::Reply{{2, reply}};
            return fake::FakePort::Reply{{2, controller.answer(request)}};
        };
    };
    port.setOpenFails(5);
    const struct {
        const char *port, *last, *button;
        fake::FakePort::Responder responder;
        const char *begins, *ends;
    } cases[] = {
        {"1", "40", "Command3", failing(27, {15, 15}),
         "Download stopped at block 27: 27 of 41 blocks sent in ", " s; refused 6 times"},
        {"1", "10", "Command5", failing(3, {}),
         "Upload stopped at block 3: 3 of 11 blocks read in ", " s; no reply 6 times"},
        {"5", "40", "Command3", nullptr,
         "Download not started: 0 of 41 blocks sent; COM5: no such port", ""},
    };
    window.resize(320, 200);
    auto* shown = find<QLabel>("StatusBar1");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.begins);
        form->Combo3.setText(c.port);
        form->Text8[1].setText(c.last);
        port.setResponder(c.responder);
        click(c.button);
        runTransfer(10'000);
        EXPECT_TRUE(shown->text().startsWith(c.begins)) << shown->text().toStdString();
        EXPECT_TRUE(shown->text().endsWith(c.ends)) << shown->text().toStdString();
    }
    EXPECT_EQ(shown->toolTip(), shown->text());  // whole where the window cuts it
    EXPECT_TRUE(window.rect().contains(QRect(shown->mapTo(&window, QPoint()), shown->size())));
    EXPECT_FALSE(scroll()->isAncestorOf(shown));
}

// Exit, closing, LoadFile and UpLoad ask before unsaved edits are lost:
// Cancel keeps everything, Discard goes on, Save writes the title's file.
TEST_F(PlexaWindow, UnsavedEditsAreAskedAboutBeforeTheyAreLost) {
    run({"Command4!", "Text5(1)=2", "Command1!", "Command5!", "Command4!"});
    EXPECT_TRUE(window.isWindowModified());
    EXPECT_FALSE(window.close());
    EXPECT_EQ(asked, QStringList(4, "Save them to \"mernal.qdf\" first?"));
    EXPECT_TRUE(stored(1, 20000) && form->Command3.enabled() && quits == 1);
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

// The selectors and the option buttons show their controls' state and feed
// the user's picks back.
TEST_F(CorvelWindow, TheSelectorsAndOptionsFeedThePicksBack) {
    emit find<QComboBox>("Combo2")->activated(5);
    EXPECT_EQ(form->Combo2.text(), "5");
    QTest::mouseClick(find<QRadioButton>("Option3"), Qt::LeftButton);
    EXPECT_EQ(form->Options.selected(), corvel::Pause);
    form->Options.setOptionEnabled(corvel::Monitor, false);  // as during a transfer
    EXPECT_FALSE(find<QRadioButton>("Option5")->isEnabled());
    EXPECT_TRUE(find<QRadioButton>("Option6")->isEnabled());
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
    form->Label7[2].setCaption("I" + std::string(63, '.'));
    EXPECT_TRUE(lit(0) && !lit(1));
    form->Label7[2].setCaption(".I" + std::string(62, '.'));
    EXPECT_TRUE(!lit(0) && lit(1));
    QTest::mouseClick(find<QRadioButton>("Option6"), Qt::LeftButton);
    EXPECT_FALSE(line->isEnabled());
    QTest::mouseClick(find<QRadioButton>("Option1"), Qt::LeftButton);
    tick(100);
    EXPECT_TRUE(line->isEnabled());
}

// A click at the middle of a shown control reaches that control; the
// Additional Function panel comes over the grid, with its title inside its
// frame and each name and caption over its field.
TEST_F(CorvelWindow, NothingLiesOverTheControlsThatTakeInputButAPanelShown) {
    for (QWidget* widget : drawing->findChildren<QWidget*>()) {
        const bool input = qobject_cast<QAbstractButton*>(widget) ||
                           qobject_cast<QComboBox*>(widget) || qobject_cast<QListWidget*>(widget) ||
                           qobject_cast<QLineEdit*>(widget);
        if (!input || !widget->isVisible() || qobject_cast<QComboBox*>(widget->parent())) continue;
        QWidget* found = drawing->childAt(widget->mapTo(drawing, widget->rect().center()));
        EXPECT_TRUE(found == widget || widget->isAncestorOf(found))
            << widget->objectName().toStdString() << " is covered";
    }
    click("Command7");
    EXPECT_TRUE(find("Frame3")->isAncestorOf(drawing->childAt(place("Text1(4)").center())));
    EXPECT_FALSE(place("Frame3").intersects(place("Command7")));
    // The frame's line runs along the top edge, over the title.
    auto* panel = find<QGroupBox>("Frame3");
    QStyleOptionGroupBox option;
    option.initFrom(panel);
    option.text = panel->title();
    const QRect title = panel->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, panel);
    EXPECT_GT(title.top(), 0);
    EXPECT_NE(QColor(panel->grab().toImage().pixel(title.center().x(), 0)),
              panel->palette().color(QPalette::Window));
    std::vector<QString> fields;
    for (int i = 0; i < 9; ++i) fields.push_back(QString("Text5(%1)").arg(i));
    expectOver("Label22", fields,
               {"PA00", "PA01", "PA02", "PQ03", "PA04", "PA05", "PA06", "PA07", "PA08"});
    expectOver(
        "Label23", fields,
        {"TimeUnit", "Num", "PumpNO.", "Num.", "pump NO.", "Num.", "Pump NO.", "Num.", "pump NO."});
}

// Mode 7 leaves the mask fields bare and shows their bits in a panel, a mask
// byte a line; that panel and Control's leave the lamp lines in sight.
TEST_F(CorvelWindow, Mode7HeaderWordsStandOverTheirFieldsAndThePanelsLeaveTheLampsInSight) {
    const auto lampLinesInSight = [this] {
        for (int m = 0; m < 4; ++m) {
            const QString name = QString("Label7(%1)").arg(m);
            EXPECT_EQ(drawing->childAt(place(name).center()), find(name)) << m;
        }
    };
    run({"Text1(0)=7", "tick"});
    expectOver("Label2",
               {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text1(4)", "Text1(7)", "Text1(8)",
                "Text1(9)"},
               {"WorkMode", "Interval", "HoldTime", "WorkNumber", "A-start", "00--O7", "08--15",
                "16--23"});
    click("Command8");
    ASSERT_TRUE(find("Frame4")->isVisible());
    lampLinesInSight();
    auto* bits = find<QListWidget>("List2");
    const auto corner = [bits](int n) { return bits->visualItemRect(bits->item(n)).topLeft(); };
    EXPECT_EQ(corner(7).y(), corner(0).y());
    EXPECT_EQ(corner(8).x(), corner(0).x());
    QTest::mouseClick(find<QRadioButton>("Option6"), Qt::LeftButton);
    tick(100);
    ASSERT_TRUE(find("Frame2")->isVisible());
    lampLinesInSight();
}

// The name box names the file that LoadFile reads, after a question about
// the unsaved edit; typing in it leaves the list, and a name without a file
// makes a new program. An undo of the load shows the program changed and the
// mark, a redo takes the mark away.
TEST_F(CorvelWindow, TheFileLoadedAndTheLoadsUndoAreTheUsers) {
    EXPECT_EQ(window.windowTitle(), "mernal.sav[*] - Corvel");
    run({"Text1(3)=5"});
    EXPECT_TRUE(window.isWindowModified());
    clickItem("File1", 0);
    type("Text2", "fountain7");
    EXPECT_TRUE(find<QListWidget>("File1")->selectedItems().isEmpty());
    click("Command1");
    EXPECT_EQ(asked, QStringList{"Save them to \"mernal.sav\" first?"});
    run({"at 0,5?5"});
    answer = QMessageBox::Discard;
    run({"Command1!", "Label13?New program \"fountain7.sav\" (empty)", "at 0,5?0"});
    EXPECT_EQ(window.windowTitle(), "fountain7.sav[*] - Corvel");
    emit find<QComboBox>("Combo1")->activated(2);
    press(Qt::Key_Z);
    run({"at 0,5?5", "Combo1?PA"});
    EXPECT_EQ(text("Text1(3)"), "5");
    EXPECT_TRUE(window.isWindowModified());
    press(Qt::Key_Y);
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_TRUE(window.close()) << "nothing to ask";
    EXPECT_EQ(asked.size(), 2);
}

}  // namespace
