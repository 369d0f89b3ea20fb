#include "plexa/program_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "temp_dir.h"

namespace {

using plexa::ProgramTable;

std::vector<char> contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

ProgramTable patterned() {
    ProgramTable table;
    for (int a = 0; a < static_cast<int>(plexa::kProgramFileBytes); ++a) {
        table.setByte(a, static_cast<std::uint8_t>(a * 7 + a / 256));
    }
    return table;
}

TEST(ProgramFile, SaveAndLoadRoundTripRowsZeroTo9100) {
    test::TempDir dir;
    const ProgramTable saved = patterned();
    std::string error;
    ASSERT_TRUE(plexa::save(saved, dir.path() / "show.qdf", error)) << error;
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "show.qdf"), 291232u);

    ProgramTable loaded;
    loaded.set(9101, 0, 42);
    loaded.set(5, 32, 9);
    ASSERT_TRUE(plexa::load(loaded, dir.path() / "show.qdf", error)) << error;
    for (int a = 0; a < static_cast<int>(plexa::kProgramFileBytes); ++a) {
        ASSERT_EQ(loaded.byte(a), saved.byte(a)) << a;
    }
    EXPECT_EQ(loaded.at(9101, 0), 42);  // unstored rows and column 32 are left alone
    EXPECT_EQ(loaded.at(5, 32), 9);
}

TEST(ProgramFile, SavingOverALongerFileKeepsItsTail) {
    test::TempDir dir;
    const auto path = dir.path() / "long.qdf";
    std::ofstream(path, std::ios::binary) << std::string(300000, 'x');
    std::string error;
    ASSERT_TRUE(plexa::save(ProgramTable(), path, error));
    const std::vector<char> bytes = contents(path);
    ASSERT_EQ(bytes.size(), 300000u);
    EXPECT_EQ(bytes[291231], 0);
    EXPECT_EQ(bytes[291232], 'x');
    EXPECT_EQ(bytes.back(), 'x');
}

TEST(ProgramFile, MissingFileIsCreatedEmptyAndReadsAsZeros) {
    test::TempDir dir;
    ProgramTable table = patterned();
    std::string error;
    ASSERT_TRUE(plexa::load(table, dir.path() / "new.qdf", error));
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "new.qdf"), 0u);
    for (int a = 0; a < static_cast<int>(plexa::kProgramFileBytes); ++a)
        ASSERT_EQ(table.byte(a), 0);
}

TEST(ProgramFile, ShortFileReadsAsZerosBeyondItsEnd) {
    test::TempDir dir;
    std::ofstream(dir.path() / "short.qdf", std::ios::binary) << std::string("\x05\x00\x07", 3);
    ProgramTable table = patterned();
    std::string error;
    ASSERT_TRUE(plexa::load(table, dir.path() / "short.qdf", error));
    EXPECT_EQ(table.byte(0), 5);
    EXPECT_EQ(table.byte(2), 7);
    EXPECT_EQ(table.byte(3), 0);
    EXPECT_EQ(table.byte(291231), 0);
}

TEST(ProgramFile, FailuresLeaveTheTableAndSayWhy) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder.qdf");
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
