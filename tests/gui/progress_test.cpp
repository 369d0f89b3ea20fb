// A Corvel download holds the event loop and shows its progress through a
// ProgressPainter: what the user sees of it, and what it leaves alone.
#include <gtest/gtest.h>

#include <QScreen>
#include <QScrollArea>
#include <QTest>

#include "corvel/view/main_window.h"
#include "fake_port.h"
#include "temp_dir.h"
#include "view/progress_paint.h"

namespace {

class PaintCount final : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++counts[watched->objectName()];
        return false;
    }
    std::map<QString, int> counts;
};

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
    QWidget* window = nullptr;
    corvel::Form1 form(
        {temp.path(), clock, port, [&] {
             painter.paint();
             if (form.Label10.caption() != " 60" && form.Label10.caption() != " 180") return;
             QRect place;
             for (const char* name : {"Label10", "progress"}) {
                 const QWidget* widget = window->findChild<QWidget*>(name);
                 place |= QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
             }
             shown.push_back(window->screen()->grabWindow(window->winId()).toImage().copy(place));
         }});
    corvel::MainWindow main(form);
    window = &main;
    form.load();
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    // On a small screen the drawing scrolls: bring the number and the bar into sight.
    main.findChild<QScrollArea*>()->ensureWidgetVisible(main.findChild<QWidget*>("progress"));
    QCoreApplication::processEvents();
    PaintCount paints;
    for (const char* name : {"Label10", "progress", "Label14", "Command1"})
        main.findChild<QWidget*>(name)->installEventFilter(&paints);
    form.Command3.click();
    EXPECT_EQ(form.Label13.caption(), "the communication is normal");
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_NE(shown[0], shown[1]);
    EXPECT_GE(paints.counts["Label10"], 100);
    EXPECT_LE(paints.counts["Label10"], 151);
    EXPECT_LE(paints.counts["progress"], 151);
    EXPECT_EQ(paints.counts["Label14"] + paints.counts["Command1"], 0);
}

}  // namespace
