// A file shorter than the image loads as zeros beyond its end, also over an
// image that held other bytes; a show on a write-protected file still loads,
// and a data directory that refuses a new file says so.
#include "base/image_file.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>

#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Image = std::array<std::uint8_t, 4>;

TEST(ImageFile, AShortOrReadOnlyFileLoadsAndARefusedNewFileSaysWhy) {
    test::TempDir dir;
    const fs::path file = dir.path() / "show.sav";
    std::ofstream(file, std::ios::binary) << "\x07\x2A";
    Image image{9, 9, 9, 9};
    std::string error;
    ASSERT_TRUE(base::loadImage(file, image, error)) << error;
    EXPECT_EQ(image, (Image{7, 42, 0, 0}));

    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(file, std::ios::app).is_open())
        GTEST_SKIP() << "root, or Windows, writes in spite of the permissions";
    image = {9, 9, 9, 9};
    ASSERT_TRUE(base::loadImage(file, image, error)) << error;
    EXPECT_EQ(image, (Image{7, 42, 0, 0}));
    EXPECT_FALSE(base::loadImage(dir.path() / "mernal.qdf", image, error));
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    EXPECT_EQ(image, (Image{7, 42, 0, 0}));  // left as it was
}

}  // namespace
