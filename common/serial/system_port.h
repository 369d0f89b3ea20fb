#pragma once

// The programs' real COM port: the system's serial API on Windows, Qt Serial
// Port elsewhere.
#ifdef _WIN32
#include "serial/win_serial_port.h"
#else
#include "serial/qt_serial_port.h"
#endif

namespace serial {

#ifdef _WIN32
using SystemSerialPort = WinSerialPort;
#else
using SystemSerialPort = QtSerialPort;
#endif

}  // namespace serial
