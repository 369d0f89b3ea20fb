#include "serial/port_device.h"

#include <system_error>

namespace serial {

namespace fs = std::filesystem;

#ifdef _WIN32

std::string comPortDevice(int n, const fs::path&) {
    return "COM" + std::to_string(n);
}

#else

std::string comPortDevice(int n, const fs::path& dataDir) {
    const fs::path link = dataDir / ("com" + std::to_string(n));
    std::error_code error;
    if (fs::symlink_status(link, error).type() != fs::file_type::symlink) {
        return "/dev/ttyS" + std::to_string(n - 1);
    }
    fs::path target = fs::read_symlink(link, error);
    // A link that vanished meanwhile still names a port that cannot be opened.
    if (error) return link.string();
    return target.is_relative() ? (dataDir / target).string() : target.string();
}

#endif

}  // namespace serial
