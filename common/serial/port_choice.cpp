#include "serial/port_choice.h"

#include "base/number.h"

namespace serial {

bool openChosenPort(SerialPort& port, const std::string& choice, std::string& error) {
    const int number = base::clampRound(base::numberValue(choice), 0, 1000);
    if (number < 1 || number > 16) {
        error = "No COM port " + choice + ": choose a port from 1 to 16";
        return false;
    }
    port.setPortNumber(number);
    if (port.open()) return true;
    error = port.errorString();
    return false;
}

}  // namespace serial
