#include <QApplication>

#include "base/data_dir.h"
#include "corvel/form.h"
#include "corvel/view/main_window.h"
#include "serial/qt_serial_port.h"
#include "ui/clock.h"
#include "view/timer_driver.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Ties the window to its desktop entry, and so to its icon.
    QApplication::setDesktopFileName("org.dovra.Corvel");
    const auto dataDir = base::dataDirectory();
    ui::SteadyClock clock;
    serial::QtSerialPort port(dataDir);
    // A blocking transfer shows its progress by painting the window at once:
    // running the event loop inside it would deliver timer ticks and clicks
    // in the middle of the transfer.
    QWidget* shown = nullptr;
    corvel::Form1 form({dataDir, clock, port, [&shown] {
                            if (shown) shown->repaint();
                        }});
    view::TimerDriver driver(form.timers);
    corvel::MainWindow window(form);
    shown = &window;
    form.load();
    window.show();
    return app.exec();
}
