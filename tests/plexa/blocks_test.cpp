// Block frames, the blocks' places in the table and the judging of one
// exchange.
#include "plexa/blocks.h"

#include "link_fixture.h"
#include "serial/block_frames.h"

namespace {

using test::PlexaFormTest;

// A negative number carries its own truncated address bytes; the frames of
// other blocks are checked by the simulated controller. Which read replies
// are valid is the rule of both fuzz targets of the line.
TEST(PlexaFrames, ANegativeBlockCarriesItsTruncatedAddress) {
    EXPECT_EQ(plexa::readRequest(-1), (serial::Bytes{2, 17, 0, 255, 16, 1, 3}));
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

// A write sends the block's own bytes. The status line tells which failure
// it was; a refusal says what a time-out says. When an exchange succeeds,
// what a read stores and the success caption are the exchange fuzz
// target's rules.
TEST_F(PlexaFormTest, WriteAndReadJudgeTheReply) {
    using ctrlsim::Fault;
    auto& f = startLinked();
    port.open();
    f.ProgramTable.set(0, 16, 77);
    EXPECT_TRUE(f.write_v(2));
    EXPECT_EQ(controller.plexaBlock(2)[0], 77);
    const struct {
        Fault fault;
        bool read;
        const char* says;
    } cases[] = {{Fault::kNoReply, false, "端口不能收到数据"},
                 {Fault::kRefuse, false, "端口不能收到数据"},
                 {Fault::kNoReply, true, "CommunicationDataError"},
                 {Fault::kRefuse, true, "CommunicationDataError"},
                 {Fault::kBadChecksum, true, "CommunicateUnsuccessfully"}};
    for (const auto& c : cases) {
        controller.setFault(c.fault, 1);
        EXPECT_FALSE(c.read ? f.read_v(2) : f.write_v(2));
        run({"Label13?" + std::string(c.says)});
    }
    port.queueReply(serial::Bytes{2, 6, 3});
    EXPECT_FALSE(f.write_v(2));
    run({"Label13?CommunicateUnsuccessfully"});
}

}  // namespace
