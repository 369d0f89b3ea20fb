#include "base/data_dir.h"

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

bool isPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
#ifdef _WIN32
    // Windows also splits paths at "\", and a ":" names a drive or a stream.
    const char* const separators = "/\\:";
#else
    const char* const separators = "/";
#endif
    return name.find_first_of(separators) == std::string::npos &&
           name.find('\0') == std::string::npos;
}

}  // namespace base
