#include "serial/port_scan.h"

#include <gtest/gtest.h>

#include "fake_port.h"

namespace {

using fake::FakePort;

std::string freeLine(int n) {
    return "可用Com号=  " + std::to_string(n);
}
std::string busyLine(int n) {
    return "出错或占用Com号=  " + std::to_string(n);
}

class PortScanTest : public ::testing::Test {
  protected:
    PortScanTest() { port.setDefaultOpenResult(FakePort::OpenResult::kFails); }

    void scan() { serial::scanPorts(port, surface, combo); }

    ui::ManualClock clock;
    FakePort port{clock};
    ui::Surface surface{"Form1"};
    ui::ComboBox combo{"Combo3", "Combo3", {"1", "2", "3", "4", "5", "6", "7", "8"}};
};

TEST_F(PortScanTest, ProbesSixteenPortsDownwardsAndChoosesTheLowestFree) {
    port.setOpenResult(3, FakePort::OpenResult::kOpens);
    port.setOpenResult(5, FakePort::OpenResult::kOpens);
    scan();
    std::vector<std::string> expected;
    for (int n = 16; n >= 1; --n) expected.push_back(n == 3 || n == 5 ? freeLine(n) : busyLine(n));
    EXPECT_EQ(surface.lines(), expected);
    EXPECT_EQ(combo.text(), "3");
    EXPECT_EQ(port.openAttempts(),
              (std::vector<int>{16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(port.opens(), 2);
    EXPECT_EQ(port.closes(), 2);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(PortScanTest, APortOpeningWithoutErrorButNotOpenWritesNoLine) {
    port.setOpenResult(4, FakePort::OpenResult::kOpensButNotOpen);
    scan();
    EXPECT_EQ(surface.lines().size(), 15u);
    for (const std::string& line : surface.lines()) EXPECT_NE(line, busyLine(4));
    EXPECT_EQ(combo.text(), "Combo3");
}

TEST_F(PortScanTest, WithNoPortFreeTheComboKeepsItsText) {
    int changes = 0;
    combo.onChange = [&] { ++changes; };
    scan();
    EXPECT_EQ(surface.lines().front(), busyLine(16));
    EXPECT_EQ(surface.lines().back(), busyLine(1));
    EXPECT_EQ(combo.text(), "Combo3");
    EXPECT_EQ(changes, 0);
}

}  // namespace
