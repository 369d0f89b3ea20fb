// The data directory and what the programs find in it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "base/data_dir.h"
#include "serial/port_device.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Only a "/" or a ".." part leaves the directory; Windows also splits at "\"
// and reads a ":" as a drive or a stream.
TEST(PlainFileName, RefusesNamesThatLeaveTheDirectory) {
    constexpr bool windows = fs::path::preferred_separator == '\\';
    for (const char* name : {"user1.qdf", ".qdf", "...qdf", "a..b.qdf", "show 2.qdf"})
        EXPECT_TRUE(base::isPlainFileName(name)) << name;
    for (const char* name : {"", ".", "..", "../x.qdf", "sub/x.qdf"})
        EXPECT_FALSE(base::isPlainFileName(name)) << name;
    for (const char* name : {"a\\b.qdf", "c:x.qdf", "show:2.sav", "..\\x.qdf"})
        EXPECT_EQ(base::isPlainFileName(name), !windows) << name;
}

#ifndef _WIN32

// The data directory is dovra in the home directory; creating it, and
// failing to, is tested with Plexa's start-up. Port n is the device that the
// link comN in it names, even a missing one, else the nth serial device.
TEST(DataDirectory, IsDovraInTheHomeDirectoryAndNamesThePorts) {
    const std::string saved = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(base::dataDirectory(), fs::path("/home/someone/dovra"));
    setenv("HOME", saved.c_str(), 1);

    test::TempDir dir;
    fs::create_symlink("/dev/pts/7", dir.path() / "com3");
    fs::create_symlink("ports/adapter", dir.path() / "com4");
    fs::create_symlink(dir.path() / "gone", dir.path() / "com2");
    std::ofstream(dir.path() / "com6") << "not a link";
    EXPECT_EQ(serial::comPortDevice(16, dir.path()), "/dev/ttyS15");
    EXPECT_EQ(serial::comPortDevice(3, dir.path()), "/dev/pts/7");
    EXPECT_EQ(serial::comPortDevice(4, dir.path()), (dir.path() / "ports/adapter").string());
    EXPECT_EQ(serial::comPortDevice(2, dir.path()), (dir.path() / "gone").string());
    EXPECT_EQ(serial::comPortDevice(6, dir.path()), "/dev/ttyS5");
}

#endif

}  // namespace
