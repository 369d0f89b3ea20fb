#pragma once

#include <filesystem>
#include <string>

namespace serial {

// The device of COM port n (1 to 16): "COMn" on Windows; elsewhere the target
// of the link "comn" in the data directory when that link exists (even when
// it points nowhere), else /dev/ttyS(n-1).
std::string comPortDevice(int n, const std::filesystem::path& dataDir);

}  // namespace serial
