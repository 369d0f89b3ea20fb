#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <thread>

#include "absent_port.h"
#include "plexa/form.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"

namespace test {

// Plexa's window on real time with the real serial port, whose COM ports
// are simulated controllers on pseudo-terminals; every other COM port is a
// link to nowhere, so the start-up scan finds only the simulated ones.
class PlexaLineTest : public ::testing::Test {
  protected:
    PlexaLineTest() : dataDir(temp.path() / "dovra"), port(dataDir) {}

    ctrlsim::Simulator& simulate(int com, ctrlsim::Options options = {}) {
        auto& sim = sims[com];
        sim = std::make_unique<ctrlsim::Simulator>(options);
        sim->start();
        sim->linkAs(dataDir, com);
        return *sim;
    }

    plexa::Form1& start() {
        std::set<int> simulated;
        for (const auto& entry : sims) simulated.insert(entry.first);
        linkAbsentPorts(dataDir, simulated);
        form = std::make_unique<plexa::Form1>(plexa::Environment{dataDir, clock, port, {}});
        form->load();
        runFor(std::chrono::milliseconds(1001));  // the first display tick
        return *form;
    }

    bool transferRunning() const {
        return !form->Command3.enabled() || form->Timer5.enabled() || form->Timer6.enabled() ||
               form->Timer7.enabled() || form->Timer8.enabled() || form->Timer9.enabled();
    }

    // Delivers the window's timer ticks as the event loop would.
    template <typename Done>
    void runUntil(Done done, std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (!done() && std::chrono::steady_clock::now() < end) {
            if (const auto due = form->timers.nextDue()) {
                std::this_thread::sleep_for(
                    std::chrono::milliseconds(std::max<std::int64_t>(0, *due - clock.nowMs())));
            }
            form->timers.runDue();
        }
    }
    void runFor(std::chrono::milliseconds span) {
        const auto end = std::chrono::steady_clock::now() + span;
        runUntil([&] { return std::chrono::steady_clock::now() >= end; }, span);
    }
    // Clicks a transfer button and runs until the buttons are back.
    void transfer(ui::Button& button, std::chrono::milliseconds limit = std::chrono::minutes(3)) {
        button.click();
        runUntil([this] { return !transferRunning(); }, limit);
        ASSERT_FALSE(transferRunning()) << "the transfer did not end";
    }

    TempDir temp;
    std::filesystem::path dataDir;
    ui::SteadyClock clock;
    serial::QtSerialPort port;
    std::map<int, std::unique_ptr<ctrlsim::Simulator>> sims;
    std::unique_ptr<plexa::Form1> form;
};

}  // namespace test
