#pragma once

#include <QTimer>

#include "ui/timer.h"

namespace view {

// Delivers a window's timer ticks from the Qt event loop: one single-shot
// timer is armed for the hub's next due time and re-armed whenever the
// schedule changes, so nothing wakes while no timer is due.
class TimerDriver {
  public:
    explicit TimerDriver(ui::TimerHub& hub);
    ~TimerDriver();
    TimerDriver(const TimerDriver&) = delete;
    TimerDriver& operator=(const TimerDriver&) = delete;

    // True while a wake-up is armed.
    bool armed() const { return timer_.isActive(); }

  private:
    void rearm();
    void fire();

    ui::TimerHub& hub_;
    QTimer timer_;
};

}  // namespace view
