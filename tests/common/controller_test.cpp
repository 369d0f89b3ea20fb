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

}  // namespace
