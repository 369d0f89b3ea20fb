#pragma once

#include <QSize>

class QScrollArea;
class QWidget;

namespace view {

// The room the window's screen leaves for the window's inside: the screen's
// available area less a title bar.
QSize screenRoom(const QWidget* window);

// The size of a scroll area that shows content of the given size: the
// content with the scroll area's frame and the scroll bars it needs, within
// the room. A scroll bar is counted only where the content does not fit, so
// that one bar never forces the other.
QSize scrolledSize(const QScrollArea* scroll, QSize content, QSize room);

}  // namespace view
