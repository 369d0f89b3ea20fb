#pragma once

#include <filesystem>
#include <string>

namespace base {

// The fixed directory of the program files: "c:\dovra" on Windows, the
// directory dovra in the user's home directory elsewhere.
std::filesystem::path dataDirectory();

// Creates the directory when it does not exist; on failure returns false and
// puts the system's reason into error.
bool ensureDirectory(const std::filesystem::path& dir, std::string& error);

// The path of a file name as the window holds it, in UTF-8, and back; the
// system's own narrow encoding is UTF-8 on Linux only.
std::filesystem::path pathOfName(const std::string& utf8);
std::string nameOfPath(const std::filesystem::path& path);

// True when name can only ever name a file directly inside the data
// directory: not "." or "..", and no "/" (on Windows no "\", no drive and
// no device such as "nul" or "com1" either). Elsewhere ":" and "\" are
// ordinary characters of a file name.
bool isPlainFileName(const std::string& name);

}  // namespace base
