#include "serial/port_scan.h"

#include <string>

#include "base/number.h"

namespace serial {

namespace {

// Port numbers follow their caption with one leading blank.
std::string portLine(const std::string& caption, int number) {
    return caption + base::blankNumberText(number);
}

}  // namespace

void scanPorts(SerialPort& port, ui::Surface& surface, ui::ComboBox& combo) {
    for (int number = 16; number >= 1; --number) {
        port.setPortNumber(number);
        if (!port.open()) surface.printLine(portLine("出错或占用Com号= ", number));
        if (port.isOpen()) {
            surface.printLine(portLine("可用Com号= ", number));
            combo.setText(std::to_string(number));
            port.close();
        }
    }
}

}  // namespace serial
