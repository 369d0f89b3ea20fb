#include "serial/port_device.h"

#include <gtest/gtest.h>

#include <fstream>

#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

#ifndef _WIN32

// Port n is the device that the link comN in the data directory names, even
// a missing one, else the nth serial device.
TEST(ComPortDevice, IsNamedByALinkInTheDataDirectoryElseTheNthSerialDevice) {
    test::TempDir dir;
    fs::create_symlink("/dev/pts/7", dir.path() / "com3");
    fs::create_symlink("ports/adapter", dir.path() / "com4");
    fs::create_symlink(dir.path() / "gone", dir.path() / "com2");
    std::ofstream(dir.path() / "com6") << "not a link";
    EXPECT_EQ(serial::comPortDevice(1, dir.path()), "/dev/ttyS0");
    EXPECT_EQ(serial::comPortDevice(16, dir.path()), "/dev/ttyS15");
    EXPECT_EQ(serial::comPortDevice(3, dir.path()), "/dev/pts/7");
    EXPECT_EQ(serial::comPortDevice(4, dir.path()), (dir.path() / "ports/adapter").string());
    EXPECT_EQ(serial::comPortDevice(2, dir.path()), (dir.path() / "gone").string());
    EXPECT_EQ(serial::comPortDevice(6, dir.path()), "/dev/ttyS5");
}

#endif

}  // namespace
