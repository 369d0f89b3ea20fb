#include "serial/exchange.h"

#include <gtest/gtest.h>

#include "fake_port.h"

namespace {

using fake::FakePort;
using serial::Bytes;

const Bytes kRequest{2, 17, 1, 44, 62, 0, 3};
const Bytes kAccepted{2, 5, 3};

class ExchangeTest : public ::testing::Test {
  protected:
    ExchangeTest() { port.open(); }

    serial::ExchangeResult run(std::size_t replyLength = 3) {
        return serial::exchange(port, clock, kRequest, replyLength);
    }

    ui::ManualClock clock;
    FakePort port{clock};
};

TEST_F(ExchangeTest, SendsTheRequestOnceAndTakesAWholeReply) {
    port.queueReply(kAccepted, 30);
    const auto result = run();
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.reply, kAccepted);
    EXPECT_EQ(port.requests(), std::vector<Bytes>{kRequest});
    EXPECT_EQ(clock.nowMs(), 30);
}

TEST_F(ExchangeTest, StaleInputIsDiscardedBeforeTheRequest) {
    port.arriveAt(0, {15, 15, 2, 5, 3});
    port.queueReply(kAccepted, 10);
    const auto result = run();
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.reply, kAccepted);
    EXPECT_EQ(port.discarded(), 5u);
}

TEST_F(ExchangeTest, BytesBeyondTheReplyLengthAreKeptButDoNotMatter) {
    port.queueReply({2, 5, 3, 9, 9}, 5);
    const auto result = run();
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.reply, (Bytes{2, 5, 3, 9, 9}));
}

TEST_F(ExchangeTest, AReplyArrivingByteByByteIsCollected) {
    const Bytes reply(20, 7);
    port.queueResponder([&](const Bytes&) { return FakePort::spread(reply, 2, 1); });
    const auto result = run(20);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.reply, reply);
    EXPECT_EQ(clock.nowMs(), 21);
}

TEST_F(ExchangeTest, RefusalEndsTheExchangeAsSoonAsTwoBytesAreIn) {
    port.queueResponder([](const Bytes&) { return FakePort::Reply{{20, {15}}, {40, {0}}}; });
    const auto result = run(20);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reply, (Bytes{15, 0}));
    EXPECT_EQ(clock.nowMs(), 40);
}

TEST_F(ExchangeTest, RefusalByteCountsOnlyInFirstPlace) {
    port.queueReply({2, 15, 3}, 10);
    EXPECT_TRUE(run().ok);
}

TEST_F(ExchangeTest, ALoneRefusalByteEndsByTimeOut) {
    port.queueReply({15}, 10);
    const auto result = run();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reply, Bytes{15});
    EXPECT_EQ(clock.nowMs(), 501);
}

TEST_F(ExchangeTest, NoReplyTimesOutAtTheFirstLookPast500MsWithoutSpinning) {
    const auto result = run();
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.reply.empty());
    EXPECT_EQ(clock.nowMs(), 501);
    EXPECT_EQ(port.waits(), 1);
}

TEST_F(ExchangeTest, AShortReplyTimesOut) {
    port.queueReply({2, 5}, 10);
    const auto result = run();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(clock.nowMs(), 501);
    EXPECT_EQ(port.waits(), 2);
}

TEST_F(ExchangeTest, AReplyCompleteAtExactly500MsCounts) {
    port.queueResponder([](const Bytes&) { return FakePort::Reply{{100, {2, 5}}, {500, {3}}}; });
    EXPECT_TRUE(run().ok);
}

TEST_F(ExchangeTest, ALastByteAt501MsFailsInTheSameRoundAsTheTimeOut) {
    port.queueResponder([](const Bytes&) { return FakePort::Reply{{100, {2, 5}}, {501, {3}}}; });
    const auto result = run();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.reply, kAccepted);
}

TEST_F(ExchangeTest, TimeIsMeasuredFromTheRequest) {
    clock.setNow(10'000);
    port.queueReply(kAccepted, 450);
    EXPECT_TRUE(run().ok);
}

TEST_F(ExchangeTest, AFailedWriteEndsAtOnce) {
    port.failWrites(true);
    const auto result = run();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(clock.nowMs(), 0);
    EXPECT_EQ(port.waits(), 0);
}

TEST_F(ExchangeTest, ADeviceLostWhileWaitingEndsTheExchangeAtOnce) {
    port.queueReply({2}, 10);
    port.unplugAt(100);
    const auto result = run();
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(clock.nowMs(), 100);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(ExchangeTest, ConsecutiveExchangesEachGetTheirOwnReply) {
    ctrlsim::Controller controller;
    port.setResponder(fake::controllerResponder(controller, 3));
    Bytes write{2, 18, 1, 44};
    write.insert(write.end(), 16, 1);
    write.insert(write.end(), {79, 0, 3});
    EXPECT_TRUE(serial::exchange(port, clock, write, 3).ok);
    const auto read = serial::exchange(port, clock, kRequest, 20);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.reply.size(), 20u);
    EXPECT_EQ(read.reply[1], 1);
    EXPECT_EQ(read.reply[17], 16);
    EXPECT_EQ(clock.nowMs(), 6);
}

}  // namespace
