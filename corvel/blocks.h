#pragma once

#include <array>
#include <cstdint>

#include "corvel/program_table.h"
#include "serial/serial_port.h"

namespace corvel {

inline constexpr std::uint8_t kReadBlock = 7;
inline constexpr std::uint8_t kWriteBlock = 8;

// Block b holds 16 cells of row (b - 1) / 2: columns 0 to 15 when b is odd,
// 16 to 31 when it is even (block 0 therefore shares block 2's cells).
// Blocks 253 to 255 have no row.
struct BlockPlace {
    int row;
    int column;
};
BlockPlace blockPlace(std::uint8_t b);
std::array<std::uint8_t, 16> blockData(const ProgramTable& table, std::uint8_t b);
void setBlockData(ProgramTable& table, std::uint8_t b, const serial::Bytes& reply);

// 2, 8, b, 16 data bytes, the sum of b and the data (low byte first), 3.
serial::Bytes writeRequest(std::uint8_t b, const std::array<std::uint8_t, 16>& data);
// 2, 7, b, b, 3.
serial::Bytes readRequest(std::uint8_t b);

}  // namespace corvel
