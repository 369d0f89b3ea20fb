// The transfer labels and bar go through a ProgressPainter: what the user
// sees of a Corvel download, which holds the event loop, and when a bound
// widget takes a change.
#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <thread>

#include "corvel/view/main_window.h"
#include "fake_port.h"
#include "temp_dir.h"
#include "view/bindings.h"
#include "view/progress_paint.h"
#include "window_probe.h"

namespace {

// Each block takes 25 ms on the line, so 240 of them take 6 s: 150 frames.
TEST(CorvelProgress, TheBlockNumberAndTheBarMoveAtMostOnceAFrameAndNothingElseIsPainted) {
    test::TempDir temp;
    ui::ManualClock clock;
    fake::FakePort port(clock);
    ctrlsim::Controller controller;
    port.setByteTimeMs(1);
    port.setResponder(fake::controllerResponder(controller, 25));
    view::ProgressPainter painter(clock);
    std::vector<QImage> shown;  // the number and the bar at blocks 60 and 180
    test::WindowProbe probe;
    corvel::Form1 form(
        {temp.path(), clock, port, [&] {
             painter.paint();
             const std::string block = form.Label10.caption();
             if (block != " 60" && block != " 180") return;
             const QRect place = probe.place("Label10") | probe.place("progress");
             shown.push_back(
                 probe.root->screen()->grabWindow(probe.root->winId()).toImage().copy(place));
         }});
    corvel::MainWindow main(form, painter);
    probe.root = probe.drawing = &main;
    form.load();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    // On a small screen the drawing scrolls: bring the number and the bar into sight.
    probe.find<QScrollArea>("")->ensureWidgetVisible(probe.find("progress"));
    QCoreApplication::processEvents();
    test::PaintCount paints;
    for (const char* name : {"Label10", "progress", "Label14", "Command1"})
        probe.find(name)->installEventFilter(&paints);
    form.Command3.click();
    EXPECT_EQ(form.Label13.caption(), "the communication is normal");
    EXPECT_EQ(probe.find<QLabel>("StatusBar1")->text(),
              "Download done: blocks 1 to 240, 240 of 240 blocks sent in 6.0 s");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_GE(paints.counts["Label10"], 100);
    EXPECT_LE(paints.counts["Label10"], 151);
    EXPECT_LE(paints.counts["progress"], 151);
    EXPECT_EQ(paints.counts["Label14"] + paints.counts["Command1"], 0);
}

// A bound label takes its caption when the painter shows it: once a frame
// from paint(), or once the changes have rested for a frame. One that ends
// where it began within that time, as Monitor's labels do in every cycle,
// is not painted at all.
TEST(ProgressPainter, ShowsAtMostOnceAFrameOrAfterAFrameAtRest) {
    ui::ManualClock clock;
    view::ProgressPainter painter(clock);
    QWidget window;
    auto* shown = new QLabel(&window);
    auto* bar = new QProgressBar(&window);
    ui::Label label("Label10", " 241");
    ui::ProgressBar progress("progress");
    view::bindLabel(label, shown, &painter);
    view::bindProgressBar(progress, bar, painter);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    test::PaintCount paints;
    shown->installEventFilter(&paints);

    label.setCaption(" 242");
    progress.setProgress(1, 2);
    EXPECT_EQ(shown->text(), " 241");
    painter.paint();
    EXPECT_EQ(shown->text(), " 242");
    EXPECT_EQ(bar->value(), 1);
    EXPECT_EQ(paints.counts["Label10"], 1) << "painted within paint()";
    label.setCaption(" 243");
    clock.advance(view::ProgressPainter::kFrameMs - 1);
    painter.paint();
    EXPECT_EQ(shown->text(), " 242") << "within the frame";
    clock.advance(1);
    painter.paint();
    EXPECT_EQ(shown->text(), " 243");

    label.setCaption("");
    label.setCaption(" 243");
    QTest::qWait(view::ProgressPainter::kFrameMs / 2);
    label.setCaption("");
    EXPECT_EQ(shown->text(), " 243") << "the changes have not rested";
    label.setCaption(" 243");
    QTest::qWait(2 * view::ProgressPainter::kFrameMs);
    EXPECT_EQ(paints.counts["Label10"], 2);
    label.setCaption(" 1");
    EXPECT_TRUE(QTest::qWaitFor([&paints] { return paints.counts["Label10"] == 3; }));
    EXPECT_EQ(shown->text(), " 1");
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

// The bar fills without gaps as far as the share done: a long transfer
// moves it from its first blocks on.
TEST(ProgressPainter, TheBarFillsAsFarAsTheShareDone) {
    ui::ManualClock clock;
    view::ProgressPainter painter(clock);
    QWidget window;
    auto* bar = new QProgressBar(&window);
    bar->setGeometry(0, 0, 204, 20);
    ui::ProgressBar progress("progress");
    view::bindProgressBar(progress, bar, painter);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const auto filled = [&](int done, int total) {
        progress.setProgress(done, total);
        clock.advance(view::ProgressPainter::kFrameMs);
        painter.paint();
        const QImage image = bar->grab().toImage();
        int width = 0;
        for (int x = 0; x < image.width(); ++x)
            width += image.pixelColor(x, image.height() / 2) == bar->palette().highlight().color();
        return width;
    };
    EXPECT_EQ(filled(0, 8001), 0);
    const int full = filled(8001, 8001);
    EXPECT_GT(full, 190);
    EXPECT_GE(filled(160, 8001), 3);
    EXPECT_NEAR(filled(4000, 8001), full / 2, 1);
}

}  // namespace
