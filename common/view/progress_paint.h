#pragma once

#include <cstdint>
#include <optional>

#include "ui/clock.h"

namespace view {

// Shows the progress of a loop that holds the event loop (a blocking
// transfer): paints the widgets whose state changed since they were last
// painted, and only those, without handling any input or timer. It paints
// at most once a frame; whatever a skipped call left unpainted is painted by
// the next one, or by the event loop once the loop has ended.
class ProgressPainter {
  public:
    // About what a screen shows in a second: 25 pictures.
    static constexpr std::int64_t kFrameMs = 40;

    explicit ProgressPainter(const ui::Clock& clock) : clock_(clock) {}

    void paint();

  private:
    const ui::Clock& clock_;
    std::optional<std::int64_t> lastPaintMs_;
};

}  // namespace view
