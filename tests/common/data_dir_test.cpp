// The data directory and what the programs find in it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "base/data_dir.h"
#include "serial/port_device.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(PlainFileName, RefusesNamesThatLeaveTheDirectory) {
    const std::pair<const char*, bool> cases[] = {
        {"user1.qdf", true},  {".qdf", true},      {"...qdf", true},  {"a..b.qdf", true},
        {"show 2.qdf", true}, {"", false},         {".", false},      {"..", false},
        {"../x.qdf", false},  {"a\\b.qdf", false}, {"c:x.qdf", false}};
    for (const auto& [name, plain] : cases) EXPECT_EQ(base::isPlainFileName(name), plain) << name;
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
