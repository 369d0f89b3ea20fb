#include "view/progress_paint.h"

#include <QCoreApplication>
#include <QEvent>
#include <algorithm>

namespace view {

ProgressPainter::ProgressPainter(const ui::Clock& clock) : clock_(clock) {
    quiet_.setSingleShot(true);
    QObject::connect(&quiet_, &QTimer::timeout, [this] {
        // Changes that never rest, as when every cycle of Monitor outlasts
        // a frame, are shown all the same two frames after the first.
        const std::int64_t left = firstPendingMs_ + 2 * kFrameMs - clock_.nowMs();
        if (changedWhileWaiting_ && left > 0) {
            changedWhileWaiting_ = false;
            quiet_.start(static_cast<int>(std::min(left, kFrameMs)));
        } else {
            showPending();
        }
    });
}

// A widget whose state changes marks its area for painting and posts the
// window's update request; delivering that request alone paints the marked
// areas and leaves every other posted or pending event where it is.
void ProgressPainter::paint() {
    const std::int64_t now = clock_.nowMs();
    if (lastPaintMs_ && now - *lastPaintMs_ < kFrameMs) return;
    lastPaintMs_ = now;
    showPending();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

void ProgressPainter::defer(const void* control, std::function<void()> show) {
    if (pending_.empty()) firstPendingMs_ = clock_.nowMs();
    pending_.insert_or_assign(control, std::move(show));
    // Restarting the timer at every change would cost more than the rest of
    // a monitor cycle's showing: it waits a frame more instead.
    if (quiet_.isActive()) {
        changedWhileWaiting_ = true;
    } else {
        quiet_.start(static_cast<int>(kFrameMs));
    }
}

void ProgressPainter::showPending() {
    quiet_.stop();
    changedWhileWaiting_ = false;
    const auto pending = std::move(pending_);
    pending_.clear();
    for (const auto& [control, show] : pending) show();
}

}  // namespace view
