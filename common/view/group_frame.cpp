#include "view/group_frame.h"

#include <QApplication>
#include <QGroupBox>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>

namespace view {

namespace {

// Fusion's room between the top of the box and its frame, beyond the title.
constexpr int kFrameTopMargin = 3;
// The rounding of the frame's corners, close to the image's shading there.
constexpr double kCornerRadius = 1;

// Fusion's frame as its image shows it: a grey line, a fainter line within
// it and a faint shade over the inside, all translucent over the window.
class HandDrawnFrameStyle final : public QProxyStyle {
  public:
    HandDrawnFrameStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element != PE_FrameGroupBox) {
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            return;
        }
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const QRectF frame = frameRect(option, widget);
        fill(painter, frame.adjusted(1.5, 1.5, -1.5, -1.5), QColor(0, 0, 0, 3));
        outline(painter, frame.adjusted(1, 1, -1, -1), QColor(0, 0, 0, 7));
        outline(painter, frame, QColor(117, 117, 117, 50));
        painter->restore();
    }

  private:
    // The box's rectangle below its title, as Fusion places the image: its
    // line runs one pixel in from the left and the top.
    QRectF frameRect(const QStyleOption* option, const QWidget* widget) const {
        const auto* box = qobject_cast<const QGroupBox*>(widget);
        const bool bare = box && !box->isCheckable() && box->title().isEmpty();
        const int title = bare ? 0
                               : std::max(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget),
                                          option->fontMetrics.height());
        const QRect rect = option->rect.adjusted(0, title + kFrameTopMargin, 0, 0);
        return QRectF(rect).adjusted(1.5, 1.5, -0.5, -0.5);
    }

    static void fill(QPainter* painter, const QRectF& frame, const QColor& color) {
        QPainterPath path;
        path.addRoundedRect(frame, kCornerRadius, kCornerRadius);
        painter->fillPath(path, color);
    }

    static void outline(QPainter* painter, const QRectF& frame, const QColor& color) {
        painter->setPen(QPen(color, 1));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(frame, kCornerRadius, kCornerRadius);
    }
};

}  // namespace

void drawGroupFramesByHand() {
    QStyle* style = QApplication::style();
    if (dynamic_cast<HandDrawnFrameStyle*>(style)) return;
    if (style->name().compare("fusion", Qt::CaseInsensitive) != 0) return;
    QApplication::setStyle(new HandDrawnFrameStyle);
}

}  // namespace view
