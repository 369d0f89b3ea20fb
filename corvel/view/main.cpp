#include <QApplication>

#include "base/data_dir.h"
#include "corvel/form.h"
#include "corvel/view/main_window.h"
#include "serial/system_port.h"
#include "ui/clock.h"
#include "view/group_frame.h"
#include "view/progress_paint.h"
#include "view/timer_driver.h"
#include "view/window_font.h"

int main(int argc, char** argv) {
    view::FontConfigAhead fontConfig;
    QApplication app(argc, argv);
    fontConfig.applicationStarted();
    // Ties the window to its desktop entry, and so to its icon.
    QApplication::setDesktopFileName("org.dovra.Corvel");
    view::drawGroupFramesByHand();
    const auto dataDir = base::dataDirectory();
    ui::SteadyClock clock;
    serial::SystemSerialPort port(dataDir);
    // A blocking transfer shows its progress without running the event loop,
    // which would deliver timer ticks and clicks in the middle of it.
    view::ProgressPainter painter(clock);
    corvel::Form1 form({dataDir, clock, port, [&painter] { painter.paint(); }});
    view::TimerDriver driver(form.timers);
    // The window is built from the loaded form, each control once.
    form.load();
    fontConfig.wait();
    corvel::MainWindow window(form, painter);
    window.show();
    return app.exec();
}
