#pragma once

#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "ui/clock.h"

namespace view {

// Shows a transfer's progress: its block number, time, status and bar, which
// change at every try. Widgets bound through the painter (see bindings.h)
// take those changes only when the painter shows them:
// - paint(), called once a request has gone out, shows and paints them while
//   the line carries the request, at most once a frame, without handling any
//   input or timer, even while a blocking transfer holds the event loop;
// - otherwise the event loop shows them once they have rested for a frame,
//   and at the latest two frames after the first change still waiting, so
//   a widget whose state ends where it began is mostly not painted at all,
//   and no painting falls between a transfer's blocks.
class ProgressPainter {
  public:
    // About what a screen shows in a second: 25 pictures.
    static constexpr std::int64_t kFrameMs = 40;

    explicit ProgressPainter(const ui::Clock& clock);

    void paint();

    // The control keyed by its address has changed; show() brings its
    // widget up to date.
    void defer(const void* control, std::function<void()> show);

  private:
    void showPending();

    const ui::Clock& clock_;
    QTimer quiet_;
    std::map<const void*, std::function<void()>> pending_;
    bool changedWhileWaiting_ = false;
    std::int64_t firstPendingMs_ = 0;
    std::optional<std::int64_t> lastPaintMs_;
};

}  // namespace view
