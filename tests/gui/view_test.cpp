// What the bindings, the timer driver and the progress painter do that the
// window tests cannot see; the rest of each is tested through the windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QProgressBar>
#include <QScreen>
#include <QStyleFactory>
#include <cstdlib>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <thread>

#include "view/bindings.h"
#include "view/group_frame.h"
#include "view/progress_paint.h"
#include "view/timer_driver.h"
#include "view/window_font.h"
#include "window_probe.h"

namespace {

// On a hand-set clock a wake-up runs the ticks that the clock has reached: a
// countdown restarted at 150 ms would never be due at 200 ms.
TEST(TimerDriver, SleepsWhileNoTimerIsEnabledAndLeavesARunningCountdownAlone) {
    ui::ManualClock clock;
    ui::TimerHub hub(clock);
    ui::Timer timer(hub, "Timer6", 200, false);
    int ticks = 0;
    timer.onTick = [&] {
        ++ticks;
        timer.setEnabled(false);  // a one-shot step, as the transfers use
    };
    view::TimerDriver driver(hub);
    timer.setEnabled(true);
    clock.setNow(150);
    timer.setEnabled(true);
    timer.setInterval(200);
    clock.setNow(200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 1000));
    EXPECT_FALSE(driver.armed());
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
  public:
    PaintCounter(QWidget* widget, int& paints) : paints_(paints) {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        paints_ += event->type() == QEvent::Paint;
        return false;
    }

  private:
    int& paints_;
};

// A label and a bar bound through a painter on a hand-driven clock.
class Painted : public ::testing::Test {
  protected:
    Painted() : painter(clock) {
        view::bindLabel(label, shown, &painter);
        view::bindProgressBar(progress, bar, painter);
        bar->setGeometry(0, 30, 204, 20);
        window.show();
    }

    ui::ManualClock clock;
    view::ProgressPainter painter;
    ui::Label label{"Label10", " 241"};
    ui::ProgressBar progress{"progress"};
    QWidget window;  // its widgets go before the controls they show
    QLabel* shown = new QLabel(&window);
    QProgressBar* bar = new QProgressBar(&window);
};

// A bound label takes its caption when the painter shows it: once a frame
// from paint(), or once the changes have rested for a frame.
TEST_F(Painted, ShowsAtMostOnceAFrameOrAfterAFrameAtRest) {
    label.setCaption(" 242");
    EXPECT_EQ(shown->text(), " 241");
    painter.paint();
    EXPECT_EQ(shown->text(), " 242");
    label.setCaption(" 243");
    clock.advance(view::ProgressPainter::kFrameMs - 1);
    painter.paint();
    EXPECT_EQ(shown->text(), " 242") << "within the frame";
    clock.advance(1);
    painter.paint();
    EXPECT_EQ(shown->text(), " 243");

    label.setCaption(" 1");
    EXPECT_TRUE(QTest::qWaitFor([this] { return shown->text() == " 1"; }));
}

// Changes that never rest for a frame, as when every cycle of Monitor waits
// longer than its tick for a reply that does not come, are shown all the same.
TEST(ProgressPainter, ShowsChangesThatNeverRest) {
    ui::SteadyClock clock;
    view::ProgressPainter painter(clock);
    QWidget window;
    auto* shown = new QLabel(&window);
    ui::Label label("Label13", "");
    view::bindLabel(label, shown, &painter);
    QTimer cycle;
    QObject::connect(&cycle, &QTimer::timeout, [&label] {
        label.setCaption("");
        std::this_thread::sleep_for(std::chrono::milliseconds(70));
        label.setCaption("the port can not receive the date");
    });
    cycle.start(100);
    EXPECT_TRUE(QTest::qWaitFor([shown] { return !shown->text().isEmpty(); }, 1000));
}

// The bar on the screen fills without gaps as far as the share done: a long
// transfer moves it from its first blocks on, and a block that moves it by
// less than a pixel does not paint it.
TEST_F(Painted, TheBarFillsAsFarAsTheShareDone) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    int paints = 0;
    PaintCounter counter(bar, paints);
    const auto filled = [&](int done, int total) {
        progress.setProgress(done, total);
        clock.advance(view::ProgressPainter::kFrameMs);
        painter.paint();
        const QImage screen = window.screen()->grabWindow(window.winId()).toImage();
        const int y = bar->geometry().center().y();
        int width = 0;
        for (int x = bar->x(); x <= bar->geometry().right(); ++x)
            width += screen.pixelColor(x, y) == bar->palette().highlight().color();
        return width;
    };
    EXPECT_EQ(filled(0, 8001), 0);
    const int full = filled(8001, 8001);
    EXPECT_GT(full, 190);
    EXPECT_EQ(filled(1, 8001), 0);
    const int before = paints;
    EXPECT_EQ(filled(2, 8001), 0);
    EXPECT_EQ(paints, before);
    EXPECT_GE(filled(160, 8001), 3);
    EXPECT_NEAR(filled(4000, 8001), full / 2, 1);
}

// A frame around a title, drawn by the program's style as it stands.
QImage framedBox() {
    QGroupBox box("OutPut Y000--Y255 Control");
    box.resize(220, 90);
    return box.grab().toImage();
}

// The pixels of the two drawings whose colours differ by more than a shade.
int pixelsApart(const QImage& a, const QImage& b) {
    int apart = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            apart += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                         std::abs(p.blue() - q.blue()) >
                     6;
        }
    }
    return apart;
}

// Under Fusion the program draws a group box's frame where and as Fusion
// draws it from its image, but for a few shades in each corner, and without
// an image, which would load every image-format plugin installed.
TEST(GroupFrame, LooksAsFusionDrawsItWithoutLoadingAnImagePlugin) {
    if (QApplication::style()->name() != "fusion") GTEST_SKIP() << "Fusion is not the style";
    view::drawGroupFramesByHand();
    const QImage byHand = framedBox();
#ifdef __linux__
    std::ifstream maps("/proc/self/maps");
    const std::string mapped(std::istreambuf_iterator<char>(maps), {});
    EXPECT_EQ(mapped.find("imageformats"), std::string::npos);
#endif
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    const QImage fusion = framedBox();
    ASSERT_EQ(byHand.size(), fusion.size());
    EXPECT_LE(pixelsApart(byHand, fusion), 4 * 9);
    // Below the title only the frame is drawn on the window's ground.
    const QRect below(0, fusion.height() / 2, fusion.width(), fusion.height() / 2);
    QImage ground(below.size(), fusion.format());
    ground.fill(fusion.pixelColor(0, fusion.height() / 2));  // left of the frame's line
    EXPECT_GT(pixelsApart(byHand.copy(below), ground), 100) << "no frame";
}

// The font thread waits to hear that the application exists. A program that
// ends before, or that waits for the thread without saying so, must not
// wait for ever.
TEST(FontConfigAhead, EndsWhetherOrNotItHeardOfTheApplication) {
    auto ended = std::make_shared<std::promise<void>>();
    std::thread([ended] {
        { view::FontConfigAhead unheard; }
        view::FontConfigAhead waitedFor;
        waitedFor.wait();
        ended->set_value();
    }).detach();
    EXPECT_EQ(ended->get_future().wait_for(std::chrono::seconds(30)), std::future_status::ready);
}

}  // namespace
