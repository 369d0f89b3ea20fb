#include "serial/port_device.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

#ifndef _WIN32

TEST(ComPortDeviceTest, WithoutALinkPortNIsTheNthSerialDevice) {
    test::TempDir dir;
    EXPECT_EQ(serial::comPortDevice(1, dir.path()), "/dev/ttyS0");
    EXPECT_EQ(serial::comPortDevice(16, dir.path()), "/dev/ttyS15");
}

TEST(ComPortDeviceTest, ALinkInTheDataDirectoryNamesTheDevice) {
    test::TempDir dir;
    fs::create_symlink("/dev/pts/7", dir.path() / "com3");
    fs::create_symlink("ports/adapter", dir.path() / "com4");
    EXPECT_EQ(serial::comPortDevice(3, dir.path()), "/dev/pts/7");
    EXPECT_EQ(serial::comPortDevice(4, dir.path()), (dir.path() / "ports/adapter").string());
    EXPECT_EQ(serial::comPortDevice(5, dir.path()), "/dev/ttyS4");
}

TEST(ComPortDeviceTest, ADanglingLinkIsNeverReplacedByTheSerialDevice) {
    test::TempDir dir;
    const fs::path missing = dir.path() / "gone";
    fs::create_symlink(missing, dir.path() / "com2");
    EXPECT_EQ(serial::comPortDevice(2, dir.path()), missing.string());
}

TEST(ComPortDeviceTest, APlainFileIsNoLink) {
    test::TempDir dir;
    std::ofstream(dir.path() / "com6") << "x";
    EXPECT_EQ(serial::comPortDevice(6, dir.path()), "/dev/ttyS5");
}

#endif

}  // namespace
