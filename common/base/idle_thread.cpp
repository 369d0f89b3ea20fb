#include "base/idle_thread.h"

#include <utility>

#ifdef __linux__
#include <sched.h>
#endif

namespace base {

#ifdef __linux__
namespace {

// On Linux each of these settings is the calling thread's own.
void keepToIdleCoresBesides(int core) {
    cpu_set_t cores;
    if (core >= 0 && sched_getaffinity(0, sizeof cores, &cores) == 0 && CPU_ISSET(core, &cores) &&
        CPU_COUNT(&cores) > 1) {
        CPU_CLR(core, &cores);
        sched_setaffinity(0, sizeof cores, &cores);
    }
    const sched_param idle{};
    sched_setscheduler(0, SCHED_IDLE, &idle);
}

}  // namespace

std::thread startOnIdleCores(std::function<void()> work) {
    return std::thread([core = sched_getcpu(), work = std::move(work)] {
        keepToIdleCoresBesides(core);
        work();
    });
}
#else
std::thread startOnIdleCores(std::function<void()> work) {
    return std::thread(std::move(work));
}
#endif

}  // namespace base
