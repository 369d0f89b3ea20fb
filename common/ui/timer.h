#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/clock.h"

namespace ui {

class TimerHub;

// A periodic window timer. Enabling a running timer or re-applying its
// interval leaves the countdown alone; a new interval restarts it at once.
// A timer set to wait no time is due again as soon as it is armed: it ticks
// once the event loop has handled what is pending, not an interval later.
class Timer {
  public:
    Timer(TimerHub& hub, std::string name, int intervalMs, bool enabled);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }
    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    void setInterval(int ms);
    void setEnabled(bool on);
    void setZeroWait(bool on) { zeroWait_ = on; }

    std::function<void()> onTick;

  private:
    friend class TimerHub;
    void arm();

    TimerHub& hub_;
    std::string name_;
    int interval_;
    bool enabled_ = false;
    bool zeroWait_ = false;
    std::int64_t due_ = 0;
};

// Owns the schedule of a window's timers and delivers their ticks, one at a
// time, in the order they fall due.
class TimerHub {
  public:
    explicit TimerHub(Clock& clock) : clock_(clock) {}

    Clock& clock() const { return clock_; }

    // Earliest due time of an enabled timer, if any.
    std::optional<std::int64_t> nextDue() const;

    // One pass of the event loop: delivers every tick that is due now; each
    // timer ticks at most once.
    void runDue();

    // For a ManualClock: moves time forward by ms, delivering each tick at
    // its due time (a tick that blocks past later due times delivers those
    // afterwards, once each, as a window system would).
    void advance(ManualClock& clock, std::int64_t ms);

    // Called whenever the schedule may have changed (the event loop re-arms).
    std::function<void()> onScheduleChanged;

  private:
    friend class Timer;
    void add(Timer* t) { timers_.push_back(t); }
    void changed();
    Timer* earliestDue(std::int64_t limit) const;
    void fire(Timer* t);

    Clock& clock_;
    std::vector<Timer*> timers_;
};

}  // namespace ui
