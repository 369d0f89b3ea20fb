// The data directory and what the programs find in it.
#include <gtest/gtest.h>

#include <fstream>

#include "base/data_dir.h"
#include "serial/port_device.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
constexpr bool kWindows = fs::path::preferred_separator == '\\';

// Only a "/" or a ".." part leaves the directory. Windows also splits at "\"
// and reads a ":" as a drive or a stream, and opens a device for a device's
// name with any extension: a save to "nul" would vanish and report success,
// one to "com1" would go down the line. Names like a device's are files.
TEST(PlainFileName, RefusesNamesThatLeaveTheDirectoryOrNameADevice) {
    for (const char* name : {"user1.qdf", ".qdf", "...qdf", "a..b.qdf", "show 2.qdf", "console.qdf",
                             "com10.qdf", "nullify.sav", "lpt.qdf"})
        EXPECT_TRUE(base::isPlainFileName(name)) << name;
    for (const char* name : {"", ".", "..", "../x.qdf", "sub/x.qdf"})
        EXPECT_FALSE(base::isPlainFileName(name)) << name;
    for (const char* name :
         {"a\\b.qdf", "c:x.qdf", "show:2.sav", "..\\x.qdf", "C:\\x.qdf", "\\\\server\\share\\x.qdf",
          "nul", "NUL.qdf", "con.qdf", "Com1.qdf", "lpt9", "aux .sav"})
        EXPECT_EQ(base::isPlainFileName(name), !kWindows) << name;
}

// Port n is the device that the link comN in the data directory names, even
// a missing one, else the nth serial device; on Windows it is always COMn.
TEST(DataDirectory, NamesThePortsByTheLinksInIt) {
    test::TempDir dir;
    std::ofstream(dir.path() / "com6") << "not a link";
    EXPECT_EQ(serial::comPortDevice(6, dir.path()), kWindows ? "COM6" : "/dev/ttyS5");
    if (kWindows) return;
    fs::create_symlink("/dev/pts/7", dir.path() / "com3");
    fs::create_symlink("ports/adapter", dir.path() / "com4");
    EXPECT_EQ(serial::comPortDevice(3, dir.path()), "/dev/pts/7");
    EXPECT_EQ(serial::comPortDevice(4, dir.path()), (dir.path() / "ports/adapter").string());
}

}  // namespace
