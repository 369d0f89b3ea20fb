#include "base/other_cores.h"

#include <future>
#include <utility>

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#endif

namespace base {

#ifdef __linux__
namespace {

// On Linux a thread's cores are its own setting, which another thread of
// the process may set.
void keepOff(std::thread& thread, int core) {
    cpu_set_t cores;
    if (core < 0 || sched_getaffinity(0, sizeof cores, &cores) != 0) return;
    if (!CPU_ISSET(core, &cores) || CPU_COUNT(&cores) < 2) return;
    CPU_CLR(core, &cores);
    pthread_setaffinity_np(thread.native_handle(), sizeof cores, &cores);
}

}  // namespace

std::thread startOnOtherCores(std::function<void()> work) {
    const int core = sched_getcpu();
    std::promise<void> placed;
    std::thread thread([placed = placed.get_future(), work = std::move(work)] {
        placed.wait();
        work();
    });
    keepOff(thread, core);
    placed.set_value();
    return thread;
}
#else
std::thread startOnOtherCores(std::function<void()> work) {
    return std::thread(std::move(work));
}
#endif

}  // namespace base
