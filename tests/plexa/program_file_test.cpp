#include "plexa/program_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "temp_dir.h"

namespace {

using plexa::ProgramTable;
namespace fs = std::filesystem;

ProgramTable patterned() {
    ProgramTable table;
    for (int a = 0; a < 291232; ++a) table.setByte(a, static_cast<std::uint8_t>(a * 7 + a / 256));
    return table;
}

TEST(ProgramFile, SavesRowsZeroTo9100OverTheStartOfTheFile) {
    test::TempDir dir;
    const fs::path path = dir.path() / "show.qdf";
    std::ofstream(path, std::ios::binary) << std::string(300000, 'x');
    const ProgramTable saved = patterned();
    std::string error;
    ASSERT_TRUE(plexa::save(saved, path, error)) << error;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(bytes.size(), 300000u);  // a longer file keeps its tail
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[291231]), saved.byte(291231));
    EXPECT_EQ(bytes[291232], 'x');

    ProgramTable loaded;
    loaded.set(9101, 0, 42);
    loaded.set(5, 32, 9);
    ASSERT_TRUE(plexa::load(loaded, path, error)) << error;
    for (int a = 0; a < 291232; ++a) ASSERT_EQ(loaded.byte(a), saved.byte(a)) << a;
    EXPECT_EQ(loaded.at(9101, 0), 42);  // unstored rows and column 32 are left alone
    EXPECT_EQ(loaded.at(5, 32), 9);
}

TEST(ProgramFile, AMissingOrShortFileReadsAsZerosBeyondItsEnd) {
    test::TempDir dir;
    std::ofstream(dir.path() / "short.qdf", std::ios::binary) << std::string("\x05\x00\x07", 3);
    std::string error;
    ProgramTable table = patterned();
    ASSERT_TRUE(plexa::load(table, dir.path() / "short.qdf", error));
    EXPECT_EQ(table.byte(0), 5);
    EXPECT_EQ(table.byte(2), 7);
    EXPECT_EQ(table.byte(3), 0);
    EXPECT_EQ(table.byte(291231), 0);
    table = patterned();
    ASSERT_TRUE(plexa::load(table, dir.path() / "new.qdf", error));
    EXPECT_EQ(fs::file_size(dir.path() / "new.qdf"), 0u);
    for (int a = 0; a < 291232; ++a) ASSERT_EQ(table.byte(a), 0) << a;
}

TEST(ProgramFile, FailuresLeaveTheTableAndSayWhy) {
    test::TempDir dir;
    fs::create_directory(dir.path() / "folder.qdf");
    ProgramTable table = patterned();
    std::string error;
    EXPECT_FALSE(plexa::load(table, dir.path() / "folder.qdf", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(table.byte(1), patterned().byte(1));
    error.clear();
    EXPECT_FALSE(plexa::save(table, dir.path() / "missing" / "x.qdf", error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
