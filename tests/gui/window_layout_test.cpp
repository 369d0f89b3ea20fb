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
#include "view/progress_paint.h"
#include "window_probe.h"

namespace {

// As the program starts: the window made, then the file loaded. No port
// opens, so that the scan prints its longest lines.
template <class Form, class Window>
class Layout : public ::testing::Test, public test::WindowProbe {
  protected:
    Layout() : form({temp.path(), clock, absent, {}}), painter(clock), window(form, painter) {
        form.load();
        root = &window;
        drawing = scroll()->widget();
        window.show();
    }
    QScrollArea* scroll() const { return qobject_cast<QScrollArea*>(window.centralWidget()); }
    void tick() { form.timers.advance(clock, 1000); }
    // Notes the controls that cut their text in the state named, once the
    // transfer's labels show it.
    void look(const std::string& state) {
        settle();
        for (const QString& name : test::cutTexts(this->drawing))
            cut += state + ": " + name.toStdString() + "\n";
    }
    // Waits until the drawing keeps its size for two frames: on a busy
    // machine a layout may land later than the first frames.
    QSize settle() {
        QSize size;
        for (int frames = 0; frames < 50 && size != this->drawing->size(); ++frames) {
            size = this->drawing->size();
            QTest::qWait(2 * view::ProgressPainter::kFrameMs);
        }
        return size;
    }

    test::TempDir temp;
    ui::ManualClock clock;
    test::AbsentPort absent;
    Form form;
    view::ProgressPainter painter;
    Window window;
    std::string cut;
};

using PlexaLayout = Layout<plexa::Form1, plexa::MainWindow>;
using CorvelLayout = Layout<corvel::Form1, corvel::MainWindow>;
template <class L>
class BothLayouts : public L {};
using Programs = ::testing::Types<PlexaLayout, CorvelLayout>;
TYPED_TEST_SUITE(BothLayouts, Programs);

TEST_F(PlexaLayout, CutsNoTextInAnyState) {
    look("design texts");
    tick();
    form.Text1[0].type("16");
    form.Text5[0].type("3763");
    for (int k = 0; k < 34; ++k) form.ProgramTable.setByte(2 * 3763 * 17 + k, 0xFF);
    form.Text5[1].type("4");
    tick();
    look("16 groups, jump, every word FFFF");
    // The line labels hold their longest texts, so that nothing moves.
    const auto places = [this] {
        std::vector<QRect> rects;
        for (QWidget* widget : window.findChildren<QWidget*>()) rects.push_back(widget->geometry());
        return rects;
    };
    const auto before = places();
    form.Label10.setCaption(" 8000");
    form.Label9.setCaption(" 9999999 ms");
    for (const char* status :
         {"CommunicateUnsuccessfully", "CommunicationDataError", "端口不能收到数据",
          "No COM port Combo3: choose a port from 1 to 16"}) {
        form.Label13.setCaption(status);
        look(status);
    }
    EXPECT_EQ(places(), before);
    form.Text6.type("20");
    form.Text7.type("1");
    look("20 columns, 1 twip high");
    EXPECT_EQ(cut, "");
    const int width = settle().width();
    form.Label13.setCaption("Cannot save /home/" + std::string(200, 'x') + ": Denied");
    QTest::qWait(2 * view::ProgressPainter::kFrameMs);
    EXPECT_EQ(settle().width(), width) << "a long error wraps";
}

TEST_F(CorvelLayout, CutsNoTextInAnyStateOrPanel) {
    look("design texts");
    tick();
    form.Command7.click();
    look("additional panel");
    form.Text5[0].type("1");
    form.Command7.click();
    for (int mode = 0; mode <= 8; ++mode) {  // 8: mode 6 with unequal fields
        form.Text1[0].type(std::to_string(mode == 8 ? 6 : mode));
        form.Text1[5].setText(mode == 8 ? "9" : "0");
        tick();
        look("work mode " + std::to_string(mode));
    }
    form.Text1[0].type("7");
    tick();
    form.Command8.click();
    form.Check2.click();
    look("bit panel just opened");
    form.Options.select(corvel::Control);
    tick();
    form.Check1.click();
    form.Label10.setCaption(" 242");
    form.Label9.setCaption(" 9999999 ms");
    for (const char* status : {"the port can not receive the date", "Communication data error ",
                               "the communication is normal"}) {
        form.Label13.setCaption(status);
        look(std::string("control: ") + status);
    }
    EXPECT_EQ(cut, "");
}

// Every line whole, as the surface lays them out: from the margin down, the
// last with the margin below it and a pixel to spare. All ports failed here,
// whose lines are the longest.
TYPED_TEST(BothLayouts, ShowEveryLineOfThePortScan) {
    QCoreApplication::processEvents();
    auto* lines = this->window.template findChild<QPlainTextEdit*>("Form1");
    ASSERT_EQ(lines->blockCount(), 16);
    const QTextDocument* text = lines->document();
    QSizeF used(0, text->documentMargin() + 1);
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        const QRectF rect = text->documentLayout()->blockBoundingRect(block);
        used = QSizeF(std::max(used.width(), rect.width()), used.height() + rect.height());
    }
    EXPECT_LE(used.width(), lines->viewport()->width());
    EXPECT_LE(used.height(), lines->viewport()->height());
    EXPECT_EQ(lines->verticalScrollBar()->value(), 0);
}

// 2500 twips, the field's design value, show the 256 outputs in 16 rows of
// 16 from the start; typing the value it holds changes nothing; half of it
// shows half the rows, and the scroll bar then moves no column; the column
// field sets the outputs a row.
TEST_F(PlexaLayout, TheListIsAsHighAsItsFieldSaysFromTheStart) {
    auto* list = find<QListWidget>("List1");
    QCoreApplication::processEvents();
    const auto itemRect = [list](int n) { return list->visualItemRect(list->item(n)); };
    EXPECT_EQ(itemRect(15).top(), itemRect(0).top());
    EXPECT_GT(itemRect(16).top(), itemRect(15).top());
    EXPECT_LE(itemRect(255).bottom(), list->viewport()->height());
    const int height = list->height();
    const QRect below = place("Text1(5)");
    tick();
    type("Text7", "2500");
    QCoreApplication::processEvents();
    EXPECT_EQ(list->height(), height);
    EXPECT_EQ(place("Text1(5)"), below);
    type("Text7", "1250");
    QCoreApplication::processEvents();
    EXPECT_EQ(list->viewport()->height(), 8 * list->gridSize().height());
    EXPECT_GT(list->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(itemRect(15).top(), itemRect(0).top());
    type("Text6", "4");  // four outputs a line
    QCoreApplication::processEvents();
    EXPECT_EQ(itemRect(3).top(), itemRect(0).top());
    EXPECT_GT(itemRect(4).top(), itemRect(3).top());
}

// A scroll bar only where the content is larger than the screen's room, none
// at scale 1 on 1366 x 768; the window within that room.
TYPED_TEST(BothLayouts, OpenWithTheScrollBarsTheirContentNeedsOnly) {
    QCoreApplication::processEvents();
    const QSize room = view::screenRoom(&this->window);
    EXPECT_TRUE(this->window.width() <= room.width() && this->window.height() <= room.height());
    const QWidget* drawing = this->drawing;
    const QSize content = drawing->minimumSizeHint().expandedTo(drawing->minimumSize());
    const bool across = content.width() > room.width();
    const bool down = content.height() > room.height();
    EXPECT_TRUE(across || !this->scroll()->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(down || !this->scroll()->verticalScrollBar()->isVisible());
    EXPECT_TRUE(this->window.devicePixelRatio() > 1 || !(across || down));
}

}  // namespace
