#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "controller.h"
#include "fake_port.h"
#include "plexa/form.h"
#include "temp_dir.h"

namespace test {

// Plexa's main window on a hand-driven clock in a fresh data directory. Its
// port is scripted; once linked, a simulated controller answers it.
class PlexaFormTest : public ::testing::Test {
  protected:
    PlexaFormTest() : dataDir(temp.path() / "dovra"), port(clock) {}

    // Builds and loads the window; the data directory may be prepared first.
    plexa::Form1& start() {
        form = std::make_unique<plexa::Form1>(plexa::Environment{dataDir, clock, port,
                                                                 [this] { ++quits; },
                                                                 [this] {
                                                                     if (showProgress)
                                                                         showProgress();
                                                                 }});
        form->load();
        return *form;
    }
    // Starts and waits for the first display tick, after which edits count.
    plexa::Form1& startEditing() {
        start();
        tick();
        return *form;
    }
    plexa::Form1& startLinked(std::int64_t replyDelayMs = 2) {
        port.setResponder(fake::controllerResponder(controller, replyDelayMs));
        return startEditing();
    }
    void tick() { form->timers.advance(clock, 1000); }
    // Runs the window's timers until a transfer has cooled down.
    void runTransfer(std::int64_t ms = 10'000'000) { form->timers.advance(clock, ms); }

    int word(int linear) const { return form->ProgramTable.word(linear); }

    TempDir temp;
    std::filesystem::path dataDir;
    ui::ManualClock clock;
    ctrlsim::Controller controller;
    fake::FakePort port;
    std::unique_ptr<plexa::Form1> form;
    int quits = 0;
    std::function<void()> showProgress;  // during every exchange, once the request is out
};

}  // namespace test
