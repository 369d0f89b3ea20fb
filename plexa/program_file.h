#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "plexa/program_table.h"

namespace plexa {

// Size of a program file: rows 0 to 9100, 32 bytes each, no header.
inline constexpr std::size_t kProgramFileBytes = ProgramTable::kStoredRows * 32;

// The file's bytes of the table, and the table from them.
std::vector<std::uint8_t> fileImage(const ProgramTable& table);
void setFileImage(ProgramTable& table, std::span<const std::uint8_t> image);

}  // namespace plexa
