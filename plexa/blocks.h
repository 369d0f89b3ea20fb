#pragma once

#include <array>
#include <cstdint>

#include "serial/serial_port.h"

namespace plexa {

inline constexpr std::uint8_t kReadBlock = 17;
inline constexpr std::uint8_t kWriteBlock = 18;

// Request frames: STX, command, block number high and low, (data,) checksum
// low and high, ETX. The checksum adds every byte between STX and itself.
serial::Bytes writeRequest(std::int16_t block, const std::array<std::uint8_t, 16>& data);
serial::Bytes readRequest(std::int16_t block);

}  // namespace plexa
