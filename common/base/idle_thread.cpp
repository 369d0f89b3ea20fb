#include "base/idle_thread.h"

#include <utility>

#ifdef __linux__
#include <sched.h>
#endif

namespace base {

#ifdef __linux__
namespace {

// On Linux each of these settings is the calling thread's own.
void keepToIdleMomentsOf(int core) {
    if (core >= 0) {
        cpu_set_t cores;
        CPU_ZERO(&cores);
        CPU_SET(core, &cores);
        sched_setaffinity(0, sizeof cores, &cores);
    }
    const sched_param idle{};
    sched_setscheduler(0, SCHED_IDLE, &idle);
}

}  // namespace

std::thread startInIdleMoments(std::function<void()> work) {
    return std::thread([core = sched_getcpu(), work = std::move(work)] {
        keepToIdleMomentsOf(core);
        work();
    });
}
#else
std::thread startInIdleMoments(std::function<void()> work) {
    return std::thread(std::move(work));
}
#endif

}  // namespace base
