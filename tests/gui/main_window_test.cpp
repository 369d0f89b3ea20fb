#include "plexa/view/main_window.h"

#include <gtest/gtest.h>

#include <QProgressBar>
#include <vector>

#include "plexa/link_fixture.h"
#include "window_probe.h"

namespace {

// Plexa's window over a form on a hand-driven clock, its port answered by a
// simulated controller.
class PlexaWindow : public test::PlexaFormTest, public test::WindowProbe {
  protected:
    PlexaWindow() : window(startLinked()) {
        root = drawing = &window;
        window.show();
    }
    // Whether output n is drawn on: its item's corner has the dark selection
    // colour, not the white of an item off nor the pale one under the mouse.
    bool drawnOn(int n) const {
        auto* list = find<QListWidget>("List1");
        const QRect item = list->visualItemRect(list->item(n)).adjusted(2, 2, 0, 0);
        return qGray(drawn(list->viewport(), item).pixel(0, 0)) < 192;
    }

    plexa::MainWindow window;
};

TEST_F(PlexaWindow, NamesItsWidgetsAfterTheirControlsAndExplainsTheLine) {
    for (const char* name : {"Form1", "Label1(2)", "Text1(0)", "Text1(8)", "Text5(2)", "Text8(1)",
                             "Label22(1)", "Command3", "List1", "Combo3", "step", "progress"})
        EXPECT_EQ(window.findChildren<QWidget*>(name).size(), 1) << name;
    for (const char* name : {"Text8(0)", "Text8(1)", "Combo3", "progress"})
        EXPECT_FALSE(find(name)->toolTip().isEmpty()) << name;
    const QString help = find("Label13")->toolTip();
    for (const char* line :
         {"端口不能收到数据: a block sent was refused or got no reply",
          "CommunicationDataError: a block asked for was refused or got no reply",
          "CommunicateUnsuccessfully: a reply came but was wrong", "CommunicateSuccessfully: "})
        EXPECT_TRUE(help.contains(QString::fromUtf8(line))) << line;
}

TEST_F(PlexaWindow, TheStepIndicatorFollowsTheWorkModeTyped) {
    type("Text5(1)", "1");
    EXPECT_EQ(find<QLineEdit>("step")->text(), "1");  // step 1 of 12796, on a scale of 8000
}

TEST_F(PlexaWindow, HeaderWordsStandOverTheirFields) {
    expectOver("Label2",
               {"Label1(0)", "Text1(0)", "Label1(1)", "Text1(1)", "Text1(2)", "Text1(3)",
                "Text1(4)", "Text5(0)", "Text5(1)", "Text5(2)"},
               {"Max.Step", "OutPutGroups", "Max.Output", "X0--Start", "x1--Start", "x2--Start",
                "x3--Start", "CurrentStep", "WorkMode", "HoldTime"});
    expectOver("Label22(0)", {"Text1(5)", "Text1(6)", "Text1(7)", "Text1(8)"},
               {"x4--Start", "x5--Start", "x6--Start", "x7--Start"});
}

TEST_F(PlexaWindow, TheOutputListDrawsTheStepShown) {
    type("Text2", "blank");
    click("Command2");
    clickItem("List1", 3);
    EXPECT_TRUE(drawnOn(3));
    click("Command7");
    EXPECT_FALSE(drawnOn(3)) << "step 2";
    click("Command8");
    EXPECT_TRUE(drawnOn(3)) << "step 1 again";
    click("Command1");
    EXPECT_FALSE(drawnOn(3)) << "the blank file loaded";
    auto* files = find<QListWidget>("File1");
    const int blank = files->row(files->findItems("blank.qdf", Qt::MatchExactly).value(0));
    type("Text2", "other");
    clickItem("File1", blank);
    EXPECT_TRUE(files->item(blank)->isSelected());
    EXPECT_EQ(find<QLineEdit>("Text2")->text(), "blank");

    ctrlsim::Block data{4};  // four groups
    data[12] = 0x08;         // step 1, output 3
    controller.setPlexaBlock(1, data);
    form->Text8[0].type("1");
    form->Text8[1].type("2");
    click("Command5");
    runTransfer(5000);
    EXPECT_TRUE(drawnOn(3)) << "uploaded";
    EXPECT_EQ(find<QProgressBar>("progress")->value(), 2);
    EXPECT_EQ(find<QProgressBar>("progress")->maximum(), 2);
}

TEST_F(PlexaWindow, TheLineLabelsHoldTheirLongestTextsSoNothingMoves) {
    const auto places = [this] {
        std::vector<QRect> rects;
        for (QWidget* widget : window.findChildren<QWidget*>()) rects.push_back(widget->geometry());
        return rects;
    };
    QCoreApplication::processEvents();
    const auto before = places();
    form->Label10.setCaption(" 99999");
    form->Label9.setCaption(" 9999999 ms");
    form->Label13.setCaption("CommunicateUnsuccessfully");
    QCoreApplication::processEvents();
    EXPECT_EQ(places(), before);
    QWidget* content = qobject_cast<QScrollArea*>(window.centralWidget())->widget();
    const int width = content->width();
    form->Label13.setCaption("Cannot save /home/" + std::string(200, 'x') + ": Permission denied");
    QCoreApplication::processEvents();
    EXPECT_EQ(content->width(), width) << "a long error wraps";
}

TEST_F(PlexaWindow, APortIsPickedOrTypedAndTheColumnFieldShapesTheOutputList) {
    auto* port = find<QComboBox>("Combo3");
    emit port->activated(2);
    EXPECT_EQ(form->Combo3.text(), "3");
    QTest::keyClicks(port->lineEdit(), "2");
    EXPECT_EQ(form->Combo3.text(), "32");

    auto* list = find<QListWidget>("List1");
    const auto top = [list](int n) { return list->visualItemRect(list->item(n)).top(); };
    type("Text6", "4");  // four outputs a line
    QCoreApplication::processEvents();
    EXPECT_EQ(top(3), top(0));
    EXPECT_GT(top(4), top(3));
}

}  // namespace
