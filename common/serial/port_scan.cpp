#include "serial/port_scan.h"

#include <string>

#include "base/number.h"

namespace serial {

std::string portLine(const std::string& caption, int number) {
    return caption + base::blankNumberText(number);
}

void scanPorts(SerialPort& port, ui::Surface& surface, ui::ComboBox& combo) {
    for (int number = kScannedPorts; number >= 1; --number) {
        port.setPortNumber(number);
        if (!port.open()) surface.printLine(portLine(kBusyPortLine, number));
        if (port.isOpen()) {
            surface.printLine(portLine(kFreePortLine, number));
            combo.setText(std::to_string(number));
            port.close();
        }
    }
}

}  // namespace serial
