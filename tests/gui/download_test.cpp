// "DowmLoad" clicked on the real window, against a simulated controller.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "plexa/form.h"
#include "plexa/view/main_window.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"
#include "view/timer_driver.h"

namespace {

TEST(PlexaWindowLine, DownloadClickedSendsTheRangeToTheController) {
    test::TempDir temp;
    const auto dataDir = temp.path() / "dovra";
    ctrlsim::Simulator sim;
    sim.start();
    sim.linkAs(dataDir, 1);
    for (int com = 2; com <= 16; ++com) {
        std::filesystem::create_symlink(dataDir / "absent",
                                        dataDir / ("com" + std::to_string(com)));
    }
    ui::SteadyClock clock;
    serial::QtSerialPort port(dataDir);
    plexa::Form1 form({dataDir, clock, port, {}});
    view::TimerDriver driver(form.timers);
    plexa::MainWindow window(form);
    form.load();
    window.show();
    ASSERT_EQ(form.Combo3.text(), "1");
    QTest::qWait(1100);  // edits count from the first display tick
    form.Text8[1].type("20");
    form.ProgramTable.set(9000, 0, 0x5A);
    form.ProgramTable.set(9, 31, 0xA5);  // block 20

    auto* button = window.findChild<QPushButton*>("Command3");
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_FALSE(button->isEnabled());
    QElapsedTimer waited;
    waited.start();
    while (!button->isEnabled() && waited.elapsed() < 20000) QTest::qWait(10);

    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(sim.requests().size(), 21u);
    EXPECT_EQ(sim.plexaBlock(0)[0], 0x5A);
    EXPECT_EQ(sim.plexaBlock(20)[15], 0xA5);
    EXPECT_EQ(window.findChild<QLabel*>("Label10")->text(), " 20");
    EXPECT_EQ(window.findChild<QLabel*>("Label13")->text(), "CommunicateSuccessfully");
    EXPECT_TRUE(window.findChild<QLabel*>("Label9")->text().endsWith(" ms"));
}

}  // namespace
