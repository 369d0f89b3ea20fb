#include "view/progress_paint.h"

#include <QWidget>

namespace view {

void paintProgress(QWidget& window) {
    window.repaint();
}

}  // namespace view
