// The simulated controller. Its memories are tested over the line, Plexa's
// with Plexa's frames, whose bytes are checked against worked examples there.
#include "controller.h"

#include <gtest/gtest.h>

#include "test_frames.h"

namespace {

using ctrlsim::Block;
using ctrlsim::Bytes;
using ctrlsim::Controller;
using ctrlsim::Fault;
using ctrlsim::FrameReader;

const Bytes kAccepted{2, 5, 3};
const Bytes kRefused{15, 15};
const Block kCounting = test::counting(1);
const Bytes kPlexaWrite300 = test::plexaWrite(300, kCounting);

Bytes readReply(const Block& data) {
    Bytes reply{2};
    reply.insert(reply.end(), data.begin(), data.end());
    reply.insert(reply.end(), {136, 0, 3});
    return reply;
}

TEST(Controller, MalformedRequestsAreRefusedAndChangeNothing) {
    Bytes badSum = kPlexaWrite300;
    ++badSum[20];
    Bytes badEnd = test::corvelWrite(1, kCounting);
    badEnd.back() = 4;
    Controller controller;
    for (const Bytes& request : {badSum, badEnd, Bytes{2, 17, 1, 44, 63, 0, 3},
                                 Bytes{2, 7, 241, 240, 3}, Bytes{2, 99}, Bytes{}}) {
        EXPECT_EQ(controller.answer(request), kRefused) << request.size();
    }
    EXPECT_EQ(controller.plexaBlock(300), Block{});
    EXPECT_EQ(controller.corvelBlock(1), Block{});
    EXPECT_EQ(controller.requests().size(), 6u);
}

// A fault meets the first k requests, here two; a faulty answer stores
// nothing, except a stale one, whose reply is right.
TEST(Controller, EachFaultShapesTheRepliesToTheFirstKRequests) {
    const Bytes good = readReply(kCounting);
    Bytes badSum = good;
    badSum[17] = 137;
    Bytes badEnd = good;
    badEnd[19] = 0;
    Bytes stale = good;
    stale.insert(stale.end(), 3, 0xEE);
    struct Case {
        Fault fault;
        Bytes read;
        Bytes write;
        bool stored;
    };
    const Case cases[] = {
        {Fault::kNoReply, {}, {}, false},
        {Fault::kRefuse, kRefused, kRefused, false},
        {Fault::kBadChecksum, badSum, {2, 6, 3}, false},
        {Fault::kBadFraming, badEnd, {2, 5, 0}, false},
        {Fault::kShortReply, Bytes(good.begin(), good.begin() + 10), {2}, false},
        {Fault::kStale, stale, {2, 5, 3, 0xEE, 0xEE, 0xEE}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.fault));
        Controller controller;
        controller.setPlexaBlock(299, kCounting);
        controller.setFault(c.fault, 2);
        EXPECT_EQ(controller.answer(test::plexaRead(299)), c.read);
        EXPECT_EQ(controller.answer(kPlexaWrite300), c.write);
        EXPECT_EQ(controller.plexaBlock(300) == kCounting, c.stored);
        EXPECT_EQ(controller.answer(test::plexaRead(299)), good);
    }
}

// 16 bytes of 255 sum to 4080, 0x0FF0: the checksum's high byte is 15.
TEST(Controller, ChecksumsAboveOneByteCarryTheirHighByte) {
    Block full;
    full.fill(0xFF);
    Bytes expected(17, 0xFF);
    expected[0] = 2;
    expected.insert(expected.end(), {0xF0, 0x0F, 3});
    Controller controller;
    EXPECT_EQ(controller.answer(test::plexaWrite(300, full)), kAccepted);
    EXPECT_EQ(controller.answer(test::plexaRead(300)), expected);
    EXPECT_EQ(controller.answer(test::corvelWrite(9, full)), kAccepted);
    EXPECT_EQ(controller.answer(test::corvelRead(9)), expected);
}

TEST(FrameReader, JunkArrivingWithAFrameInOneWriteIsSkipped) {
    const Bytes read5 = test::corvelRead(5);
    const Bytes read7 = test::plexaRead(7);
    Bytes chunk{0xEE, 0x00, 0x41, 3, 15};
    chunk.insert(chunk.end(), read5.begin(), read5.end());
    chunk.insert(chunk.end(), {0xEE, 0xEE});
    chunk.insert(chunk.end(), read7.begin(), read7.begin() + 3);
    FrameReader reader;
    EXPECT_EQ(reader.feed(chunk), std::vector<Bytes>{read5});
    EXPECT_TRUE(reader.midFrame());
    EXPECT_EQ(reader.feed({read7.begin() + 3, read7.end()}), std::vector<Bytes>{read7});
    EXPECT_FALSE(reader.midFrame());
}

}  // namespace
