#pragma once

#include <cstdint>

namespace ui {

// Millisecond tick counter. The window's timers and the block exchange both
// read time through this, so tests can drive them with a hand-set clock.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::int64_t nowMs() const = 0;
};

// Monotonic wall time, for the running program.
class SteadyClock final : public Clock {
  public:
    std::int64_t nowMs() const override;
};

// Asks the system to wake the calling thread when its waits end rather than
// up to 50 µs later, which Linux allows itself to gather wake-ups: a
// transfer paced by 1 ms timer ticks gets that much of each tick back.
// Elsewhere it does nothing.
void requestPreciseWakeups();

// A clock that only moves when told to.
class ManualClock final : public Clock {
  public:
    std::int64_t nowMs() const override { return now_; }
    void advance(std::int64_t ms) { now_ += ms; }
    void setNow(std::int64_t ms) { now_ = ms; }

  private:
    std::int64_t now_ = 0;
};

}  // namespace ui
