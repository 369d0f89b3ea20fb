#include "base/other_cores.h"

#include <utility>

#ifdef __linux__
#include <sched.h>
#endif

namespace base {

#ifdef __linux__
namespace {

// On Linux a thread's cores are its own setting.
void keepOff(int core) {
    cpu_set_t cores;
    if (core < 0 || sched_getaffinity(0, sizeof cores, &cores) != 0) return;
    if (!CPU_ISSET(core, &cores) || CPU_COUNT(&cores) < 2) return;
    CPU_CLR(core, &cores);
    sched_setaffinity(0, sizeof cores, &cores);
}

}  // namespace

std::thread startOnOtherCores(std::function<void()> work) {
    return std::thread([core = sched_getcpu(), work = std::move(work)] {
        keepOff(core);
        work();
    });
}
#else
std::thread startOnOtherCores(std::function<void()> work) {
    return std::thread(std::move(work));
}
#endif

}  // namespace base
