#include "ui/timer.h"

#include <algorithm>

namespace ui {

Timer::Timer(TimerHub& hub, std::string name, int intervalMs, bool enabled)
    : hub_(hub), name_(std::move(name)), interval_(intervalMs) {
    hub_.add(this);
    setEnabled(enabled);
}

void Timer::arm() {
    due_ = hub_.clock().nowMs() + (zeroWait_ ? 0 : interval_);
}

void Timer::setInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms;
    if (enabled_) arm();
    hub_.changed();
}

void Timer::setEnabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) arm();
    hub_.changed();
}

std::optional<std::int64_t> TimerHub::nextDue() const {
    std::optional<std::int64_t> due;
    for (const Timer* t : timers_) {
        if (t->enabled_ && t->interval_ > 0 && (!due || t->due_ < *due)) due = t->due_;
    }
    return due;
}

Timer* TimerHub::earliestDue(std::int64_t limit) const {
    Timer* best = nullptr;
    for (Timer* t : timers_) {
        if (!t->enabled_ || t->interval_ <= 0 || t->due_ > limit) continue;
        if (best == nullptr || t->due_ < best->due_) best = t;
    }
    return best;
}

// The next countdown runs from the moment of the tick; ticks missed while
// the window was busy are not caught up.
void TimerHub::fire(Timer* t) {
    t->arm();
    if (t->onTick) t->onTick();
}

void TimerHub::runDue() {
    const std::int64_t now = clock_.nowMs();
    std::vector<Timer*> fired;
    while (Timer* t = earliestDue(now)) {
        if (std::find(fired.begin(), fired.end(), t) != fired.end()) break;
        fired.push_back(t);
        fire(t);
    }
    changed();
}

void TimerHub::advance(ManualClock& clock, std::int64_t ms) {
    const std::int64_t end = clock.nowMs() + ms;
    while (Timer* t = earliestDue(end)) {
        clock.setNow(std::max(clock.nowMs(), t->due_));
        fire(t);
    }
    clock.setNow(std::max(clock.nowMs(), end));
}

void TimerHub::changed() {
    if (onScheduleChanged) onScheduleChanged();
}

}  // namespace ui
