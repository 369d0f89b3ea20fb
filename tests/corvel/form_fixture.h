// Corvel's editor window on the hand-driven clock, with no serial ports and
// its data folder in a fresh temporary directory.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "absent_port.h"
#include "corvel/form.h"
#include "temp_dir.h"

class CorvelEditorTest : public ::testing::Test {
  protected:
    // Past the first header tick, from which edits reach the table.
    corvel::Form1& startEditing() {
        form = std::make_unique<corvel::Form1>(corvel::Environment{dataDir, clock, port, {}});
        form->load();
        tick(1000);
        return *form;
    }
    void tick(std::int64_t ms) { form->timers.advance(clock, ms); }

    test::TempDir temp;
    std::filesystem::path dataDir = temp.path() / "dovra";
    ui::ManualClock clock;
    test::AbsentPort port;
    std::unique_ptr<corvel::Form1> form;
};
