// Corvel against the simulated controller over a real pseudo-terminal.
#include <gtest/gtest.h>

#include <memory>

#include "absent_port.h"
#include "corvel/form.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"

namespace {

class CorvelLineTest : public ::testing::Test {
  protected:
    CorvelLineTest() : dataDir(temp.path() / "dovra"), port(dataDir) {
        sim.start();
        sim.linkAs(dataDir, 2);
        test::linkAbsentPorts(dataDir, {2});
        form = std::make_unique<corvel::Form1>(corvel::Environment{dataDir, clock, port, {}});
        form->load();
        form->EditReady = 1;
    }

    test::TempDir temp;
    std::filesystem::path dataDir;
    ui::SteadyClock clock;
    serial::QtSerialPort port;
    ctrlsim::Simulator sim;
    std::unique_ptr<corvel::Form1> form;
};

TEST_F(CorvelLineTest, DownloadAndUploadRoundTripTheShow) {
    ASSERT_EQ(form->Combo3.text(), "2");
    for (int r = 0; r < 126; ++r)
        for (int c = 0; c < 32; ++c)
            form->ProgramTable.set(r, c, static_cast<std::uint8_t>(r * 5 + c * 3 + 1));
    const corvel::ProgramTable sent = form->ProgramTable;
    form->Command3.click();
    EXPECT_EQ(form->Label10.caption(), " 240");
    EXPECT_EQ(sim.corvelBlock(240)[15], static_cast<std::uint8_t>(119 * 5 + 31 * 3 + 1));
    EXPECT_EQ(sim.corvelBlock(241), ctrlsim::Block{});  // row 120 stays at home

    for (int r = 0; r < 126; ++r)
        for (int c = 0; c < 32; ++c) form->ProgramTable.set(r, c, 0);
    form->Command5.click();
    EXPECT_EQ(form->Label13.caption(), "the communication is normal");
    for (int r = 0; r < 120; ++r)
        for (int c = 0; c < 32; ++c) ASSERT_EQ(form->ProgramTable.at(r, c), sent.at(r, c));
    EXPECT_FALSE(port.isOpen());
}

TEST_F(CorvelLineTest, MonitorShowsWhatControlSet) {
    form->List1.click(0);
    form->List1.click(255);
    form->Options.select(corvel::Control);
    EXPECT_EQ(sim.corvelBlock(241)[0], 1);
    EXPECT_EQ(sim.corvelBlock(242)[15], 128);
    form->Options.select(corvel::Monitor);
    for (int c = 0; c < 32; ++c) form->ProgramTable.set(120, c, 0);
    form->monwork();
    EXPECT_EQ(form->Label7[0].caption(), "I" + std::string(63, '.'));
    EXPECT_EQ(form->Label7[3].caption(), std::string(63, '.') + "I");
}

}  // namespace
