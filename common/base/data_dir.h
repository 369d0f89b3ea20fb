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

// True when name can only ever name a file directly inside the data
// directory: no path separator, no drive prefix, not "." or "..".
bool isPlainFileName(const std::string& name);

}  // namespace base
