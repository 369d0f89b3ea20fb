// Block frames, the blocks' places in the table and the judging of one
// exchange.
#include "plexa/blocks.h"

#include "link_fixture.h"
#include "serial/block_frames.h"

namespace {

using test::PlexaFormTest;

// A negative number carries its own truncated address bytes. Which read
// replies are valid is the rule of both fuzz targets of the line.
TEST(PlexaFrames, RequestsCarryAddressDataAndChecksum) {
    EXPECT_EQ(plexa::readRequest(300), (serial::Bytes{2, 17, 1, 44, 62, 0, 3}));
    EXPECT_EQ(plexa::readRequest(-1), (serial::Bytes{2, 17, 0, 255, 16, 1, 3}));
    const std::array<std::uint8_t, 16> data{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 255};
    EXPECT_EQ(plexa::writeRequest(8000, data),
              (serial::Bytes{2, 18, 31, 64, 1,  2,  3,  4,   5,   6, 7, 8,
                             9, 10, 11, 12, 13, 14, 15, 255, 232, 1, 3}));
}

// Block 0 and below are the parameter block at row 9000; the others fill
// the rows by halves.
TEST(PlexaFrames, BlocksMapOntoHalfRowsAndTheParameterBlock) {
    const struct {
        int block, row, column;
    } places[] = {{-5, 9000, 0}, {0, 9000, 0}, {1, 0, 0}, {2, 0, 16}, {8000, 3999, 16}};
    std::array<std::uint8_t, 16> data{};
    data[15] = 7;
    for (const auto& p : places) {
        plexa::ProgramTable table;
        table.setBlock(p.block, data);
        EXPECT_EQ(table.at(p.row, p.column + 15), 7) << p.block;
    }
}

// A write judges the reply, a read its checksum, and the status line tells
// which failure it was; a refusal says what a time-out says. That a read
// stores only a valid reply is the exchange fuzz target's rule.
TEST_F(PlexaFormTest, WriteAndReadJudgeTheReply) {
    auto& f = startLinked();
    port.open();
    f.ProgramTable.set(0, 16, 77);
    EXPECT_TRUE(f.write_v(2));
    EXPECT_EQ(controller.plexaBlock(2)[0], 77);
    run({"Label13?CommunicateSuccessfully"});
    for (const serial::Bytes& reply : {serial::Bytes{2, 6, 3}, {1, 5, 3}, {2, 5, 4}}) {
        port.queueReply(reply);
        EXPECT_FALSE(f.write_v(2));
        run({"Label13?CommunicateUnsuccessfully"});
    }
    for (const auto fault : {ctrlsim::Fault::kNoReply, ctrlsim::Fault::kRefuse}) {
        controller.setFault(fault, 2);
        EXPECT_FALSE(f.write_v(2));
        run({"Label13?端口不能收到数据"});
        EXPECT_FALSE(f.read_v(2));
        run({"Label13?CommunicationDataError"});
    }
    ctrlsim::Block data{};
    data.fill(9);
    controller.setPlexaBlock(0, data);
    EXPECT_TRUE(f.read_v(0));
    run({"at 9000,15?9", "Label13?CommunicateSuccessfully"});
    controller.setFault(ctrlsim::Fault::kBadChecksum, 1);
    EXPECT_FALSE(f.read_v(1));
    run({"Label13?CommunicateUnsuccessfully"});
}

}  // namespace
