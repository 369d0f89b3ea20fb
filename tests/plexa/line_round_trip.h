// Plexa's program goes down a real line and comes back byte for byte, over
// whichever port the platform has: the body of its line test on each.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "plexa/form.h"

namespace test {

// Delivers Plexa's timer ticks as the event loop would, until done.
template <typename Done>
void runUntil(plexa::Form1& f, ui::SteadyClock& clock, Done done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::minutes(3);
    while (!done() && std::chrono::steady_clock::now() < end) {
        if (const auto due = f.timers.nextDue())
            std::this_thread::sleep_for(std::chrono::milliseconds(*due - clock.nowMs()));
        f.timers.runDue();
    }
    ASSERT_TRUE(done()) << "timed out";
}

// Plexa's whole program, loaded on port com, goes down and comes back.
inline void plexaRoundTrip(plexa::Form1& f, ui::SteadyClock& clock, const std::string& com) {
    f.load();
    ASSERT_EQ(f.Combo3.text(), com);
    for (int a = 0; a < 128000; ++a)
        f.ProgramTable.setByte(a, static_cast<std::uint8_t>(a * 7 + 3));
    for (int c = 0; c < 16; ++c) f.ProgramTable.set(9000, c, static_cast<std::uint8_t>(c + 1));
    const plexa::ProgramTable sent = f.ProgramTable;
    const auto idle = [&] { return f.Command3.enabled() && f.Command5.enabled(); };

    f.Command3.click();
    runUntil(f, clock, idle);
    f.ProgramTable = plexa::ProgramTable{};
    f.Command5.click();
    runUntil(f, clock, idle);
    EXPECT_EQ(f.Label13.caption(), "CommunicateSuccessfully");
    EXPECT_EQ(f.ProgramTable.block(0), sent.block(0));
    for (int a = 0; a < 128000; ++a) ASSERT_EQ(f.ProgramTable.byte(a), sent.byte(a)) << a;
}

}  // namespace test
