// The simulated controller, fed request frames worked out by hand: Plexa's
// carry the block number high byte first and sum from the command byte on,
// Corvel's write sums from its block number on.
#include "controller.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

using ctrlsim::Block;
using ctrlsim::Bytes;
using ctrlsim::Controller;
using ctrlsim::Fault;

const Bytes kAccepted{2, 5, 3};
const Bytes kRefused{15, 15};
const Block kCounting{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};  // sums to 136
const Block kFull{255, 255, 255, 255, 255, 255, 255, 255,
                  255, 255, 255, 255, 255, 255, 255, 255};  // sums to 4080, 0x0FF0

// head, the 16 data bytes, tail.
Bytes frame(Bytes head, const Block& data, std::initializer_list<std::uint8_t> tail) {
    head.insert(head.end(), data.begin(), data.end());
    head.insert(head.end(), tail);
    return head;
}

// Block 300 is 1, 44; 18 + 1 + 44 + 136 = 199.
const Bytes kPlexaWrite300 = frame({2, 18, 1, 44}, kCounting, {199, 0, 3});
// Block 299 is 1, 43; 17 + 1 + 43 = 61.
const Bytes kPlexaRead299{2, 17, 1, 43, 61, 0, 3};
const Bytes kCountingReply = frame({2}, kCounting, {136, 0, 3});

// Malformed requests are refused and change nothing. Checksums above one
// byte carry their high byte: 63 + 4080 = 0x102F for Plexa's write, 9 + 4080
// = 0x0FF9 for Corvel's; the read replies carry 0x0FF0.
TEST(Controller, RequestsAreJudgedByTheirFramingAndChecksum) {
    Controller controller;
    for (const Bytes& request :
         {frame({2, 18, 1, 44}, kCounting, {200, 0, 3}), frame({2, 8, 1}, kCounting, {137, 0, 4}),
          Bytes{2, 17, 1, 44, 63, 0, 3}, Bytes{2, 7, 241, 240, 3}, Bytes{2, 99}, Bytes{}})
        EXPECT_EQ(controller.answer(request), kRefused) << request.size();
    EXPECT_EQ(controller.plexaBlock(300), Block{});
    EXPECT_EQ(controller.corvelBlock(1), Block{});

    const Bytes reply = frame({2}, kFull, {0xF0, 0x0F, 3});
    EXPECT_EQ(controller.answer(frame({2, 18, 1, 44}, kFull, {0x2F, 0x10, 3})), kAccepted);
    EXPECT_EQ(controller.answer({2, 17, 1, 44, 62, 0, 3}), reply);
    EXPECT_EQ(controller.answer(frame({2, 8, 9}, kFull, {0xF9, 0x0F, 3})), kAccepted);
    EXPECT_EQ(controller.answer({2, 7, 9, 9, 3}), reply);
}

// A fault meets the first k requests, here two; a faulty answer stores
// nothing, except a stale one, whose reply is right.
TEST(Controller, EachFaultShapesTheRepliesToTheFirstKRequests) {
    const std::tuple<Fault, Bytes, Bytes, bool> cases[] = {
        {Fault::kNoReply, {}, {}, false},
        {Fault::kRefuse, kRefused, kRefused, false},
        {Fault::kBadChecksum, frame({2}, kCounting, {137, 0, 3}), {2, 6, 3}, false},
        {Fault::kBadFraming, frame({2}, kCounting, {136, 0, 0}), {2, 5, 0}, false},
        {Fault::kShortReply, {2, 1, 2, 3, 4, 5, 6, 7, 8, 9}, {2}, false},
        {Fault::kStale,
         frame({2}, kCounting, {136, 0, 3, 0xEE, 0xEE, 0xEE}),
         {2, 5, 3, 0xEE, 0xEE, 0xEE},
         true},
    };
    for (const auto& [fault, read, write, stored] : cases) {
        SCOPED_TRACE(static_cast<int>(fault));
        Controller controller;
        controller.setPlexaBlock(299, kCounting);
        controller.setFault(fault, 2);
        EXPECT_EQ(controller.answer(kPlexaRead299), read);
        EXPECT_EQ(controller.answer(kPlexaWrite300), write);
        EXPECT_EQ(controller.plexaBlock(300) == kCounting, stored);
        EXPECT_EQ(controller.answer(kPlexaRead299), kCountingReply);
    }
}

}  // namespace
