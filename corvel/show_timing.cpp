#include "corvel/show_timing.h"

#include "base/number.h"

namespace corvel {

int timeUnitMs(std::uint8_t timeUnit) {
    return timeUnit == 0 ? 10 : 100;
}

int periodMs(double units, int unitMs) {
    constexpr int kLongestPeriodMs = 30000;
    return base::clampRound(units * unitMs, 1, kLongestPeriodMs);
}

}  // namespace corvel
