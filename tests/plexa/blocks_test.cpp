// Block frames and the judging of one exchange.
#include "plexa/blocks.h"
#include "serial/block_frames.h"

#include "link_fixture.h"

namespace {

using test::PlexaLinkTest;

TEST(PlexaFrames, RequestsCarryAddressAndChecksum) {
    EXPECT_EQ(plexa::readRequest(300), (serial::Bytes{2, 17, 1, 44, 62, 0, 3}));
    const serial::Bytes write = plexa::writeRequest(1, {});
    ASSERT_EQ(write.size(), 23u);
    EXPECT_EQ(write[1], 18);
    EXPECT_EQ(write[20], 19);
    EXPECT_EQ(write[21], 0);
    EXPECT_EQ(write[22], 3);
    std::array<std::uint8_t, 16> full;
    full.fill(255);
    const serial::Bytes big = plexa::writeRequest(8000, full);
    EXPECT_EQ(big[2], 31);
    EXPECT_EQ(big[3], 64);
    EXPECT_EQ(big[20] + 256 * big[21], 18 + 31 + 64 + 16 * 255);
    // A negative number carries its own truncated address bytes.
    EXPECT_EQ(plexa::readRequest(-1)[2], 0);
    EXPECT_EQ(plexa::readRequest(-1)[3], 255);
}

TEST(PlexaFrames, ReadReplyNeedsFramingAndChecksum) {
    serial::Bytes reply{2, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 136, 0, 3};
    EXPECT_TRUE(serial::readReplyValid(reply));
    auto broken = reply;
    broken[17] = 137;
    EXPECT_FALSE(serial::readReplyValid(broken));
    broken = reply;
    broken[19] = 0;
    EXPECT_FALSE(serial::readReplyValid(broken));
    broken = reply;
    broken[0] = 1;
    EXPECT_FALSE(serial::readReplyValid(broken));
    broken = reply;
    broken[18] = 128;
    EXPECT_FALSE(serial::readReplyValid(broken));
    EXPECT_TRUE(serial::writeAccepted({2, 5, 3, 9}));
    EXPECT_FALSE(serial::writeAccepted({2, 5, 4}));
}

TEST_F(PlexaLinkTest, WriteSendsTheBlockAndJudgesTheReply) {
    auto& f = startLinked();
    port.open();
    f.ProgramTable.set(0, 16, 77);
    EXPECT_TRUE(f.write_v(2));
    EXPECT_EQ(controller.plexaBlock(2)[0], 77);
    EXPECT_EQ(f.Label13.caption(), "CommunicateSuccessfully");

    port.queueReply({2, 6, 3});
    EXPECT_FALSE(f.write_v(2));
    EXPECT_EQ(f.Label13.caption(), "CommunicateUnsuccessfully");

    controller.setFault(ctrlsim::Fault::kNoReply, 1);
    const std::int64_t before = clock.nowMs();
    EXPECT_FALSE(f.write_v(2));
    EXPECT_EQ(f.Label13.caption(), "端口不能收到数据");
    EXPECT_GT(clock.nowMs() - before, 500);
}

TEST_F(PlexaLinkTest, ReadStoresOnlyAValidReply) {
    auto& f = startLinked();
    port.open();
    ctrlsim::Block data{};
    data.fill(9);
    controller.setPlexaBlock(0, data);
    controller.setPlexaBlock(8000, data);
    controller.setPlexaBlock(1, data);
    EXPECT_TRUE(f.read_v(0));
    EXPECT_EQ(f.ProgramTable.at(9000, 15), 9);
    EXPECT_EQ(f.Label13.caption(), "CommunicateSuccessfully");
    EXPECT_TRUE(f.read_v(8000));
    EXPECT_EQ(f.ProgramTable.at(3999, 16), 9);

    for (auto fault : {ctrlsim::Fault::kBadChecksum, ctrlsim::Fault::kBadFraming}) {
        controller.setFault(fault, 1);
        EXPECT_FALSE(f.read_v(1));
        EXPECT_EQ(f.Label13.caption(), "CommunicateUnsuccessfully");
        EXPECT_EQ(f.ProgramTable.at(0, 2), 0);
    }
    controller.setFault(ctrlsim::Fault::kShortReply, 1);
    EXPECT_FALSE(f.read_v(1));
    EXPECT_EQ(f.Label13.caption(), "CommunicationDataError");
}

}  // namespace
