// "DowmLoad" clicked on the real window, against a simulated controller.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <QLineEdit>
#include <QProgressBar>

#include "absent_port.h"
#include "corvel/form.h"
#include "corvel/view/main_window.h"
#include "plexa/form.h"
#include "plexa/view/main_window.h"
#include "serial/qt_serial_port.h"
#include "simulator.h"
#include "temp_dir.h"
#include "view/timer_driver.h"

namespace {

// A simulated controller as COM port 1, the only port there is.
struct SimulatedCom1 {
    SimulatedCom1() {
        sim.start();
        sim.linkAs(dataDir, 1);
        test::linkAbsentPorts(dataDir, {1});
    }
    test::TempDir temp;
    std::filesystem::path dataDir = temp.path() / "dovra";
    ctrlsim::Simulator sim;
    ui::SteadyClock clock;
    serial::QtSerialPort port{dataDir};
};

TEST(PlexaWindowLine, DownloadClickedSendsTheRangeToTheController) {
    SimulatedCom1 line;
    auto& [temp, dataDir, sim, clock, port] = line;
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

// Corvel's DownLoad runs inside the click and shows its progress as it goes;
// a lamp line of the preview is the window's own text.
TEST(CorvelWindowLine, DownloadClickedSendsTheShowToTheController) {
    SimulatedCom1 line;
    auto& [temp, dataDir, sim, clock, port] = line;
    int repaints = 0;
    corvel::Form1 form({dataDir, clock, port, [&repaints] { ++repaints; }});
    view::TimerDriver driver(form.timers);
    corvel::MainWindow window(form);
    form.load();
    window.show();
    form.ProgramTable.set(0, 6, 12);  // PA00 in mode 0: a block of 2 at 12
    form.ProgramTable.set(119, 31, 0xA5);
    form.ProgramTable.set(0, 5, 3);
    form.ProgramTable.set(0, 7, 2);
    form.ProgramTable.set(0, 8, 40);
    form.ProgramTable.set(0, 18, 2);
    form.Combo2.pick(0);
    QTest::qWait(1300);  // the header tick, then the window ticks

    EXPECT_EQ(window.findChild<QLabel*>("Label7(0)")->text(),
              QString(12, '.') + "II" + QString(50, '.'));
    QTest::mouseClick(window.findChild<QPushButton*>("Command3"), Qt::LeftButton);
    EXPECT_EQ(sim.corvelBlock(240)[15], 0xA5);
    EXPECT_EQ(sim.corvelBlock(1)[6], 12);
    EXPECT_EQ(repaints, 240);
    EXPECT_EQ(window.findChild<QProgressBar*>("progress")->value(), 240);
    EXPECT_EQ(window.findChild<QLabel*>("Label10")->text(), " 240");
    EXPECT_EQ(window.findChild<QLabel*>("Label13")->text(), "the communication is normal");
}

}  // namespace
