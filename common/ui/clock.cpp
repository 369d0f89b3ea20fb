#include "ui/clock.h"

#include <chrono>

#ifdef __linux__
#include <sys/prctl.h>
#endif

namespace ui {

std::int64_t SteadyClock::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void requestPreciseWakeups() {
#ifdef __linux__
    prctl(PR_SET_TIMERSLACK, 1UL);  // 1 ns: no gathering
#endif
}

}  // namespace ui
