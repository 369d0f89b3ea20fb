#include "view/fitting.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>
#include <cmath>

#include "serial/port_scan.h"

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

void fitScanLines(QPlainTextEdit* surface) {
    surface->setLineWrapMode(QPlainTextEdit::NoWrap);
    surface->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    surface->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Laid out as the surface lays out its lines, fallback fonts included.
    QTextLayout layout(
        QString::fromStdString(serial::portLine(serial::kBusyPortLine, serial::kScannedPorts)),
        surface->font());
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    // The surface keeps its document's margin around the lines, and a pixel
    // below the last one.
    const int margins = 2 * surface->frameWidth() +
                        2 * static_cast<int>(std::ceil(surface->document()->documentMargin()));
    const int cursor = surface->cursorWidth() + 2;
    surface->setFixedSize(
        static_cast<int>(std::ceil(line.naturalTextWidth())) + margins + cursor,
        static_cast<int>(std::ceil(serial::kScannedPorts * line.height())) + margins + 1);
}

}  // namespace view
