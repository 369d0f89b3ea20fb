#include "base/data_dir.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace base {
namespace {

#ifndef _WIN32
std::filesystem::path homeDirectory() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr) return entry->pw_dir;
    return "/";
}
#endif

#ifdef _WIN32
// Windows opens a device for these names in any folder and with any
// extension: a save to "nul.qdf" would vanish and report success, one to
// "com1.qdf" would go out on the serial port.
bool namesDevice(const std::string& name) {
    std::string stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (stem == device) return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}
#endif

}  // namespace

std::filesystem::path dataDirectory() {
#ifdef _WIN32
    return "c:\\dovra";
#else
    return homeDirectory() / "dovra";
#endif
}

bool ensureDirectory(const std::filesystem::path& dir, std::string& error) {
    std::error_code code;
    if (std::filesystem::is_directory(dir, code)) return true;
    std::filesystem::create_directories(dir, code);
    if (code) {
        error = code.message();
        return false;
    }
    return true;
}

std::filesystem::path pathOfName(const std::string& utf8) {
    return std::u8string(utf8.begin(), utf8.end());
}

std::string nameOfPath(const std::filesystem::path& path) {
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

bool isPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
#ifdef _WIN32
    // Windows also splits paths at "\", and a ":" names a drive or a stream.
    const char* const separators = "/\\:";
    if (namesDevice(name)) return false;
#else
    const char* const separators = "/";
#endif
    return name.find_first_of(separators) == std::string::npos &&
           name.find('\0') == std::string::npos;
}

}  // namespace base
