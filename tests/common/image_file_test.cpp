// A file shorter than the image loads as zeros beyond its end, also over an
// image that held other bytes; a show on a write-protected file still loads,
// and a data directory that refuses a new file says so. A save that runs out
// of room, under a file size limit or on a full file system, leaves no file
// of a new name and an existing file as it was.
#include "base/image_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <fstream>
#include <iterator>
#include <vector>

#ifndef _WIN32
#include <sys/mount.h>
#include <sys/resource.h>
#endif

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

using Bytes = std::vector<std::uint8_t>;

Bytes contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void write(const fs::path& file, const Bytes& bytes) {
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

std::vector<std::string> listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(ImageFile, ASaveOverALongerFileKeepsItsTailAndPermissions) {
    test::TempDir dir;
    const fs::path file = dir.path() / "old.qdf";
    write(file, Bytes(6, 1));
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    const fs::perms kept = fs::status(file).permissions();  // Windows knows only read-only
    std::string error;
    ASSERT_TRUE(base::saveImage(file, Image{7, 7, 7, 7}, error)) << error;
    EXPECT_EQ(contents(file), (Bytes{7, 7, 7, 7, 1, 1}));
    EXPECT_EQ(fs::status(file).permissions(), kept);
    EXPECT_EQ(listing(dir.path()), std::vector<std::string>{"old.qdf"});
}

#ifndef _WIN32
constexpr size_t kOldBytes = 48 * 1024;
const Bytes kSaved(64 * 1024, 7);

// Both saves fail for the reason given; the folder holds what it held.
void expectRefusedSaves(const fs::path& dir, const std::string& reason) {
    const auto before = listing(dir);
    std::string error;
    EXPECT_FALSE(base::saveImage(dir / "new.qdf", kSaved, error));
    EXPECT_EQ(error, reason);
    error.clear();
    EXPECT_FALSE(base::saveImage(dir / "old.qdf", kSaved, error));
    EXPECT_EQ(error, reason);
    EXPECT_EQ(contents(dir / "old.qdf"), Bytes(kOldBytes, 1));
    EXPECT_EQ(listing(dir), before);
}

TEST(ImageFile, ASaveBeyondTheFileSizeLimitLeavesTheFilesAlone) {
    test::TempDir dir;
    write(dir.path() / "old.qdf", Bytes(kOldBytes, 1));
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    rlimit limit = before;
    limit.rlim_cur = 32 * 1024;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    expectRefusedSaves(dir.path(), "File too large");
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, handler);
}

TEST(ImageFile, ASaveOnAFullFileSystemLeavesTheFilesAlone) {
    test::TempDir dir;
    if (mount("tmpfs", dir.path().c_str(), "tmpfs", 0, "size=128k") != 0)
        GTEST_SKIP() << "mounting a file system needs root";
    write(dir.path() / "old.qdf", Bytes(kOldBytes, 1));
    write(dir.path() / "filler", Bytes(40 * 1024, 0));
    expectRefusedSaves(dir.path(), "No space left on device");
    umount(dir.path().c_str());
}
#endif

}  // namespace
