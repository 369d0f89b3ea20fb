#pragma once

#include <string>

#include "serial/serial_port.h"
#include "ui/controls.h"

namespace serial {

// The ports probed, and the lines the probe writes for each.
inline constexpr int kScannedPorts = 16;
inline constexpr const char* kFreePortLine = "可用Com号= ";
inline constexpr const char* kBusyPortLine = "出错或占用Com号= ";

// The line written for the port: the caption and the number after one blank.
std::string portLine(const std::string& caption, int number);

// The start-up probe of COM ports 16 down to 1: one line per port on the
// window surface, and combo's text left at the lowest port that opened.
void scanPorts(SerialPort& port, ui::Surface& surface, ui::ComboBox& combo);

}  // namespace serial
