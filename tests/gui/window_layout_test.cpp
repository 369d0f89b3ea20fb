// What the user sees of both windows, on the screen and at the scale that
// ctest gives this test (1366 x 768 at scale 1, 1920 x 1080 at scale 2):
// no text cut off in any state, every line of the port scan in sight, the
// output list as high as its field says, and no scroll bar the content does
// not need.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>

#include <functional>
#include <string>

#include "absent_port.h"
#include "corvel/view/main_window.h"
#include "plexa/view/main_window.h"
#include "temp_dir.h"
#include "text_room.h"
#include "view/fitting.h"
#include "window_probe.h"

namespace {

// Both programs' windows over forms on a hand-driven clock, in a fresh data
// directory, with no serial ports.
class Windows : public ::testing::Test {
  protected:
    Windows()
        : plexaForm({temp.path() / "dovra", clock, absent, [] {}}),
          corvelForm({temp.path() / "dovra", clock, absent, {}}),
          plexa(plexaForm),
          corvel(corvelForm) {
        plexaForm.load();
        corvelForm.load();
        plexa.show();
        corvel.show();
    }

    static QScrollArea* scrollOf(QMainWindow& window) {
        return qobject_cast<QScrollArea*>(window.centralWidget());
    }
    // Collects the controls that cut their text in the state named.
    void look(QMainWindow& window, const std::string& state) {
        QCoreApplication::processEvents();
        for (const QString& name : test::TextRoom(scrollOf(window)->widget()).cut())
            cut.push_back(state + ": " + name.toStdString());
    }
    std::string cutList() const {
        std::string list;
        for (const std::string& name : cut) list += name + "\n";
        return list;
    }
    void tick() {
        plexaForm.timers.advance(clock, 1000);
        corvelForm.timers.advance(clock, 1000);
    }

    test::TempDir temp;
    ui::ManualClock clock;
    test::AbsentPort absent;
    plexa::Form1 plexaForm;
    corvel::Form1 corvelForm;
    plexa::MainWindow plexa;
    corvel::MainWindow corvel;
    std::vector<std::string> cut;
};

TEST_F(Windows, PlexaCutsNoTextInAnyState) {
    look(plexa, "design texts");
    tick();
    look(plexa, "started");
    plexaForm.Text1[0].type("16");
    plexaForm.Text5[0].type("3763");
    for (int k = 0; k < 34; ++k) plexaForm.ProgramTable.setByte(2 * 3763 * 17 + k, 0xFF);
    plexaForm.Text5[1].type("4");
    tick();
    look(plexa, "16 groups, jump, every word FFFF");
    for (const char* status :
         {"CommunicateUnsuccessfully", "CommunicationDataError", "端口不能收到数据",
          "No COM port Combo3: choose a port from 1 to 16"}) {
        plexaForm.Label13.setCaption(status);
        plexaForm.Label10.setCaption(" 8000");
        plexaForm.Label9.setCaption(" 9999999 ms");
        look(plexa, status);
    }
    plexaForm.Text6.type("20");
    plexaForm.Text7.type("1");
    look(plexa, "20 columns, 1 twip high");
    EXPECT_EQ(cutList(), "");
}

TEST_F(Windows, CorvelCutsNoTextInAnyStateOrPanel) {
    look(corvel, "design texts");
    tick();
    corvelForm.Command7.click();
    look(corvel, "additional panel");
    corvelForm.Text5[0].type("1");
    corvelForm.Command7.click();
    tick();
    look(corvel, "additional panel closed, unit 0.1 s");
    for (int mode = 0; mode <= 7; ++mode) {
        corvelForm.Text1[0].type(std::to_string(mode));
        tick();
        look(corvel, "work mode " + std::to_string(mode));
    }
    corvelForm.Text1[5].type("9");  // mode 6 with unequal fields: "MultipleMove "
    corvelForm.Text1[0].type("6");
    tick();
    look(corvel, "mode 6 multiple move");
    corvelForm.Text1[0].type("7");
    tick();
    corvelForm.Command8.click();
    corvelForm.Check2.click();
    look(corvel, "bit panel, just opened");
    tick();
    look(corvel, "bit panel");
    corvelForm.Options.select(corvel::Control);
    corvelForm.timers.advance(clock, 100);
    corvelForm.Check1.click();
    look(corvel, "control");
    for (const char* status : {"the port can not receive the date", "Communication data error ",
                               "the communication is normal"}) {
        corvelForm.Label13.setCaption(status);
        corvelForm.Label10.setCaption(" 242");
        corvelForm.Label9.setCaption(" 9999999 ms");
        look(corvel, status);
    }
    EXPECT_EQ(cutList(), "");
}

// Every line of the scan shows whole: all sixteen ports failed here, whose
// lines are the longest.
TEST_F(Windows, BothShowEveryLineOfThePortScan) {
    for (QMainWindow* window :
         {static_cast<QMainWindow*>(&plexa), static_cast<QMainWindow*>(&corvel)}) {
        QCoreApplication::processEvents();
        auto* lines = window->findChild<QPlainTextEdit*>("Form1");
        ASSERT_TRUE(lines);
        ASSERT_EQ(lines->blockCount(), 16);
        EXPECT_TRUE(lines->toPlainText().endsWith("出错或占用Com号=  1"));
        // As the surface lays out its lines: from the margin down, each line
        // with the margins either side, the last with the margin below it
        // and a pixel to spare.
        const QTextDocument* text = lines->document();
        QSizeF used(0, text->documentMargin() + 1);
        for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
            const QRectF rect = text->documentLayout()->blockBoundingRect(block);
            used = QSizeF(std::max(used.width(), rect.width()), used.height() + rect.height());
        }
        const std::string name = window->windowTitle().toStdString();
        EXPECT_LE(used.width(), lines->viewport()->width()) << name;
        EXPECT_LE(used.height(), lines->viewport()->height()) << name;
        EXPECT_EQ(lines->verticalScrollBar()->value(), 0);
    }
}

// 2500 twips, the field's design value, show the 256 outputs in 16 rows of
// 16 from the start; typing the value it holds changes nothing, and half of
// it shows half the rows.
TEST_F(Windows, PlexasListIsAsHighAsItsFieldSaysFromTheStart) {
    test::WindowProbe probe{&plexa, scrollOf(plexa)->widget()};
    auto* list = probe.find<QListWidget>("List1");
    QCoreApplication::processEvents();
    const auto itemRect = [list](int n) { return list->visualItemRect(list->item(n)); };
    EXPECT_EQ(itemRect(15).top(), itemRect(0).top());
    EXPECT_GT(itemRect(16).top(), itemRect(15).top());
    EXPECT_LE(itemRect(255).bottom(), list->viewport()->height());
    EXPECT_FALSE(list->verticalScrollBar()->isVisible());
    const int height = list->height();
    const QRect below = probe.place("Text1(5)");
    tick();
    probe.type("Text7", "2500");
    QCoreApplication::processEvents();
    EXPECT_EQ(list->height(), height);
    EXPECT_EQ(probe.place("Text1(5)"), below);
    probe.type("Text7", "1250");
    QCoreApplication::processEvents();
    EXPECT_EQ(list->viewport()->height(), 8 * list->gridSize().height());
    EXPECT_GT(list->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(itemRect(15).top(), itemRect(0).top()) << "the bar moves no column";
}

// A scroll bar shows only where the content is larger than the screen's
// room, and none at scale 1 on 1366 x 768; the window opens within that room.
TEST_F(Windows, BothOpenWithTheScrollBarsTheirContentNeedsOnly) {
    for (QMainWindow* window :
         {static_cast<QMainWindow*>(&plexa), static_cast<QMainWindow*>(&corvel)}) {
        const std::string name = window->windowTitle().toStdString();
        QCoreApplication::processEvents();
        const QSize room = view::screenRoom(window);
        EXPECT_TRUE(window->width() <= room.width() && window->height() <= room.height()) << name;
        QScrollArea* scroll = scrollOf(*window);
        const QSize content =
            scroll->widget()->minimumSizeHint().expandedTo(scroll->widget()->minimumSize());
        if (scroll->horizontalScrollBar()->isVisible()) {
            EXPECT_GT(content.width(), room.width()) << name;
        }
        if (scroll->verticalScrollBar()->isVisible()) {
            EXPECT_GT(content.height(), room.height()) << name;
        }
        if (window->devicePixelRatio() == 1) {
            EXPECT_TRUE(content.width() <= room.width() && content.height() <= room.height())
                << name;
        }
    }
}

}  // namespace
