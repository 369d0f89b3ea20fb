#pragma once

class QWidget;

namespace view {

// Paints the window at once, without handling any input or timer: a loop
// that holds the event loop shows its progress through this.
void paintProgress(QWidget& window);

}  // namespace view
