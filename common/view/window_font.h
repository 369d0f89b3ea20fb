#pragma once

class QWidget;

namespace view {

// Makes the Chinese font the window's font and the program's, the system's
// font after it, so that the port-scan lines and the Chinese messages show
// their characters and every text looks alike: the window's, its dialogs'
// and its popups'.
void useChineseFont(QWidget* window);

}  // namespace view
