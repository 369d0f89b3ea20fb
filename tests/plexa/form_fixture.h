#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "absent_port.h"
#include "plexa/form.h"
#include "temp_dir.h"

namespace test {

// Plexa's main window on a hand-driven clock in a fresh data directory.
class PlexaFormTest : public ::testing::Test {
  protected:
    PlexaFormTest() : dataDir(temp.path() / "dovra") {}

    // Builds and loads the window; the data directory may be prepared first.
    plexa::Form1& start(serial::SerialPort* port = nullptr) {
        form = std::make_unique<plexa::Form1>(
            plexa::Environment{dataDir, clock, port ? *port : absent, [this] { ++quits; }});
        form->load();
        return *form;
    }
    // Starts and waits for the first display tick, after which edits count.
    plexa::Form1& startEditing(serial::SerialPort* port = nullptr) {
        start(port);
        tick();
        return *form;
    }
    void tick() { form->timers.advance(clock, 1000); }

    int word(int linear) const { return form->ProgramTable.word(linear); }

    TempDir temp;
    std::filesystem::path dataDir;
    ui::ManualClock clock;
    AbsentPort absent;
    std::unique_ptr<plexa::Form1> form;
    int quits = 0;
};

}  // namespace test
