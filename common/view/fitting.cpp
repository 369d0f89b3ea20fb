#include "view/fitting.h"

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

namespace view {

QSize screenRoom(const QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) return {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return screen->availableSize() - QSize(0, titleBar);
}

QSize scrolledSize(const QScrollArea* scroll, QSize content, QSize room) {
    const int frame = 2 * scroll->frameWidth();
    const QSize bars(scroll->verticalScrollBar()->sizeHint().width(),
                     scroll->horizontalScrollBar()->sizeHint().height());
    const QSize bare = content + QSize(frame, frame);
    bool down = bare.height() > room.height();
    const bool across = bare.width() + (down ? bars.width() : 0) > room.width();
    down = down || bare.height() + (across ? bars.height() : 0) > room.height();
    const QSize wanted = bare + QSize(down ? bars.width() : 0, across ? bars.height() : 0);
    return wanted.boundedTo(room);
}

}  // namespace view
