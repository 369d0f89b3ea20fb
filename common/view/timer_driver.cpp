#include "view/timer_driver.h"

#include <algorithm>
#include <limits>

namespace view {

TimerDriver::TimerDriver(ui::TimerHub& hub) : hub_(hub) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] { fire(); });
    hub_.onScheduleChanged = [this] { rearm(); };
    rearm();
}

TimerDriver::~TimerDriver() {
    hub_.onScheduleChanged = nullptr;
}

void TimerDriver::rearm() {
    const auto due = hub_.nextDue();
    if (!due) {
        timer_.stop();
        return;
    }
    const auto wait =
        std::clamp<std::int64_t>(*due - hub_.clock().nowMs(), 0, std::numeric_limits<int>::max());
    timer_.start(static_cast<int>(wait));
}

void TimerDriver::fire() {
    hub_.runDue();
    rearm();
}

}  // namespace view
