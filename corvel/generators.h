#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace corvel {

// The values of the grid fields Text1(0) to Text1(17), as the number rule
// reads their texts.
struct ProgramFields {
    std::array<double, 18> value{};
};

// Lamp states of the 256 outputs for one demonstration step: -1 on, 0 off.
// Entry 256 exists but is never drawn.
using Lamps = std::array<std::int16_t, 257>;

// The picture of the program's work mode at step c; modes without a
// generator (4, 5 and any other value) are dark.
Lamps lampStates(const ProgramFields& fields, double c);

// The fields of a program as the controller reads them from its 32 bytes:
// WorkMode in byte 0, Interval and HoldTime in bytes 1-2 and 3-4 (low byte
// first), the other fields in bytes 5 to 19.
ProgramFields programFields(std::span<const std::uint8_t, 32> program);

// The 256 outputs as the controller holds them: output i is bit i % 8 of
// byte i / 8.
std::array<std::uint8_t, 32> outputBytes(const Lamps& lamps);

// The four lamp lines: line k shows outputs 64k (leftmost) to 64k + 63,
// "I" for on and "." for off.
std::array<std::string, 4> lampLines(const Lamps& lamps);

}  // namespace corvel
