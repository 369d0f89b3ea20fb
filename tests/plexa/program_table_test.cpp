#include "plexa/program_table.h"

#include <gtest/gtest.h>

#include <numeric>

using plexa::ProgramTable;

TEST(ProgramTable, LinearAddressesAndLittleEndianWords) {
    ProgramTable table;
    table.setWord(64, 0x1234);
    EXPECT_EQ(table.at(2, 0), 0x34);
    EXPECT_EQ(table.at(2, 1), 0x12);
    EXPECT_EQ(table.word(64), 0x1234);
    table.setByte(480031, 7);
    EXPECT_EQ(table.at(15000, 31), 7);
    EXPECT_THROW(table.at(15001, 0), std::out_of_range);
    EXPECT_THROW(table.at(0, 33), std::out_of_range);
    EXPECT_NO_THROW(table.set(0, 32, 1));
}

TEST(ProgramTable, OutputGroupsAreClampedAndStepsLaidOutByThem) {
    ProgramTable table;
    EXPECT_EQ(plexa::outputGroups(table), 4);
    table.setWord(0, 300);
    EXPECT_EQ(plexa::outputGroups(table), 16);
    plexa::setOutputGroups(table, 9);
    EXPECT_EQ(table.at(0, 0), 9);
    EXPECT_EQ(table.at(0, 1), 0);

    EXPECT_EQ(plexa::maxStep(4), 12796);
    EXPECT_EQ(plexa::maxStep(15), 3999);
    EXPECT_EQ(plexa::maxStep(16), 3763);
    // The last record of each layout ends inside the step area.
    EXPECT_EQ(plexa::stepBase(3999, 15) + 2 * 16 - 1, 127999);
    EXPECT_EQ(plexa::stepBase(3763, 16) + 2 * 17 - 1, 127975);
    for (int g = 4; g <= 16; ++g) EXPECT_LE(plexa::stepBase(plexa::maxStep(g) + 1, g), 128000);
    EXPECT_EQ(plexa::workModeOf(60000), 6);
    EXPECT_EQ(plexa::secondFieldOf(42345), 2345);
}

TEST(ProgramTable, BlocksMapOntoRowsAndTheParameterBlock) {
    ProgramTable table;
    std::array<std::uint8_t, 16> data{};
    std::iota(data.begin(), data.end(), 1);
    table.setBlock(0, data);
    EXPECT_EQ(table.at(9000, 0), 1);
    EXPECT_EQ(table.at(9000, 15), 16);
    EXPECT_EQ(table.block(-5), table.block(0));
    table.setBlock(2, data);
    EXPECT_EQ(table.at(0, 16), 1);
    EXPECT_EQ(table.at(0, 31), 16);
    table.setBlock(8000, data);
    EXPECT_EQ(table.at(3999, 16), 1);
    table.setBlock(7999, data);
    EXPECT_EQ(table.at(3999, 0), 1);
    EXPECT_EQ(table.block(8000), data);
    EXPECT_EQ(ProgramTable::blockPlace(1).row, 0);
    EXPECT_EQ(ProgramTable::blockPlace(1).column, 0);
    EXPECT_EQ(ProgramTable::blockPlace(30002).row, 15000);
}
