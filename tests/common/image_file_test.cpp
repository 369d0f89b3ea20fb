// Files the user may not write: a show on a write-protected file still
// loads, and a data directory that refuses a new file says so.
#include "base/image_file.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Whether this process can open the file for writing in spite of its
// permissions (as root can): then a refusal cannot be arranged here.
bool writableAnyway(const fs::path& path) {
    return std::ofstream(path, std::ios::app).is_open();
}

TEST(ImageFile, AFileWithoutWritePermissionStillLoads) {
    test::TempDir dir;
    const fs::path file = dir.path() / "show.sav";
    std::ofstream(file, std::ios::binary) << "\x07\x2A";
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    if (writableAnyway(file))
        GTEST_SKIP() << "this user writes files without write permission (root): the "
                        "refusal that makes a load fall back to reading cannot be arranged";
    std::array<std::uint8_t, 4> image{9, 9, 9, 9};
    std::string error;
    ASSERT_TRUE(base::loadImage(file, image, error)) << error;
    EXPECT_EQ(image, (std::array<std::uint8_t, 4>{7, 42, 0, 0}));
}

TEST(ImageFile, ADirectoryThatRefusesANewFileSaysWhy) {
    test::TempDir dir;
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    if (writableAnyway(dir.path() / "probe"))
        GTEST_SKIP() << "this user creates files in a directory without write permission "
                        "(root): the refusal cannot be arranged";
    std::array<std::uint8_t, 4> image{9, 9, 9, 9};
    std::string error;
    EXPECT_FALSE(base::loadImage(dir.path() / "mernal.qdf", image, error));
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    EXPECT_EQ(image, (std::array<std::uint8_t, 4>{9, 9, 9, 9}));
}

}  // namespace
