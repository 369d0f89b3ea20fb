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
#include <optional>

#include "corvel/view/main_window.h"
#include "form_scenario.h"
#include "plexa/view/main_window.h"
#include "text_room.h"
#include "view/fitting.h"
#include "view/progress_paint.h"
#include "window_probe.h"

namespace {

// A state the window is brought to: the form's scenario steps, where
// "Label13:text" sets a caption as the program would.
struct State {
    const char* name;
    std::vector<std::string_view> steps;
    bool fixed = false;  // the states marked so show every control in one place
};

// As the program starts: the window made, then the file loaded. No port
// opens, so that the scan prints its longest lines.
template <class Form, class Window>
class Layout : public test::FormTest<Form>, public test::WindowProbe {
  protected:
    Layout() : painter(this->clock), window(startWithNoPorts(), painter) {
        root = &window;
        drawing = scroll()->widget();
        window.show();
    }
    Form& startWithNoPorts() {
        this->noPorts();
        return this->start();
    }
    QScrollArea* scroll() const { return qobject_cast<QScrollArea*>(window.centralWidget()); }
    void enter(const State& state) {
        for (const std::string_view step : state.steps) {
            const auto colon = step.find(':');
            if (colon == std::string_view::npos)
                this->run({step});
            else
                dynamic_cast<ui::Label&>(*this->controls[std::string(step.substr(0, colon))])
                    .setCaption(std::string(step.substr(colon + 1)));
        }
    }
    // Waits until the drawing keeps its size for two frames: on a busy
    // machine a layout may land later than the first frames.
    QSize settle() {
        QSize size;
        for (int frames = 0; frames < 50 && size != drawing->size(); ++frames) {
            size = drawing->size();
            QTest::qWait(2 * view::ProgressPainter::kFrameMs);
        }
        return size;
    }
    std::vector<QRect> places() const {
        std::vector<QRect> rects;
        for (QWidget* widget : window.template findChildren<QWidget*>())
            rects.push_back(widget->geometry());
        return rects;
    }

    view::ProgressPainter painter;
    Window window;
};

class PlexaLayout : public Layout<plexa::Form1, plexa::MainWindow> {
  protected:
    // The line labels hold their longest texts, so that nothing moves.
    inline static const std::vector<State> kStates = {
        {"design texts", {}},
        {"16 groups, jump, every word FFFF, refused",
         {"tick", "Text1(0)=16", "Text5(0)=3763", "Text5(1)=4", "tick", "Label3~FFFF FFFF",
          "Label13:CommunicateUnsuccessfully"},
         true},
        {"longest line labels", {"Label10: 8000", "Label9: 9999999 ms"}, true},
        {"data error", {"Label13:CommunicationDataError"}, true},
        {"no data", {"Label13:端口不能收到数据"}, true},
        {"no port", {"Label13:No COM port Combo3: choose a port from 1 to 16"}, true},
        {"20 columns, 1 twip high", {"Text6=20", "Text7=1"}},
    };
};
class CorvelLayout : public Layout<corvel::Form1, corvel::MainWindow> {
  protected:
    inline static const std::vector<State> kStates = {
        {"design texts", {}},
        {"additional panel", {"tick", "Command7!"}},
        {"work mode 0", {"Text5(0)=1", "Command7!", "Text1(0)=0", "Text1(5)=0", "tick"}},
        {"work mode 1", {"Text1(0)=1", "tick"}},
        {"work mode 2", {"Text1(0)=2", "tick"}},
        {"work mode 3", {"Text1(0)=3", "tick"}},
        {"work mode 4", {"Text1(0)=4", "tick"}},
        {"work mode 5", {"Text1(0)=5", "tick"}},
        {"work mode 6", {"Text1(0)=6", "tick"}},
        {"work mode 7", {"Text1(0)=7", "tick"}},
        {"work mode 6, unequal fields", {"Text1(0)=6", "Text1(5)=9", "tick"}},
        {"bit panel just opened", {"Text1(0)=7", "tick", "Command8!", "Check2!"}},
        {"control, no data",
         {"Options#5", "tick", "Check1!", "Label10: 242", "Label9: 9999999 ms",
          "Label13:the port can not receive the date"},
         true},
        {"data error", {"Label13:Communication data error "}},
        {"normal", {"Label13:the communication is normal"}, true},
    };
};
template <class L>
class BothLayouts : public L {};
using Programs = ::testing::Types<PlexaLayout, CorvelLayout>;
TYPED_TEST_SUITE(BothLayouts, Programs);

// Every state cuts no text, and those marked fixed move nothing; a long
// error wraps rather than widen the drawing.
TYPED_TEST(BothLayouts, CutsNoTextInAnyState) {
    if constexpr (TestFixture::kPlexa)
        for (int k = 0; k < 34; ++k) this->form->ProgramTable.setByte(2 * 3763 * 17 + k, 0xFF);
    std::optional<std::vector<QRect>> fixedPlaces;
    for (const State& state : TestFixture::kStates) {
        SCOPED_TRACE(state.name);
        this->enter(state);
        this->settle();
        EXPECT_EQ(test::cutTexts(this->drawing), QStringList());
        if (state.fixed && fixedPlaces)
            EXPECT_EQ(this->places(), *fixedPlaces);
        else if (state.fixed)
            fixedPlaces = this->places();
    }
    const int width = this->settle().width();
    this->form->Label13.setCaption("Cannot save /home/" + std::string(200, 'x') + ": Denied");
    QTest::qWait(2 * view::ProgressPainter::kFrameMs);
    EXPECT_EQ(this->settle().width(), width) << "a long error wraps";
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
