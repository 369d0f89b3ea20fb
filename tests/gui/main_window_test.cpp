#include "plexa/view/main_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>

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

    view::ProgressPainter painter;
    plexa::MainWindow window;
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

}  // namespace
