// What the bindings, the header label and the timer driver do that the
// window tests cannot see; the rest of each is tested through the windows.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "view/bindings.h"
#include "view/timer_driver.h"
#include "window_probe.h"

namespace {

TEST(Binding, ModelChangesShowWithoutEchoOrCursorMovesAndRefusedTypingIsPutBack) {
    QWidget parent;
    ui::TextBox box("Text5(0)", "1", 5);
    int changes = 0;
    box.onChange = [&] { ++changes; };
    auto* edit = new QLineEdit(&parent);
    view::bindTextBox(box, edit);
    parent.show();
    edit->setCursorPosition(1);
    box.setEnabled(false);
    EXPECT_FALSE(edit->isEnabled());
    box.setEnabled(true);
    EXPECT_EQ(edit->cursorPosition(), 1);
    box.setText("123456");  // the program may set more than the user may type
    EXPECT_EQ(edit->text(), "123456");
    EXPECT_EQ(changes, 1);
    edit->setSelection(2, 1);  // the widget takes the 6 characters, the model refuses them
    QTest::keyClicks(edit, "9");
    EXPECT_EQ(box.text(), "123456");
    EXPECT_EQ(edit->text(), "123456");
}

// Each change of an item's state shows, in any order, and whichever other
// item changed in between.
TEST(Binding, AListShowsEveryItemsStateAsTheModelChangesIt) {
    QWidget parent;
    ui::ListBox list("List1", {"000", "001", "002"});
    auto* widget = new QListWidget(&parent);
    view::bindListBox(list, widget);
    const auto shown = [widget](int n) {
        const QListWidgetItem* item = widget->item(n);
        return std::pair(item->isSelected(), item->flags().testFlag(Qt::ItemIsEnabled));
    };
    list.setItemsEnabled(2, 2, false);
    list.setSelected(0, true);
    list.setItemsEnabled(1, 1, false);
    EXPECT_EQ(widget->count(), 3);
    EXPECT_EQ(shown(0), std::pair(true, true));
    EXPECT_EQ(shown(1), std::pair(false, false));
    EXPECT_EQ(shown(2), std::pair(false, false));
    list.setItemsEnabled(1, 2, true);
    list.setSelected(0, false);
    list.setSelected(1, true);
    EXPECT_EQ(shown(0), std::pair(false, true));
    EXPECT_EQ(shown(1), std::pair(true, true));
    EXPECT_EQ(shown(2), std::pair(false, true));
}

// Words over three anchors at x 10, 120 and 250.
TEST(HeaderLabel, PlacesAndPaintsEachWordAtItsAnchorAndOutlivesTheAnchors) {
    QWidget parent;
    std::vector<QWidget*> anchors;
    for (int x : {10, 120, 250}) {
        anchors.push_back(new QWidget(&parent));
        anchors.back()->setGeometry(x, 40, 60, 20);
    }
    auto* header = new view::HeaderLabel(anchors, &parent);
    ui::Label label("Label2", "a b  c <d>");
    view::bindLabel(label, header);
    header->setGeometry(0, 10, 400, header->sizeHint().height());
    parent.show();
    ASSERT_EQ(header->words().size(), 3u);
    EXPECT_EQ(header->words()[2].text, "c <d>");  // surplus words joined at the last anchor
    EXPECT_EQ(header->words()[2].rect.x(), 250);

    label.setCaption("WWW MMM");
    const QImage image = header->grab().toImage();
    const auto placed = header->words();
    const auto inked = [&](int from, int to) {
        return test::WindowProbe::inked(image, QRect(from, 0, to - from, image.height()));
    };
    const QRect first = placed[0].rect;
    const QRect second = placed[1].rect;
    EXPECT_TRUE(inked(first.left(), first.right()) && inked(second.left(), second.right()));
    EXPECT_FALSE(inked(0, first.left()) || inked(first.right() + 1, second.left()) ||
                 inked(second.right() + 1, image.width()));

    delete anchors[1];  // its word goes with it
    EXPECT_EQ(header->words().size(), 1u);
}

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
    timer.setEnabled(false);
    EXPECT_FALSE(driver.armed());
    timer.setEnabled(true);
    clock.setNow(150);
    timer.setEnabled(true);
    timer.setInterval(200);
    clock.setNow(200);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 1; }, 1000));
    EXPECT_FALSE(driver.armed());
}

}  // namespace
