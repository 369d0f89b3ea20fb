// Plexa's window on a real clock, for the tests that talk over a real line.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "plexa/form.h"

namespace test {

// Delivers the window's timer ticks as the event loop would, until done.
template <typename Done>
void runUntil(plexa::Form1& f, ui::SteadyClock& clock, Done done) {
    using namespace std::chrono_literals;
    const auto end = std::chrono::steady_clock::now() + 3min;
    while (!done() && std::chrono::steady_clock::now() < end) {
        if (const auto due = f.timers.nextDue())
            std::this_thread::sleep_for(std::chrono::milliseconds(*due - clock.nowMs()));
        f.timers.runDue();
    }
    ASSERT_TRUE(done()) << "timed out";
}

}  // namespace test
