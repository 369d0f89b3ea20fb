// What only Windows has: the data directory on drive C, ports named COMn,
// names with a drive or a backslash, names in any script, and the refusals of
// its file system with the messages that the status line shows.
#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "base/data_dir.h"
#include "serial/port_device.h"
#include "temp_dir.h"
#include "ui/controls.h"
#include "ui/file_status.h"

namespace {

namespace fs = std::filesystem;
using Image = std::array<std::uint8_t, 4>;

TEST(WindowsDataDirectory, IsDovraOnDriveCAndPortsAreCom) {
    const fs::path dir = base::dataDirectory();
    EXPECT_EQ(dir.string(), "c:\\dovra");
    std::string error;
    ASSERT_TRUE(base::ensureDirectory(dir, error)) << error;
    EXPECT_TRUE(fs::is_directory("C:\\DOVRA"));
    std::ofstream(dir / "com3") << "not a port";
    EXPECT_EQ(serial::comPortDevice(3, dir), "COM3");
    EXPECT_EQ(serial::comPortDevice(16, dir), "COM16");
    fs::remove(dir / "com3");
}

class WindowsFileStatus : public ::testing::Test {
  protected:
    ui::Label line{"Label13", "CommunicationPortState"};
    ui::FileStatus status{line};
    test::TempDir temp;
    fs::path dir = temp.path() / "dovra";
    Image image{1, 2, 3, 4};

    void SetUp() override { fs::create_directories(dir); }
};

// A drive or a backslash never leaves the folder. A device would take the
// data and report success: "nul" drops it, "com1" sends it down the line;
// names like a device's are files.
TEST_F(WindowsFileStatus, NamesThatLeaveTheFolderOrNameADeviceAreRefused) {
    for (const std::string name : {"c:evil.qdf", "C:\\evil.qdf", "..\\evil.qdf", "sub\\evil.qdf",
                                   "\\evil.qdf", "\\\\server\\share\\evil.qdf", "../evil.qdf",
                                   "nul", "NUL.qdf", "con.qdf", "Com1.qdf", "lpt9", "aux .sav"}) {
        EXPECT_FALSE(status.save(dir, name, image)) << name;
        EXPECT_EQ(line.caption(),
                  "Not saved: the name \"" + name + "\" would leave the folder " + dir.string());
        EXPECT_FALSE(status.load(dir, name, image)) << name;
    }
    EXPECT_FALSE(fs::exists(temp.path() / "evil.qdf"));
    EXPECT_FALSE(fs::exists("C:\\evil.qdf"));
    EXPECT_FALSE(fs::exists("evil.qdf"));
    for (const std::string name : {"console.qdf", "com10.qdf", "nullify.sav", "lpt.qdf"}) {
        EXPECT_TRUE(status.save(dir, name, image)) << line.caption();
        EXPECT_EQ(fs::file_size(dir / name), 4u) << name;
    }
}

TEST_F(WindowsFileStatus, FilesAreMadeInTheFolderAndARefusalSaysWhy) {
    ASSERT_TRUE(status.save(dir, "show.qdf", image)) << line.caption();
    EXPECT_EQ(fs::file_size(dir / "show.qdf"), 4u);

    fs::create_directory(dir / "folder.qdf");
    const std::string reason = (dir / "folder.qdf").string() + ": Permission denied";
    EXPECT_FALSE(status.save(dir, "folder.qdf", image));
    EXPECT_EQ(line.caption(), "Cannot save " + reason);
    Image loaded{};
    EXPECT_FALSE(status.load(dir, "folder.qdf", loaded));
    EXPECT_EQ(line.caption(), "Cannot load " + reason);
    EXPECT_EQ(loaded, Image{});
    EXPECT_TRUE(status.load(dir, "show.qdf", loaded)) << line.caption();
    EXPECT_EQ(loaded, image);
    EXPECT_EQ(line.caption(), "CommunicationPortState");
}

TEST_F(WindowsFileStatus, NamesInAnyScriptAreKeptAndListed) {
    const std::string name = "\xe6\xbc\x94\xe7\xa4\xba\xc3\xa9.sav";  // Chinese and Latin, UTF-8
    ASSERT_TRUE(status.save(dir, name, image)) << line.caption();
    EXPECT_TRUE(fs::exists(dir / L"\u6f14\u793a\u00e9.sav"));
    ui::FileList list("File1", "*.sav");
    list.setDirectory(dir);
    EXPECT_EQ(list.files(), std::vector<std::string>{name});
    Image loaded{};
    EXPECT_TRUE(status.load(dir, name, loaded)) << line.caption();
    EXPECT_EQ(loaded, image);
}

}  // namespace
