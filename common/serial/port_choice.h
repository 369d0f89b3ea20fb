#pragma once

#include <string>

#include "serial/serial_port.h"

namespace serial {

// Opens the COM port named by the port box's text; false, with the reason in
// error, when the text names no port from 1 to 16 or the port cannot be opened.
bool openChosenPort(SerialPort& port, const std::string& choice, std::string& error);

}  // namespace serial
