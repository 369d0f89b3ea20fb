#pragma once

#include <array>
#include <cstdint>
#include <numeric>
#include <vector>

// Plexa's request frames, built as the program sends them, for benchmarks
// that play the program's side of the line.
namespace test {

using Frame = std::vector<std::uint8_t>;
using Data = std::array<std::uint8_t, 16>;

// STX, the command, the block number high byte first, the data, then the sum
// of the bytes from the command on, low byte first, and ETX.
inline Frame plexaFrame(std::uint8_t command, std::uint16_t block, const Frame& data) {
    Frame frame{2, command, static_cast<std::uint8_t>(block >> 8),
                static_cast<std::uint8_t>(block)};
    frame.insert(frame.end(), data.begin(), data.end());
    const unsigned sum = std::accumulate(frame.begin() + 1, frame.end(), 0u);
    frame.insert(frame.end(),
                 {static_cast<std::uint8_t>(sum & 0xFF), static_cast<std::uint8_t>(sum >> 8), 3});
    return frame;
}

inline Frame plexaRead(std::uint16_t block) {
    return plexaFrame(17, block, {});
}

inline Frame plexaWrite(std::uint16_t block, const Data& data) {
    return plexaFrame(18, block, {data.begin(), data.end()});
}

// 16 bytes counting up from first.
inline Data counting(std::uint8_t first) {
    Data data;
    std::iota(data.begin(), data.end(), first);
    return data;
}

}  // namespace test
