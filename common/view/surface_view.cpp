#include "view/surface_view.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "serial/port_scan.h"

namespace view {

namespace {

constexpr int kMargin = 4;  // between the frame and the lines, as a text box keeps

}  // namespace

SurfaceView::SurfaceView(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    fitScanLines();
}

void SurfaceView::setLines(const QStringList& lines) {
    if (lines == lines_) return;
    lines_ = lines;
    update();
}

void SurfaceView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) fitScanLines();
    QFrame::changeEvent(event);
}

// As wide as the longest line of the scan, fallback fonts included.
void SurfaceView::fitScanLines() {
    const QFontMetricsF metrics(font(), this);
    const QString longest =
        QString::fromStdString(serial::portLine(serial::kBusyPortLine, serial::kScannedPorts));
    const int edges = 2 * (frameWidth() + kMargin);
    setFixedSize(
        static_cast<int>(std::ceil(metrics.horizontalAdvance(longest))) + edges,
        static_cast<int>(std::ceil(serial::kScannedPorts * metrics.lineSpacing())) + edges);
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect room = contentsRect().adjusted(kMargin, kMargin, -kMargin, -kMargin);
    painter.setClipRect(room);
    painter.setPen(palette().color(QPalette::Text));
    const QFontMetricsF metrics(font(), this);
    QPointF at(room.left(), room.top() + metrics.ascent());
    for (const QString& line : lines_) {
        painter.drawText(at, line);
        at.ry() += metrics.lineSpacing();
    }
}

}  // namespace view
