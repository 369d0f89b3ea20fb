#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace base {

// Reads the start of the file into image, creating an empty file when there
// is none; bytes beyond the end of a short file read as 0. A file that cannot
// be opened for writing is read all the same. On failure error holds the
// system's reason, and image may hold a part of the file.
bool loadImage(const std::filesystem::path& path, std::span<std::uint8_t> image,
               std::string& error);

// Writes image over the start of the file, creating it when missing; a longer
// file keeps the rest of its bytes. The new bytes go to a file beside it that
// takes the name only once all of them are on the disk: a save that fails,
// for want of room or of the right to write, leaves the file as it was.
bool saveImage(const std::filesystem::path& path, std::span<const std::uint8_t> image,
               std::string& error);

}  // namespace base
