#include "corvel/view/main_window.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTest>
#include <memory>
#include <vector>

#include "absent_port.h"
#include "temp_dir.h"
#include "ui/control_array.h"
#include "view/header_label.h"
#include "window_probe.h"

namespace {

// The fields of grid row 1 and row 2, in order.
std::vector<QString> fields(int first, int count) {
    std::vector<QString> names;
    for (int i = first; i < first + count; ++i)
        names.push_back(QString::fromStdString(ui::indexedName("Text1", i)));
    return names;
}

// Corvel's window over a form on a hand-driven clock, in a fresh data
// directory, with no serial ports.
class CorvelWindow : public ::testing::Test, public test::WindowProbe {
  protected:
    CorvelWindow() : dataDir(temp.path() / "dovra") {
        form = std::make_unique<corvel::Form1>(corvel::Environment{dataDir, clock, absent, {}});
        window = std::make_unique<corvel::MainWindow>(*form);
        root = window.get();
        drawing = find<QScrollArea>("")->widget();
        form->load();
        window->show();
        QCoreApplication::processEvents();
    }

    // One header refresh; the first lets edits reach the table.
    void tick() {
        form->timers.advance(clock, 1000);
        QCoreApplication::processEvents();
    }

    test::TempDir temp;
    std::filesystem::path dataDir;
    ui::ManualClock clock;
    test::AbsentPort absent;
    std::unique_ptr<corvel::Form1> form;
    std::unique_ptr<corvel::MainWindow> window;
};

TEST_F(CorvelWindow, ShowsEveryControlOfTheForm) {
    // Form1 inside the window is its surface, the port scan's lines.
    QStringList names = {"Form1",    "Picture1", "Label14",  "Label12",  "Label5",   "Combo1",
                         "Label6",   "Combo2",   "Label1",   "Label2",   "Label3",   "Label4",
                         "Label25",  "Label8",   "Command7", "Command8", "Frame3",   "Label22",
                         "Label23",  "Label24",  "Command2", "Text2",    "Command1", "File1",
                         "Command3", "Command5", "Combo3",   "Frame1",   "Frame2",   "List1",
                         "Label18",  "Label19",  "Label20",  "Text3",    "Text4",    "Check1",
                         "Label21",  "Command6", "Frame4",   "List2",    "Label28",  "Label27",
                         "Text7",    "Text6",    "Check2",   "Label26",  "Command9", "Label11",
                         "Label13",  "Label10",  "Label9",   "progress"};
    for (int i = 0; i < 18; ++i) names << QString::fromStdString(ui::indexedName("Text1", i));
    for (int i = 0; i < 9; ++i) names << QString::fromStdString(ui::indexedName("Text5", i));
    for (int i = 0; i < 4; ++i) names << QString::fromStdString(ui::indexedName("Label7", i));
    for (const QString& name : names)
        EXPECT_EQ(window->findChildren<QWidget*>(name).size(), 1) << name.toStdString();
    EXPECT_EQ(window->objectName(), "Form1");
    const QStringList options = {"SingleDemo", "Circulate", "Pause", "Stop", "Monitor", "Control"};
    for (int i = 0; i < 6; ++i) {
        auto* option = find<QRadioButton>(QString("Option%1").arg(i + 1));
        EXPECT_EQ(option->text(), options[i]);
        EXPECT_EQ(option->isChecked(), i == corvel::Stop);
    }
    EXPECT_FALSE(find<QComboBox>("Combo1")->isEditable());
    EXPECT_EQ(find<QComboBox>("Combo1")->currentText(), "PA");
    EXPECT_EQ(find<QComboBox>("Combo2")->count(), 30);
    EXPECT_EQ(find<QListWidget>("List2")->count(), 64);
    EXPECT_EQ(find<QLineEdit>("Text1(1)")->maxLength(), 5);
    EXPECT_FALSE(find<QGroupBox>("Frame3")->isVisible());
    EXPECT_FALSE(find<QPushButton>("Command8")->isVisible());
}

TEST_F(CorvelWindow, FitsASmallScreenAndTheLampLinesFitTheirLabels) {
    const QSize size = drawing->size();
    EXPECT_LE(size.width(), 1366 - 40);
    EXPECT_LE(size.height(), 768 - 80);
    form->Label7[3].setCaption(std::string(32, 'I') + std::string(32, '.'));
    auto* lamps = find<QLabel>("Label7(3)");
    const QFontMetrics metrics = lamps->fontMetrics();
    EXPECT_EQ(metrics.horizontalAdvance('I'), metrics.horizontalAdvance('.'));
    EXPECT_LE(metrics.horizontalAdvance(lamps->text()), lamps->contentsRect().width());
}

// A click at the middle of a shown control reaches that control.
TEST_F(CorvelWindow, NothingLiesOverTheControlsThatTakeInput) {
    auto expectOnTop = [this](QWidget* widget) {
        const QPoint middle = widget->mapTo(drawing, widget->rect().center());
        QWidget* found = drawing->childAt(middle);
        EXPECT_TRUE(found == widget || widget->isAncestorOf(found))
            << widget->objectName().toStdString() << " is under "
            << (found ? found->objectName().toStdString() : "nothing");
    };
    // Every control but those in the rectangle that a panel covers.
    auto expectAllOnTop = [&](const QRect& covered) {
        for (QWidget* widget : drawing->findChildren<QWidget*>()) {
            const bool input =
                qobject_cast<QAbstractButton*>(widget) || qobject_cast<QComboBox*>(widget) ||
                qobject_cast<QListWidget*>(widget) ||
                (qobject_cast<QLineEdit*>(widget) && !qobject_cast<QComboBox*>(widget->parent()));
            const QRect rect(widget->mapTo(drawing, QPoint(0, 0)), widget->size());
            const bool inPanel = find<QWidget>("Frame3")->isAncestorOf(widget);
            if (input && widget->isVisible() && (inPanel || !rect.intersects(covered)))
                expectOnTop(widget);
        }
    };
    expectAllOnTop({});
    click("Command7");  // the panel over the grid, and over nothing else
    expectAllOnTop(find<QWidget>("Frame3")->geometry());
}

TEST_F(CorvelWindow, HeaderWordsStandOverTheirFieldsInEveryWorkMode) {
    tick();
    expectOver("Label1", fields(0, 10),
               {"F--n", "LP-t", "Pu-t", "LP-C", "A-St", "A-nu", "A-Fr", "B-St", "B-nu", "B-Fr"});
    expectOver("Label4", fields(10, 8),
               {"C-Start", "C-quantity", "C-End", "D-start", "D-Quantity", "D-End", "StartPoints",
                "Additional"});
    type("Text1(0)", "6");
    tick();
    expectOver("Label2", fields(0, 10),
               {"WorkMode", "Interval", "HoldTime", "WorkNumber", "A-start", "MoveBits", "A-End",
                "OpenPoints", "StopNumber", "ClosePoints"});
    expectOver("Label4", fields(10, 8),
               {"C-start", "MoveBits", "C-End", "OpenPoints", "StopQuantity", "ClosePoints",
                "StartPoints", "Additional"});
    type("Text1(0)", "7");
    tick();
    // No words over A-quantity and A-End, nor over D-End and StartPoints.
    expectOver("Label2",
               {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text1(4)", "Text1(7)", "Text1(8)",
                "Text1(9)"},
               {"WorkMode", "Interval", "HoldTime", "WorkNumber", "A-start", "00--O7", "08--15",
                "16--23"});
    expectOver("Label4",
               {"Text1(10)", "Text1(11)", "Text1(12)", "Text1(13)", "Text1(14)", "Text1(17)"},
               {"24--31", "32--39", "40--47", "48--55", "56--63", "Additional"});
}

TEST_F(CorvelWindow, PickingAProgramCodeShowsItsRow) {
    form->ProgramTable.set(5, 0, 3);
    form->ProgramTable.set(5, 6, 200);
    form->ProgramTable.set(5, 19, 17);
    auto* code = find<QComboBox>("Combo2");
    emit code->activated(5);
    EXPECT_EQ(form->Combo2.text(), "5");
    EXPECT_EQ(code->currentText(), "5");
    EXPECT_EQ(text("Text1(0)"), "3");
    EXPECT_EQ(text("Text1(4)"), "200");
    EXPECT_EQ(text("Text1(17)"), "17");
}

TEST_F(CorvelWindow, TypingIsStoredAndShownWithinItsLimits) {
    tick();
    type("Text1(4)", "300");
    EXPECT_EQ(text("Text1(4)"), "255");
    EXPECT_EQ(form->ProgramTable.at(0, 6), 255);
    QTest::keyClicks(find<QLineEdit>("Text1(4)"), "9");  // a fourth character
    EXPECT_EQ(text("Text1(4)"), "255");
}

TEST_F(CorvelWindow, TheBitPanelOfWorkMode7SetsTheMaskBytes) {
    tick();
    type("Text1(0)", "7");
    tick();
    ASSERT_TRUE(find<QPushButton>("Command8")->isVisible());
    click("Command8");
    ASSERT_TRUE(find<QGroupBox>("Frame4")->isVisible());
    auto* bits = find<QListWidget>("List2");
    QTest::mouseClick(bits->viewport(), Qt::LeftButton, {},
                      bits->visualItemRect(bits->item(10)).center());
    EXPECT_EQ(text("Text1(8)"), "4");
    EXPECT_TRUE(bits->item(10)->isSelected());
    QWidget* top = drawing->childAt(place("Label7(1)").center());
    EXPECT_TRUE(find<QWidget>("Frame4")->isAncestorOf(top));
    // Entry 10 starts the second line: one line for each mask byte.
    EXPECT_EQ(bits->visualItemRect(bits->item(8)).left(),
              bits->visualItemRect(bits->item(0)).left());
    EXPECT_GT(bits->visualItemRect(bits->item(8)).top(), bits->visualItemRect(bits->item(7)).top());
}

TEST_F(CorvelWindow, PanelsComeOverWhatTheyCoverAndOptionsShowTheirState) {
    click("Command7");
    const QRect grid = place("Text1(4)");
    QWidget* top = drawing->childAt(grid.center());
    ASSERT_NE(top, nullptr);
    EXPECT_TRUE(top == find<QWidget>("Frame3") || find<QWidget>("Frame3")->isAncestorOf(top));

    QTest::mouseClick(find<QRadioButton>("Option3"), Qt::LeftButton);
    EXPECT_EQ(form->Options.selected(), corvel::Pause);
    EXPECT_FALSE(find<QRadioButton>("Option4")->isChecked());
    form->Options.setOptionEnabled(corvel::Monitor, false);  // as during a transfer
    EXPECT_FALSE(find<QRadioButton>("Option5")->isEnabled());
    EXPECT_TRUE(find<QRadioButton>("Option6")->isEnabled());
}

}  // namespace
