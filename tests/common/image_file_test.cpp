#include "base/image_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A file shorter than the image loads as zeros beyond its end, also over an
// image that held other bytes; a show on a write-protected file still loads,
// and a data directory that refuses a new file says so.
TEST(ImageFile, AShortOrReadOnlyFileLoadsAndARefusedNewFileSaysWhy) {
    test::TempDir dir;
    const fs::path file = dir.path() / "show.sav";
    std::ofstream(file, std::ios::binary) << "\x07\x2A";
    Bytes image{9, 9, 9, 9};
    std::string error;
    ASSERT_TRUE(base::loadImage(file, image, error)) << error;
    EXPECT_EQ(image, (Bytes{7, 42, 0, 0}));
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
    if (std::ofstream(file, std::ios::app).is_open())
        GTEST_SKIP() << "root, or Windows, writes in spite of the permissions";
    ASSERT_TRUE(base::loadImage(file, image, error)) << error;
    EXPECT_FALSE(base::loadImage(dir.path() / "mernal.qdf", image, error));
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    EXPECT_EQ(image, (Bytes{7, 42, 0, 0}));  // left as it was
}

// A save over a longer file keeps its tail and its permissions. A save that
// runs out of room, here under a file size limit, leaves no file of a new
// name and an existing file as it was.
TEST(ImageFile, ASaveKeepsTheFilesTailAndPermissionsOrLeavesItAlone) {
    test::TempDir dir;
    const fs::path file = dir.path() / "old.qdf";
    Bytes old(48 * 1024, 1);
    std::string error;
    ASSERT_TRUE(base::saveImage(file, old, error)) << error;
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    const fs::perms kept = fs::status(file).permissions();  // Windows knows only read-only
    ASSERT_TRUE(base::saveImage(file, Bytes{7, 7}, error)) << error;
    std::fill_n(old.begin(), 2, 7);
    EXPECT_EQ(contents(file), old);
    EXPECT_EQ(fs::status(file).permissions(), kept);
#ifndef _WIN32
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit limit = before;
    limit.rlim_cur = 32 * 1024;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    for (const char* name : {"new.qdf", "old.qdf"}) {
        error.clear();
        EXPECT_FALSE(base::saveImage(dir.path() / name, Bytes(64 * 1024, 9), error));
        EXPECT_EQ(error, "File too large");
    }
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(contents(file), old);
#endif
    EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(dir.path()), {}), std::vector{file});
}

}  // namespace
