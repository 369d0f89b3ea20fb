#include "corvel/view/main_window.h"

#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyleOptionGroupBox>

#include "form_scenario.h"
#include "window_probe.h"

namespace {

// Corvel's window over a form on a hand-driven clock, with no serial ports.
class CorvelWindow : public test::FormTest<corvel::Form1>, public test::WindowProbe {
  protected:
    CorvelWindow() : painter(clock), window((noPorts(), start()), painter) {
        root = &window;
        drawing = find<QScrollArea>("")->widget();
        window.show();
        tick();  // the first header refresh lets edits reach the table
    }

    // Ctrl+ key from a button, where no field's own typing takes it.
    void press(Qt::Key key) {
        find("Command2")->setFocus();
        QTest::keyClick(find("Command2"), key, Qt::ControlModifier);
    }

    view::ProgressPainter painter;
    corvel::MainWindow window;
    test::Answers answers;  // a question nobody expected is cancelled
};

// Named after the controls, each widget shows its control's state and feeds
// the user's picks back.
TEST_F(CorvelWindow, NamesItsWidgetsAfterTheirControlsAndBindsThem) {
    for (const char* name : {"Form1", "Combo2", "Text1(0)", "Text1(17)", "Text5(0)", "Text5(8)",
                             "Label7(0)", "Label7(3)", "Option1", "Option6", "List2", "progress"})
        EXPECT_EQ(window.findChildren<QWidget*>(name).size(), 1) << name;
    EXPECT_EQ(find<QListWidget>("File1")->findItems("mernal.sav", Qt::MatchExactly).size(), 1);
    emit find<QComboBox>("Combo2")->activated(5);
    EXPECT_EQ(form->Combo2.text(), "5");
    QTest::mouseClick(find<QRadioButton>("Option3"), Qt::LeftButton);
    EXPECT_EQ(form->Options.selected(), corvel::Pause);
    click("Command3");
    EXPECT_EQ(find<QLabel>("StatusBar1")->text(),
              "Download not started: 0 of 240 blocks sent; No COM port Combo3: choose a port from "
              "1 to 16");
    form->Options.setOptionEnabled(corvel::Monitor, false);  // as during a transfer
    EXPECT_FALSE(find<QRadioButton>("Option5")->isEnabled());
    EXPECT_TRUE(find<QRadioButton>("Option6")->isEnabled());
}

// A lamp is lit where its line shows an "I" rather than a ".": the upper
// half of its character cell has ink.
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
    // Greyed while Monitor has read nothing (here: no port opens).
    QTest::mouseClick(find<QRadioButton>("Option5"), Qt::LeftButton);
    tick(100);
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
    const QImage image = panel->grab().toImage();
    EXPECT_GT(title.top(), 0);
    EXPECT_NE(QColor(image.pixel(title.center().x(), 0)), panel->palette().color(QPalette::Window));
    std::vector<QString> fields;
    for (int i = 0; i < 9; ++i) fields.push_back(QString("Text5(%1)").arg(i));
    expectOver("Label22", fields,
               {"PA00", "PA01", "PA02", "PQ03", "PA04", "PA05", "PA06", "PA07", "PA08"});
    expectOver(
        "Label23", fields,
        {"TimeUnit", "Num", "PumpNO.", "Num.", "pump NO.", "Num.", "Pump NO.", "Num.", "pump NO."});
}

// Neither the output list of Control nor the bit panel of mode 7 covers a
// lamp line.
void expectLampLinesInSight(const test::WindowProbe& probe) {
    for (int m = 0; m < 4; ++m) {
        const QString name = QString("Label7(%1)").arg(m);
        EXPECT_EQ(probe.drawing->childAt(probe.place(name).center()), probe.find(name)) << m;
    }
}

// Mode 7 leaves the mask fields bare and shows their bits in a panel, a mask
// byte a line; the panel, and Control's, leave the lamp lines in sight.
TEST_F(CorvelWindow, Mode7HeaderWordsStandOverTheirFieldsAndThePanelsLeaveTheLampsInSight) {
    type("Text1(0)", "7");
    tick();
    expectOver("Label2",
               {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text1(4)", "Text1(7)", "Text1(8)",
                "Text1(9)"},
               {"WorkMode", "Interval", "HoldTime", "WorkNumber", "A-start", "00--O7", "08--15",
                "16--23"});
    click("Command8");
    ASSERT_TRUE(find("Frame4")->isVisible());
    expectLampLinesInSight(*this);
    auto* bits = find<QListWidget>("List2");
    const auto corner = [bits](int n) { return bits->visualItemRect(bits->item(n)).topLeft(); };
    EXPECT_EQ(corner(7).y(), corner(0).y());
    EXPECT_EQ(corner(8).x(), corner(0).x());
    QTest::mouseClick(find<QRadioButton>("Option6"), Qt::LeftButton);
    tick(100);
    ASSERT_TRUE(find("Frame2")->isVisible());
    expectLampLinesInSight(*this);
}

// WorkNumber cleared and typed 5 stores 5; the name box names the file
// loaded, after a question about the unsaved edit; an undo of the load shows
// the program changed and the mark, a redo takes the mark away.
TEST_F(CorvelWindow, TypedNumbersTheFileLoadedAndTheLoadsUndoAreTheUsers) {
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(window.windowTitle(), "mernal.sav[*] - Corvel");
    auto* workNumber = find<QLineEdit>("Text1(3)");
    workNumber->setFocus();
    workNumber->selectAll();
    QTest::keyClick(workNumber, Qt::Key_Backspace);
    EXPECT_EQ(workNumber->text(), "");
    EXPECT_EQ(form->ProgramTable.at(0, 5), 1);
    QTest::keyClicks(workNumber, "5");
    EXPECT_EQ(form->ProgramTable.at(0, 5), 5);
    EXPECT_TRUE(window.isWindowModified());
    clickItem("File1", 0);
    type("Text2", "fountain7");
    EXPECT_EQ(form->File1.selectedIndex(), -1);
    click("Command1");
    EXPECT_EQ(answers.asked, QStringList{"Save them to \"mernal.sav\" first?"});
    EXPECT_EQ(form->ProgramTable.at(0, 5), 5) << "cancelled";
    answers.answer = QMessageBox::Discard;
    click("Command1");
    EXPECT_EQ(form->Label13.caption(), "New program \"fountain7.sav\" (empty)");
    EXPECT_EQ(window.windowTitle(), "fountain7.sav[*] - Corvel");
    EXPECT_EQ(form->ProgramTable.at(0, 5), 0);
    emit find<QComboBox>("Combo1")->activated(2);
    press(Qt::Key_Z);
    EXPECT_EQ(form->ProgramTable.at(0, 5), 5);
    EXPECT_EQ(form->Combo1.text(), "PA");
    EXPECT_EQ(workNumber->text(), "5");
    EXPECT_TRUE(window.isWindowModified());
    press(Qt::Key_Y);
    EXPECT_FALSE(window.isWindowModified());
    EXPECT_TRUE(window.close()) << "nothing to ask";
    EXPECT_EQ(answers.asked.size(), 2);
}

}  // namespace
