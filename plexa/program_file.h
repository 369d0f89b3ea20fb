#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "plexa/program_table.h"

namespace plexa {

// Size of a program file: rows 0 to 9100, 32 bytes each, no header.
inline constexpr std::size_t kProgramFileBytes = ProgramTable::kStoredRows * 32;

// The file's bytes of the table, and the table from them.
std::vector<std::uint8_t> fileImage(const ProgramTable& table);
void setFileImage(ProgramTable& table, std::span<const std::uint8_t> image);

// Reads rows 0 to 9100 from the file, creating an empty file when there is
// none; bytes beyond the end of a short file read as 0. On failure the table
// is left as it was and error holds the system's reason.
bool load(ProgramTable& table, const std::filesystem::path& path, std::string& error);

// Writes rows 0 to 9100 over the start of the file, creating it when missing;
// a longer file keeps the rest of its bytes.
bool save(const ProgramTable& table, const std::filesystem::path& path, std::string& error);

}  // namespace plexa
