#include "base/idle_thread.h"

#include <gtest/gtest.h>

#ifdef __linux__
#include <sched.h>
#endif

namespace {

// The work runs once, on the core the starter was on, giving way to every
// thread that wants that core.
TEST(IdleThread, RunsTheWorkOnTheStartersCoreInItsIdleMoments) {
    int runs = 0;
#ifdef __linux__
    int core = -1;
    int policy = -1;
    // The starter stays on its core meanwhile, as a thread most often does.
    cpu_set_t allowed;
    sched_getaffinity(0, sizeof allowed, &allowed);
    const int startersCore = sched_getcpu();
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(startersCore, &one);
    sched_setaffinity(0, sizeof one, &one);
    std::thread thread = base::startInIdleMoments([&] {
        ++runs;
        core = sched_getcpu();
        policy = sched_getscheduler(0);
    });
    thread.join();
    sched_setaffinity(0, sizeof allowed, &allowed);
    EXPECT_EQ(core, startersCore);
    EXPECT_EQ(policy, SCHED_IDLE);
#else
    std::thread thread = base::startInIdleMoments([&] { ++runs; });
    thread.join();
#endif
    EXPECT_EQ(runs, 1);
}

}  // namespace
