#include "plexa/view/main_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <csignal>

#include "base/image_file.h"
#include "plexa/program_file.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "plexa/link_fixture.h"
#include "window_probe.h"

namespace {

// Plexa's window over a form on a hand-driven clock and a scripted port.
class PlexaWindow : public test::PlexaFormTest, public test::WindowProbe {
  protected:
    PlexaWindow() : painter(clock), window(startEditing(), painter) {
        root = drawing = &window;
        showProgress = [this] { painter.paint(); };
        window.show();
    }
    // Whether output n is drawn on: its item's corner has the dark selection
    // colour, not the white of an item off nor the pale one under the mouse.
    bool drawnOn(int n) const {
        auto* list = find<QListWidget>("List1");
        const QRect item = list->visualItemRect(list->item(n)).adjusted(2, 2, 0, 0);
        return qGray(drawn(list->viewport(), item).pixel(0, 0)) < 192;
    }
    QString text(const QString& field) const { return find<QLineEdit>(field)->text(); }
    void clear(const QString& field) const {
        find<QLineEdit>(field)->selectAll();
        QTest::keyClick(find<QLineEdit>(field), Qt::Key_Backspace);
    }
    // The keys reach the window's shortcuts from a button, where no field's
    // own typing takes them.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        find("Command2")->setFocus();
        QTest::keyClick(find("Command2"), key, modifiers);
    }
    bool stored(int step, int word) const { return this->word(plexa::stepBase(step, 4)) == word; }

    // Focus moves, and the keys reach shortcuts, in the active window only.
    void activate() {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    view::ProgressPainter painter;
    plexa::MainWindow window;
    test::Answers answers;  // a question nobody expected is cancelled
};

// Named after the controls, the header words over their fields.
TEST_F(PlexaWindow, NamesAndPlacesItsWidgets) {
    for (const char* name : {"Form1", "Label1(2)", "Text1(0)", "Text1(8)", "Text5(2)", "Text8(1)",
                             "Label22(1)", "Command3", "List1", "Combo3", "step", "progress"})
        EXPECT_EQ(window.findChildren<QWidget*>(name).size(), 1) << name;
    expectOver("Label2",
               {"Label1(0)", "Text1(0)", "Label1(1)", "Text1(1)", "Text1(2)", "Text1(3)",
                "Text1(4)", "Text5(0)", "Text5(1)", "Text5(2)"},
               {"Max.Step", "OutPutGroups", "Max.Output", "X0--Start", "x1--Start", "x2--Start",
                "x3--Start", "CurrentStep", "WorkMode", "HoldTime"});
    expectOver("Label22(0)", {"Text1(5)", "Text1(6)", "Text1(7)", "Text1(8)"},
               {"x4--Start", "x5--Start", "x6--Start", "x7--Start"});
}

// An output goes on, off and on again as the step shown changes; every
// refresh of the list takes this one path.
TEST_F(PlexaWindow, TheOutputListDrawsTheStepShown) {
    clickItem("List1", 3);
    EXPECT_TRUE(drawnOn(3));
    click("Command7");
    EXPECT_FALSE(drawnOn(3)) << "step 2";
    click("Command8");
    EXPECT_TRUE(drawnOn(3)) << "step 1 again";
}

TEST_F(PlexaWindow, PicksAndTypingReachTheFormAndItsStateShows) {
    auto* port = find<QComboBox>("Combo3");
    emit port->activated(2);
    EXPECT_EQ(form->Combo3.text(), "3");
    QTest::keyClicks(port->lineEdit(), "2");
    EXPECT_EQ(form->Combo3.text(), "32");
    type("Text2", "other");
    clickItem("File1", 0);
    EXPECT_TRUE(find<QListWidget>("File1")->item(0)->isSelected());
    EXPECT_EQ(find<QLineEdit>("Text2")->text(), "mernal");
    type("Text5(1)", "1");
    EXPECT_EQ(find<QLineEdit>("step")->text(), "1");  // step 1 of 12796, on a scale of 8000
    form->progress.setProgress(2, 5);
    EXPECT_TRUE(QTest::qWaitFor([this] { return find<QProgressBar>("progress")->value() == 2; }));
    EXPECT_EQ(find<QProgressBar>("progress")->maximum(), 5);
}

// Between blocks the event loop runs the two ticks and paints nothing; the
// block number and the bar are painted while the line carries a request,
// at most once a frame, and the last block shows once the transfer rests.
TEST_F(PlexaWindow, ATransferPaintsItsProgressOnlyWhileARequestIsOnTheLine) {
    port.setResponder(fake::controllerResponder(controller, 20));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // On a small screen the drawing scrolls: bring the number and the bar into sight.
    window.findChild<QScrollArea*>()->ensureWidgetVisible(find("progress"));
    QCoreApplication::processEvents();
    test::PaintCount paints;
    for (const char* name : {"Label10", "progress"}) find(name)->installEventFilter(&paints);
    form->Text8[1].setText("39");
    click("Command3");
    runTransfer(2000);  // the ticks by hand: no event loop runs
    const int frames = std::stoi(form->Label9.caption()) / view::ProgressPainter::kFrameMs;
    EXPECT_GE(paints.counts["Label10"], frames / 2);
    EXPECT_LE(paints.counts["Label10"], frames + 1);
    EXPECT_GE(paints.counts["progress"], 1);
    EXPECT_LE(paints.counts["progress"], frames + 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return find<QLabel>("Label10")->text() == " 39"; }));
    EXPECT_EQ(find<QProgressBar>("progress")->value(), 40);
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
        {"1", "40", "Command3", failing(99, {}),
         "Download done: blocks 0 to 40, 41 of 41 blocks "
         "sent in ",
         " s"},
        {"1", "40", "Command3", failing(27, {15, 15}),
         "Download stopped at block 27: 27 of 41 blocks sent in ", " s; refused 6 times"},
        {"1", "10", "Command5", failing(3, {}),
         "Upload stopped at block 3: 3 of 11 blocks read in ", " s; no reply 6 times"},
        {"5",
         "40",
         "Command3",
         {},
         "Download not started: 0 of 41 blocks sent; COM5: no such port",
         ""},
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
    EXPECT_TRUE(shown->isVisible());
    EXPECT_TRUE(window.rect().contains(QRect(shown->mapTo(&window, QPoint()), shown->size())));
    EXPECT_FALSE(window.findChild<QScrollArea*>()->isAncestorOf(shown));
}

// The box names the file that LoadFile reads: typing in it leaves the list,
// and a name without a file says that it made a new program. A save beyond
// the file size limit says why and leaves no file.
TEST_F(PlexaWindow, TheNameBoxNamesTheFileReadAndAFailedSaveLeavesNoFile) {
    EXPECT_EQ(window.windowTitle(), "mernal.qdf[*] - Plexa");
    type("Text5(1)", "2");
    click("Command2");  // saves user1.qdf
    clickItem("File1", 1);
    EXPECT_EQ(text("Text2"), "user1");
    type("Text2", "fountain6");
    EXPECT_EQ(form->File1.selectedIndex(), -1);
    EXPECT_TRUE(find<QListWidget>("File1")->selectedItems().isEmpty());
    click("Command1");
    EXPECT_EQ(form->Label13.caption(), "New program \"fountain6.qdf\" (empty)");
    EXPECT_EQ(window.windowTitle(), "fountain6.qdf[*] - Plexa");
    EXPECT_TRUE(stored(1, 0));
    clickItem("File1", 2);  // user1.qdf still loads when chosen in the list
    click("Command1");
    EXPECT_TRUE(stored(1, 20000));
#ifndef _WIN32
    type("Text2", "big");
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit limit = before;
    limit.rlim_cur = plexa::kProgramFileBytes / 3;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    click("Command2");
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, handler);
    EXPECT_TRUE(form->Label13.caption().ends_with("big.qdf: File too large"))
        << form->Label13.caption();
    const auto files = std::filesystem::directory_iterator(dataDir);
    EXPECT_EQ(std::distance(begin(files), end(files)), 3) << "mernal, user1 and fountain6 only";
#endif
}

// While a field is edited, a text below its lower limit stays as typed and
// the limit is stored; Enter or leaving the field shows what is stored. A
// text above the upper limit is shown back at once.
TEST_F(PlexaWindow, TypingBelowALowerLimitStaysAsTypedUntilTheFieldIsLeft) {
    activate();
    type("Text1(0)", "12");
    EXPECT_EQ(text("Text1(0)"), "12");
    EXPECT_EQ(word(0), 12);
    type("Text1(0)", "1");
    EXPECT_EQ(text("Text1(0)"), "1");
    EXPECT_EQ(word(0), 4);
    QTest::keyClick(find("Text1(0)"), Qt::Key_Return);
    EXPECT_EQ(text("Text1(0)"), "4");
    clear("Text5(0)");
    EXPECT_EQ(text("Text5(0)"), "");
    QTest::keyClicks(find("Text5(0)"), "5");
    type("Text5(1)", "3");
    EXPECT_EQ(word(plexa::stepBase(5, 4)), 30000) << "the edit lands on step 5";
    find("Text7")->setFocus();
    type("Text7", "0");
    EXPECT_EQ(text("Text7"), "0");
    find("Text6")->setFocus();
    EXPECT_EQ(text("Text7"), "1");
    type("Text7", "9999");
    EXPECT_EQ(text("Text7"), "4700");
}

// Exit, closing, LoadFile and UpLoad ask before unsaved edits are lost:
// Cancel keeps everything, Discard goes on, Save writes the title's file.
TEST_F(PlexaWindow, UnsavedEditsAreAskedAboutBeforeTheyAreLost) {
    click("Command4");
    EXPECT_EQ(quits, 1);
    type("Text5(1)", "2");
    EXPECT_TRUE(window.isWindowModified());
    for (const char* command : {"Command1", "Command5", "Command4"}) click(command);
    EXPECT_FALSE(window.close());
    EXPECT_EQ(answers.asked, QStringList(4, "Save them to \"mernal.qdf\" first?"));
    EXPECT_TRUE(stored(1, 20000) && form->Command3.enabled() && quits == 1);
    EXPECT_FALSE(std::filesystem::exists(dataDir / "user1.qdf"));
    answers.answer = QMessageBox::Discard;
    click("Command4");
    EXPECT_EQ(quits, 2);
    answers.answer = QMessageBox::Save;
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isWindowModified());
    std::vector<std::uint8_t> image(plexa::kProgramFileBytes);
    std::string error;
    ASSERT_TRUE(base::loadImage(dataDir / "mernal.qdf", image, error));
    EXPECT_EQ(image, plexa::fileImage(form->ProgramTable));
    EXPECT_EQ(answers.asked.size(), 6);
}

// Every kind of change is undone by Ctrl+Z and redone by Ctrl+Shift+Z and
// Ctrl+Y; the step changed is shown, and back at the saved state the mark
// goes. A field's own typing is undone in the field first.
TEST_F(PlexaWindow, UndoAndRedoShowTheStepChanged) {
    const std::vector<std::function<void()>> changes = {
        [this] { type("Text5(1)", "2"); },
        [this] {
            click("Command7");
            clickItem("List1", 3);
        },
        [this] {
            form->Check1.click();
            click("Command6");
        },
        [this] {
            click("Command7");
            click("Command11");
        },
        [this] { type("Text1(0)", "5"); },
        [this] {
            type("Text2", "other");
            answers.answer = QMessageBox::Discard;
            click("Command1");
        },
    };
    activate();
    std::vector<std::vector<std::uint8_t>> images = {plexa::fileImage(form->ProgramTable)};
    std::vector<QString> steps;
    for (const auto& change : changes) {
        change();
        images.push_back(plexa::fileImage(form->ProgramTable));
        steps.push_back(text("Text5(0)"));
    }
    for (size_t n = changes.size(); n-- > 0;) {
        press(Qt::Key_Z);
        EXPECT_EQ(plexa::fileImage(form->ProgramTable), images[n]) << n;
        EXPECT_EQ(text("Text5(0)"), steps[n]) << n;
    }
    EXPECT_TRUE(window.isWindowModified()) << "other.qdf was loaded last";
    for (size_t n = 1; n <= changes.size(); ++n) {
        if (n % 2) {
            press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        } else {
            press(Qt::Key_Y);
        }
        EXPECT_EQ(plexa::fileImage(form->ProgramTable), images[n]) << n;
    }
    EXPECT_FALSE(window.isWindowModified());
    type("Text5(2)", "7");
    QTest::keyClick(find("Text5(2)"), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(text("Text5(2)"), "0");
    EXPECT_FALSE(form->history.canRedo()) << "the field's typing, not the table's step, undone";
}

}  // namespace
