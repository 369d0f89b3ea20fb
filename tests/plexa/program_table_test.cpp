#include "plexa/program_table.h"

#include <gtest/gtest.h>

#include <numeric>

using plexa::ProgramTable;

// The step layout, Max.Step and the records' places, is tested through the
// window's fields.
TEST(ProgramTable, WordsAtLinearAddressesAndTheGroupCount) {
    ProgramTable table;
    table.setWord(64, 0x1234);  // little-endian, 32 bytes a row
    EXPECT_EQ(table.at(2, 0), 0x34);
    EXPECT_EQ(table.at(2, 1), 0x12);
    EXPECT_THROW(table.at(15001, 0), std::out_of_range);
    EXPECT_THROW(table.at(0, 33), std::out_of_range);
    EXPECT_EQ(plexa::outputGroups(table), 4);
    table.setWord(0, 300);
    EXPECT_EQ(plexa::outputGroups(table), 16);
    plexa::setOutputGroups(table, 9);
    EXPECT_EQ(table.word(0), 9);
}

TEST(ProgramTable, BlocksMapOntoHalfRowsAndTheParameterBlock) {
    const struct {
        int block, row, column;
    } places[] = {{-5, 9000, 0}, {0, 9000, 0},    {1, 0, 0},
                  {2, 0, 16},    {7999, 3999, 0}, {8000, 3999, 16}};
    std::array<std::uint8_t, 16> data{};
    std::iota(data.begin(), data.end(), 1);
    for (const auto& p : places) {
        ProgramTable table;
        table.setBlock(p.block, data);
        EXPECT_EQ(table.at(p.row, p.column), 1) << p.block;
        EXPECT_EQ(table.at(p.row, p.column + 15), 16) << p.block;
        EXPECT_EQ(table.block(p.block), data) << p.block;
    }
}
