#pragma once

#include <array>
#include <cstdint>

#include "serial/serial_port.h"

namespace plexa {

inline constexpr std::uint8_t kReadBlock = 17;
inline constexpr std::uint8_t kWriteBlock = 18;
inline constexpr std::size_t kWriteReplyBytes = 3;
inline constexpr std::size_t kReadReplyBytes = 20;

// Request frames: STX, command, block number high and low, (data,) checksum
// low and high, ETX. The checksum adds every byte between STX and itself.
serial::Bytes writeRequest(std::int16_t block, const std::array<std::uint8_t, 16>& data);
serial::Bytes readRequest(std::int16_t block);

// True for the 2, 5, 3 that accepts a write.
bool writeAccepted(const serial::Bytes& reply);
// True when a read reply has STX, ETX and the right checksum of its 16 data bytes.
bool readReplyValid(const serial::Bytes& reply);

}  // namespace plexa
