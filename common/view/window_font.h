#pragma once

class QWidget;

namespace view {

// Gives the window the Chinese font first, the system's font after it, so
// that the port-scan lines and the Chinese messages show their characters
// and every text of the window looks alike.
void useChineseFont(QWidget* window);

}  // namespace view
