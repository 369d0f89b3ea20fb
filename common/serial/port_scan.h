#pragma once

#include "serial/serial_port.h"
#include "ui/controls.h"

namespace serial {

// The start-up probe of COM ports 16 down to 1: one line per port on the
// window surface, and combo's text left at the lowest port that opened.
void scanPorts(SerialPort& port, ui::Surface& surface, ui::ComboBox& combo);

}  // namespace serial
