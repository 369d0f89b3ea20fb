#include "view/progress_paint.h"

#include <QCoreApplication>
#include <QEvent>

namespace view {

// A widget whose state changes marks its area for painting and posts the
// window's update request; delivering that request alone paints the marked
// areas and leaves every other posted or pending event where it is.
void ProgressPainter::paint() {
    const std::int64_t now = clock_.nowMs();
    if (lastPaintMs_ && now - *lastPaintMs_ < kFrameMs) return;
    lastPaintMs_ = now;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

}  // namespace view
