#include "controller.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

using ctrlsim::Block;
using ctrlsim::Bytes;
using ctrlsim::Controller;
using ctrlsim::Fault;

const Bytes kAccepted{2, 5, 3};
const Bytes kRefused{15, 15};

Block counting() {
    Block data;
    std::iota(data.begin(), data.end(), 1);
    return data;
}

// Plexa's write of block 300: 2, 18, 1, 44, data, checksum, 3.
Bytes plexaWrite(const Block& data) {
    Bytes frame{2, 18, 1, 44};
    frame.insert(frame.end(), data.begin(), data.end());
    const unsigned sum = std::accumulate(frame.begin() + 1, frame.end(), 0u);
    frame.insert(frame.end(),
                 {static_cast<std::uint8_t>(sum & 0xFF), static_cast<std::uint8_t>(sum >> 8), 3});
    return frame;
}

const Bytes kPlexaRead300{2, 17, 1, 44, 62, 0, 3};

// Corvel's write of block 1 with 1 to 16: checksum 1 + 136 = 137.
Bytes corvelWrite1() {
    Bytes frame{2, 8, 1};
    const Block data = counting();
    frame.insert(frame.end(), data.begin(), data.end());
    frame.insert(frame.end(), {137, 0, 3});
    return frame;
}

Bytes readReply(const Block& data) {
    Bytes reply{2};
    reply.insert(reply.end(), data.begin(), data.end());
    reply.insert(reply.end(), {136, 0, 3});
    return reply;
}

TEST(ControllerTest, PlexaBlocksAreWrittenAndReadBackByTheirSixteenBitNumber) {
    Controller controller;
    EXPECT_EQ(controller.answer(plexaWrite(counting())), kAccepted);
    EXPECT_EQ(controller.plexaBlock(300), counting());
    EXPECT_EQ(controller.plexaBlock(44), Block{});
    EXPECT_EQ(controller.answer(kPlexaRead300), readReply(counting()));
}

TEST(ControllerTest, CorvelBlocksLiveInTheirOwnMemory) {
    Controller controller;
    EXPECT_EQ(controller.answer(corvelWrite1()), kAccepted);
    EXPECT_EQ(controller.corvelBlock(1), counting());
    EXPECT_EQ(controller.plexaBlock(1), Block{});
    controller.setCorvelBlock(241, counting());
    EXPECT_EQ(controller.answer({2, 7, 241, 241, 3}), readReply(counting()));
}

TEST(ControllerTest, MalformedRequestsAreRefusedAndChangeNothing) {
    Controller controller;
    Bytes badSum = plexaWrite(counting());
    ++badSum[20];
    Bytes badEnd = corvelWrite1();
    badEnd.back() = 4;
    EXPECT_EQ(controller.answer(badSum), kRefused);
    EXPECT_EQ(controller.answer(badEnd), kRefused);
    EXPECT_EQ(controller.answer({2, 17, 1, 44, 63, 0, 3}), kRefused);
    EXPECT_EQ(controller.answer({2, 7, 241, 240, 3}), kRefused);
    EXPECT_EQ(controller.answer({2, 99}), kRefused);
    EXPECT_EQ(controller.answer({}), kRefused);
    EXPECT_EQ(controller.plexaBlock(300), Block{});
    EXPECT_EQ(controller.corvelBlock(1), Block{});
    EXPECT_EQ(controller.requests().size(), 6u);
}

TEST(ControllerTest, EachFaultShapesTheReply) {
    Controller controller;
    controller.setPlexaBlock(300, counting());
    const Bytes good = readReply(counting());
    const auto faulty = [&](Fault fault) {
        controller.setFault(fault, 1);
        return controller.answer(kPlexaRead300);
    };
    EXPECT_EQ(faulty(Fault::kNoReply), Bytes{});
    EXPECT_EQ(faulty(Fault::kRefuse), kRefused);
    Bytes badSum = good;
    badSum[17] = 137;
    EXPECT_EQ(faulty(Fault::kBadChecksum), badSum);
    EXPECT_EQ(faulty(Fault::kBadFraming).back(), 0);
    EXPECT_EQ(faulty(Fault::kShortReply), Bytes(good.begin(), good.begin() + 10));
    Bytes stale = good;
    stale.insert(stale.end(), 3, 0xEE);
    EXPECT_EQ(faulty(Fault::kStale), stale);
    EXPECT_EQ(controller.answer(kPlexaRead300), good);
}

TEST(ControllerTest, AFaultyWriteIsNotStoredExceptWithStaleBytes) {
    Controller controller;
    controller.setFault(Fault::kBadChecksum, 1);
    EXPECT_EQ(controller.answer(plexaWrite(counting())), (Bytes{2, 6, 3}));
    EXPECT_EQ(controller.plexaBlock(300), Block{});
    controller.setFault(Fault::kBadFraming, 1);
    EXPECT_EQ(controller.answer(plexaWrite(counting())), (Bytes{2, 5, 0}));
    controller.setFault(Fault::kStale, 1);
    EXPECT_EQ(controller.answer(plexaWrite(counting())), (Bytes{2, 5, 3, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(controller.plexaBlock(300), counting());
}

TEST(ControllerTest, AFaultMeetsTheFirstKRequestsOrAll) {
    Controller controller;
    controller.setFault(Fault::kRefuse, 2);
    EXPECT_EQ(controller.answer(kPlexaRead300), kRefused);
    EXPECT_EQ(controller.answer(kPlexaRead300), kRefused);
    EXPECT_EQ(controller.answer(kPlexaRead300).size(), 20u);
    controller.setFault(Fault::kNoReply);
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(controller.answer(kPlexaRead300).empty());
}

TEST(ControllerTest, FaultNamesOfTheCommandLine) {
    EXPECT_EQ(ctrlsim::faultNamed("bad-checksum"), Fault::kBadChecksum);
    EXPECT_EQ(ctrlsim::faultNamed("stale"), Fault::kStale);
    EXPECT_EQ(ctrlsim::faultNamed("none"), Fault::kNone);
    EXPECT_FALSE(ctrlsim::faultNamed("flaky").has_value());
}

TEST(FrameReaderTest, CutsTheStreamIntoFramesBySTXAndCommand) {
    ctrlsim::FrameReader reader;
    const Bytes write = corvelWrite1();
    Bytes stream{0xFF, 3};
    stream.insert(stream.end(), write.begin(), write.begin() + 10);
    EXPECT_TRUE(reader.feed(stream).empty());
    EXPECT_TRUE(reader.midFrame());
    Bytes rest(write.begin() + 10, write.end());
    rest.insert(rest.end(), kPlexaRead300.begin(), kPlexaRead300.end());
    rest.insert(rest.end(), {2, 99, 2, 7});
    EXPECT_EQ(reader.feed(rest), (std::vector<Bytes>{write, kPlexaRead300, {2, 99}}));
    reader.reset();
    EXPECT_EQ(reader.feed(kPlexaRead300), std::vector<Bytes>{kPlexaRead300});
}

}  // namespace
