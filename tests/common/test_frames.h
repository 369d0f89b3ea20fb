#pragma once

#include <array>
#include <cstdint>
#include <numeric>
#include <vector>

// Request frames of both controllers, built as the programs send them, for
// tests that play the programs' side of the line.
namespace test {

using Frame = std::vector<std::uint8_t>;
using Data = std::array<std::uint8_t, 16>;

inline void appendChecksum(Frame& frame, std::size_t from) {
    const unsigned sum = std::accumulate(frame.begin() + from, frame.end(), 0u);
    frame.insert(frame.end(),
                 {static_cast<std::uint8_t>(sum & 0xFF), static_cast<std::uint8_t>(sum >> 8), 3});
}

inline Frame plexaWrite(std::uint16_t block, const Data& data) {
    Frame frame{2, 18, static_cast<std::uint8_t>(block >> 8), static_cast<std::uint8_t>(block)};
    frame.insert(frame.end(), data.begin(), data.end());
    appendChecksum(frame, 1);
    return frame;
}

inline Frame plexaRead(std::uint16_t block) {
    Frame frame{2, 17, static_cast<std::uint8_t>(block >> 8), static_cast<std::uint8_t>(block)};
    appendChecksum(frame, 1);
    return frame;
}

inline Frame corvelWrite(std::uint8_t block, const Data& data) {
    Frame frame{2, 8, block};
    frame.insert(frame.end(), data.begin(), data.end());
    appendChecksum(frame, 2);
    return frame;
}

inline Frame corvelRead(std::uint8_t block) {
    return {2, 7, block, block, 3};
}

// 16 bytes counting up from first.
inline Data counting(std::uint8_t first) {
    Data data;
    std::iota(data.begin(), data.end(), first);
    return data;
}

}  // namespace test
