#pragma once

#include <cstdint>

namespace corvel {

// One time unit of the show in ms: the TimeUnit byte (row 0, column 19) 0
// means 0.01 s, anything else 0.1 s.
int timeUnitMs(std::uint8_t timeUnit);

// A period of the given number of time units, as the timers can hold it:
// at least 1 ms (0 or below runs as 1 ms) and at most 30 s.
int periodMs(double units, int unitMs);

}  // namespace corvel
