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
// directory: not "." or "..", and no "/" (on Windows no "\" and no drive
// either). Elsewhere ":" and "\" are ordinary characters of a file name.
bool isPlainFileName(const std::string& name);

}  // namespace base
