// Both windows as a user sees them, on the screen and at the scale ctest
// gives (1366 x 768 at scale 1, 1920 x 1080 at scale 2): no text cut off in
// any state, every port-scan line in sight, Plexa's list as high as its field
// says, and no scroll bar the content does not need.
#include <gtest/gtest.h>

#include <QTest>

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include "absent_port.h"
#include "corvel/view/main_window.h"
#include "plexa/view/main_window.h"
#include "temp_dir.h"
#include "text_room.h"
#include "view/fitting.h"
#include "window_probe.h"

namespace {

// Both windows over forms on a hand-driven clock, with no serial ports.
class Windows : public ::testing::Test {
  protected:
    Windows()
        : plexaForm({temp.path(), clock, absent, [] {}}),
          corvelForm({temp.path(), clock, absent, {}}),
          painter(clock),
          plexa(plexaForm, painter),
          corvel(corvelForm, painter) {
        plexaForm.load();
        corvelForm.load();
        plexa.show();
        corvel.show();
    }
    static QScrollArea* scrollOf(QMainWindow* window) {
        return qobject_cast<QScrollArea*>(window->centralWidget());
    }
    // Notes the controls that cut their text in the state named, once the
    // transfer's labels show it.
    void look(QMainWindow* window, const std::string& state) {
        settle(window);
        for (const QString& name : test::cutTexts(scrollOf(window)->widget()))
            cut += state + ": " + name.toStdString() + "\n";
    }
    // Waits until the drawing keeps its size for two frames: on a busy
    // machine a layout may land later than the first frames.
    static QSize settle(QMainWindow* window) {
        QSize size;
        for (int frames = 0; frames < 50 && size != scrollOf(window)->widget()->size(); ++frames) {
            size = scrollOf(window)->widget()->size();
            QTest::qWait(2 * view::ProgressPainter::kFrameMs);
        }
        return size;
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
    view::ProgressPainter painter;
    plexa::MainWindow plexa;
    corvel::MainWindow corvel;
    std::string cut;
};

TEST_F(Windows, PlexaCutsNoTextInAnyState) {
    look(&plexa, "design texts");
    tick();
    plexaForm.Text1[0].type("16");
    plexaForm.Text5[0].type("3763");
    for (int k = 0; k < 34; ++k) plexaForm.ProgramTable.setByte(2 * 3763 * 17 + k, 0xFF);
    plexaForm.Text5[1].type("4");
    tick();
    look(&plexa, "16 groups, jump, every word FFFF");
    // The line labels hold their longest texts, so that nothing moves.
    const auto places = [this] {
        std::vector<QRect> rects;
        for (QWidget* widget : plexa.findChildren<QWidget*>()) rects.push_back(widget->geometry());
        return rects;
    };
    const auto before = places();
    plexaForm.Label10.setCaption(" 8000");
    plexaForm.Label9.setCaption(" 9999999 ms");
    for (const char* status :
         {"CommunicateUnsuccessfully", "CommunicationDataError", "端口不能收到数据",
          "No COM port Combo3: choose a port from 1 to 16"}) {
        plexaForm.Label13.setCaption(status);
        look(&plexa, status);
    }
    EXPECT_EQ(places(), before);
    plexaForm.Text6.type("20");
    plexaForm.Text7.type("1");
    look(&plexa, "20 columns, 1 twip high");
    EXPECT_EQ(cut, "");
    const int width = settle(&plexa).width();
    plexaForm.Label13.setCaption("Cannot save /home/" + std::string(200, 'x') + ": Denied");
    QTest::qWait(2 * view::ProgressPainter::kFrameMs);
    EXPECT_EQ(settle(&plexa).width(), width) << "a long error wraps";
}

TEST_F(Windows, CorvelCutsNoTextInAnyStateOrPanel) {
    look(&corvel, "design texts");
    tick();
    corvelForm.Command7.click();
    look(&corvel, "additional panel");
    corvelForm.Text5[0].type("1");
    corvelForm.Command7.click();
    for (int mode = 0; mode <= 8; ++mode) {  // 8: mode 6 with unequal fields
        corvelForm.Text1[0].type(std::to_string(mode == 8 ? 6 : mode));
        corvelForm.Text1[5].setText(mode == 8 ? "9" : "0");
        tick();
        look(&corvel, "work mode " + std::to_string(mode));
    }
    corvelForm.Text1[0].type("7");
    tick();
    corvelForm.Command8.click();
    corvelForm.Check2.click();
    look(&corvel, "bit panel just opened");
    corvelForm.Options.select(corvel::Control);
    corvelForm.timers.advance(clock, 1000);
    corvelForm.Check1.click();
    corvelForm.Label10.setCaption(" 242");
    corvelForm.Label9.setCaption(" 9999999 ms");
    for (const char* status : {"the port can not receive the date", "Communication data error ",
                               "the communication is normal"}) {
        corvelForm.Label13.setCaption(status);
        look(&corvel, std::string("control: ") + status);
    }
    EXPECT_EQ(cut, "");
}

// Every line whole, as the surface lays them out: from the margin down, the
// last with the margin below it and a pixel to spare. All ports failed here,
// whose lines are the longest.
TEST_F(Windows, BothShowEveryLineOfThePortScan) {
    for (QMainWindow* window : std::initializer_list<QMainWindow*>{&plexa, &corvel}) {
        QCoreApplication::processEvents();
        auto* lines = window->findChild<QPlainTextEdit*>("Form1");
        ASSERT_EQ(lines->blockCount(), 16);
        const QTextDocument* text = lines->document();
        QSizeF used(0, text->documentMargin() + 1);
        for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
            const QRectF rect = text->documentLayout()->blockBoundingRect(block);
            used = QSizeF(std::max(used.width(), rect.width()), used.height() + rect.height());
        }
        EXPECT_LE(used.width(), lines->viewport()->width()) << window->objectName().toStdString();
        EXPECT_LE(used.height(), lines->viewport()->height());
        EXPECT_EQ(lines->verticalScrollBar()->value(), 0);
    }
}

// 2500 twips, the field's design value, show the 256 outputs in 16 rows of
// 16 from the start; typing the value it holds changes nothing; half of it
// shows half the rows, and the scroll bar then moves no column; the column
// field sets the outputs a row.
TEST_F(Windows, PlexasListIsAsHighAsItsFieldSaysFromTheStart) {
    test::WindowProbe probe{&plexa, scrollOf(&plexa)->widget()};
    auto* list = probe.find<QListWidget>("List1");
    QCoreApplication::processEvents();
    const auto itemRect = [list](int n) { return list->visualItemRect(list->item(n)); };
    EXPECT_EQ(itemRect(15).top(), itemRect(0).top());
    EXPECT_GT(itemRect(16).top(), itemRect(15).top());
    EXPECT_LE(itemRect(255).bottom(), list->viewport()->height());
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
    EXPECT_EQ(itemRect(15).top(), itemRect(0).top());
    probe.type("Text6", "4");  // four outputs a line
    QCoreApplication::processEvents();
    EXPECT_EQ(itemRect(3).top(), itemRect(0).top());
    EXPECT_GT(itemRect(4).top(), itemRect(3).top());
}

// A scroll bar only where the content is larger than the screen's room, none
// at scale 1 on 1366 x 768; the window within that room.
TEST_F(Windows, BothOpenWithTheScrollBarsTheirContentNeedsOnly) {
    for (QMainWindow* window : std::initializer_list<QMainWindow*>{&plexa, &corvel}) {
        const std::string name = window->windowTitle().toStdString();
        QCoreApplication::processEvents();
        const QSize room = view::screenRoom(window);
        EXPECT_TRUE(window->width() <= room.width() && window->height() <= room.height()) << name;
        QScrollArea* scroll = scrollOf(window);
        const QSize content =
            scroll->widget()->minimumSizeHint().expandedTo(scroll->widget()->minimumSize());
        const bool across = content.width() > room.width();
        const bool down = content.height() > room.height();
        EXPECT_TRUE(across || !scroll->horizontalScrollBar()->isVisible()) << name;
        EXPECT_TRUE(down || !scroll->verticalScrollBar()->isVisible()) << name;
        EXPECT_TRUE(window->devicePixelRatio() > 1 || !(across || down)) << name;
    }
}

}  // namespace
