#include "controller.h"

#include <gtest/gtest.h>

#include "test_frames.h"

namespace {

using ctrlsim::Block;
using ctrlsim::Bytes;
using ctrlsim::Controller;
using ctrlsim::Fault;

const Bytes kAccepted{2, 5, 3};
const Bytes kRefused{15, 15};

const Block kCounting = test::counting(1);
// Block 300's read request, and Corvel's write of block 1 with checksum 1 + 136 = 137.
const Bytes kPlexaRead300{2, 17, 1, 44, 62, 0, 3};
const Bytes kCorvelWrite1 = test::corvelWrite(1, kCounting);

Bytes plexaWrite300(const Block& data) {
    return test::plexaWrite(300, data);
}

Bytes readReply(const Block& data) {
    Bytes reply{2};
    reply.insert(reply.end(), data.begin(), data.end());
    reply.insert(reply.end(), {136, 0, 3});
    return reply;
}

TEST(ControllerTest, TheTestFramesMatchTheWorkedExamples) {
    EXPECT_EQ(test::plexaRead(300), kPlexaRead300);
    const Bytes zeros = test::plexaWrite(1, Block{});
    EXPECT_EQ(zeros.size(), 23u);
    EXPECT_EQ(zeros[20], 19);
    EXPECT_EQ(zeros[21], 0);
    EXPECT_EQ(kCorvelWrite1.size(), 22u);
    EXPECT_EQ(kCorvelWrite1[19], 137);
    EXPECT_EQ(test::corvelRead(241), (Bytes{2, 7, 241, 241, 3}));
}

TEST(ControllerTest, PlexaBlocksAreWrittenAndReadBackByTheirSixteenBitNumber) {
    Controller controller;
    EXPECT_EQ(controller.answer(plexaWrite300(kCounting)), kAccepted);
    EXPECT_EQ(controller.plexaBlock(300), kCounting);
    EXPECT_EQ(controller.plexaBlock(44), Block{});
    EXPECT_EQ(controller.answer(kPlexaRead300), readReply(kCounting));
}

TEST(ControllerTest, CorvelBlocksLiveInTheirOwnMemory) {
    Controller controller;
    EXPECT_EQ(controller.answer(kCorvelWrite1), kAccepted);
    EXPECT_EQ(controller.corvelBlock(1), kCounting);
    EXPECT_EQ(controller.plexaBlock(1), Block{});
    controller.setCorvelBlock(241, kCounting);
    EXPECT_EQ(controller.answer({2, 7, 241, 241, 3}), readReply(kCounting));
}

TEST(ControllerTest, MalformedRequestsAreRefusedAndChangeNothing) {
    Controller controller;
    Bytes badSum = plexaWrite300(kCounting);
    ++badSum[20];
    Bytes badEnd = kCorvelWrite1;
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
    controller.setPlexaBlock(300, kCounting);
    const Bytes good = readReply(kCounting);
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
    EXPECT_EQ(controller.answer(plexaWrite300(kCounting)), (Bytes{2, 6, 3}));
    EXPECT_EQ(controller.plexaBlock(300), Block{});
    controller.setFault(Fault::kBadFraming, 1);
    EXPECT_EQ(controller.answer(plexaWrite300(kCounting)), (Bytes{2, 5, 0}));
    controller.setFault(Fault::kStale, 1);
    EXPECT_EQ(controller.answer(plexaWrite300(kCounting)), (Bytes{2, 5, 3, 0xEE, 0xEE, 0xEE}));
    EXPECT_EQ(controller.plexaBlock(300), kCounting);
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
    const Bytes write = kCorvelWrite1;
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
