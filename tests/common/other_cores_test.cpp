// A helper thread started off its caller's core.
#include <gtest/gtest.h>
#include <sched.h>

#include <algorithm>

#include "base/other_cores.h"

namespace {

cpu_set_t coresOfThisThread() {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    EXPECT_EQ(sched_getaffinity(0, sizeof cores, &cores), 0);
    return cores;
}

// The work finds itself placed as it begins: on all the caller's cores but
// one, or beside a caller held to a single core. The caller keeps its own.
TEST(StartOnOtherCores, WorkBeginsOnTheCallersOtherCores) {
    const cpu_set_t all = coresOfThisThread();
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int core = 0; CPU_COUNT(&one) == 0; ++core)
        if (CPU_ISSET(core, &all)) CPU_SET(core, &one);
    for (const cpu_set_t& callers : {all, one}) {
        ASSERT_EQ(sched_setaffinity(0, sizeof callers, &callers), 0);
        cpu_set_t seen;
        CPU_ZERO(&seen);
        base::startOnOtherCores([&] { seen = coresOfThisThread(); }).join();
        const cpu_set_t kept = coresOfThisThread();
        EXPECT_TRUE(CPU_EQUAL(&kept, &callers));
        EXPECT_EQ(CPU_COUNT(&seen), std::max(1, CPU_COUNT(&callers) - 1));
        cpu_set_t shared;
        CPU_AND(&shared, &seen, &callers);
        EXPECT_TRUE(CPU_EQUAL(&shared, &seen));
    }
    sched_setaffinity(0, sizeof all, &all);
}

}  // namespace
