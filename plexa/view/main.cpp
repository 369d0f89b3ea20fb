#include <QApplication>

#include "base/data_dir.h"
#include "plexa/form.h"
#include "plexa/view/main_window.h"
#include "serial/system_port.h"
#include "ui/clock.h"
#include "view/group_frame.h"
#include "view/progress_paint.h"
#include "view/timer_driver.h"
#include "view/window_font.h"

int main(int argc, char** argv) {
    // Before Qt starts any thread, which takes this setting over.
    ui::requestPreciseWakeups();
    view::FontConfigAhead fontConfig;
    QApplication app(argc, argv);
    fontConfig.applicationStarted();
    // Ties the window to its desktop entry, and so to its icon.
    QApplication::setDesktopFileName("org.dovra.Plexa");
    view::drawGroupFramesByHand();
    const auto dataDir = base::dataDirectory();
    ui::SteadyClock clock;
    serial::SystemSerialPort port(dataDir);
    view::ProgressPainter painter(clock);
    // Exit has asked about unsaved edits: it ends the program without
    // closing the window, which would ask again.
    plexa::Form1 form(
        {dataDir, clock, port, [] { QApplication::exit(0); }, [&painter] { painter.paint(); }});
    view::TimerDriver driver(form.timers);
    // The window is built from the loaded form, each control once.
    form.load();
    fontConfig.wait();
    plexa::MainWindow window(form, painter);
    window.show();
    return app.exec();
}
