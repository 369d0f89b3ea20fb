#pragma once

#include <cstddef>
#include <cstdint>

#include "serial/serial_port.h"

namespace serial {

inline constexpr std::uint8_t kStx = 2;
inline constexpr std::uint8_t kEtx = 3;
inline constexpr std::size_t kWriteReplyBytes = 3;
inline constexpr std::size_t kReadReplyBytes = 20;

// Appends the 16-bit sum of the frame's bytes from index first on, low byte
// first, and the ETX.
void appendChecksumAndEnd(Bytes& frame, std::size_t first);

// True for the 2, 5, 3 that accepts a write.
bool writeAccepted(const Bytes& reply);
// True when a read reply has STX, ETX and the right checksum of its 16 data bytes.
bool readReplyValid(const Bytes& reply);

}  // namespace serial
