// A helper thread started off its caller's core.
#include <gtest/gtest.h>

#include <atomic>

#include "base/other_cores.h"

#ifdef __linux__
#include <sched.h>
#endif

namespace {

#ifdef __linux__
cpu_set_t coresOfThisThread() {
    cpu_set_t cores;
    CPU_ZERO(&cores);
    EXPECT_EQ(sched_getaffinity(0, sizeof cores, &cores), 0);
    return cores;
}

cpu_set_t coresOfWork() {
    cpu_set_t seen;
    base::startOnOtherCores([&] { seen = coresOfThisThread(); }).join();
    return seen;
}

// Each case's caller keeps its cores: only the new thread is placed.
class StartOnOtherCores : public testing::Test {
  protected:
    void TearDown() override {
        cpu_set_t after = coresOfThisThread();
        EXPECT_TRUE(CPU_EQUAL(&after, &kept));
        sched_setaffinity(0, sizeof callers, &callers);
    }

    void holdToOneCore() {
        CPU_ZERO(&kept);
        for (int core = 0; core < CPU_SETSIZE && CPU_COUNT(&kept) == 0; ++core)
            if (CPU_ISSET(core, &callers)) CPU_SET(core, &kept);
        ASSERT_EQ(sched_setaffinity(0, sizeof kept, &kept), 0);
    }

    const cpu_set_t callers = coresOfThisThread();
    cpu_set_t kept = callers;
};
#else
class StartOnOtherCores : public testing::Test {};
#endif

TEST_F(StartOnOtherCores, RunsItsWork) {
    std::atomic<bool> ran = false;
    base::startOnOtherCores([&] { ran = true; }).join();
    EXPECT_TRUE(ran);
}

#ifdef __linux__
// The work finds itself placed as it begins, on all the caller's cores but
// one.
TEST_F(StartOnOtherCores, WorkBeginsOnTheCallersOtherCores) {
    if (CPU_COUNT(&callers) < 2) GTEST_SKIP() << "a single core";
    cpu_set_t seen = coresOfWork();
    EXPECT_EQ(CPU_COUNT(&seen), CPU_COUNT(&callers) - 1);
    cpu_set_t shared;
    CPU_AND(&shared, &seen, &callers);
    EXPECT_TRUE(CPU_EQUAL(&shared, &seen));
}

TEST_F(StartOnOtherCores, RunsBesideACallerHeldToOneCore) {
    holdToOneCore();
    cpu_set_t seen = coresOfWork();
    EXPECT_TRUE(CPU_EQUAL(&seen, &kept));
}
#endif

}  // namespace
