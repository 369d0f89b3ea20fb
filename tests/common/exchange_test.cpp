#include "serial/exchange.h"

#include <gtest/gtest.h>

#include "fake_port.h"

namespace {

using fake::FakePort;
using serial::Bytes;

const Bytes kRequest{2, 17, 1, 44, 62, 0, 3};
// Far from zero, so that a time measured from anywhere but the request shows.
constexpr std::int64_t kStart = 10'000;

// Each reply chunk arrives delayMs after the request; the exchange must end
// at endMs after it, having waited once for each chunk and once more for a
// time-out, never polling in between.
TEST(Exchange, JudgesTheReplyByItsBytesAndTheirTime) {
    struct Case {
        const char* what;
        Bytes stale;
        FakePort::Reply reply;
        std::size_t length;
        bool ok;
        Bytes received;
        std::int64_t endMs;
        int waits;
    };
    const Case cases[] = {
        {"whole reply", {}, {{30, {2, 5, 3}}}, 3, true, {2, 5, 3}, 30, 1},
        {"stale input discarded", {15, 15, 2, 5, 3}, {{10, {2, 5, 3}}}, 3, true, {2, 5, 3}, 10, 1},
        {"bytes beyond the length", {}, {{5, {2, 5, 3, 9, 9}}}, 3, true, {2, 5, 3, 9, 9}, 5, 1},
        {"in pieces", {}, {{2, {2}}, {3, {5}}, {9, {3}}}, 3, true, {2, 5, 3}, 9, 3},
        {"refusal once two bytes are in", {}, {{20, {15}}, {40, {0}}}, 20, false, {15, 0}, 40, 2},
        {"15 not in first place", {}, {{10, {2, 15, 3}}}, 3, true, {2, 15, 3}, 10, 1},
        {"a lone 15 times out", {}, {{10, {15}}}, 3, false, {15}, 501, 2},
        {"no reply", {}, {}, 3, false, {}, 501, 1},
        {"short reply", {}, {{10, {2, 5}}}, 3, false, {2, 5}, 501, 2},
        {"complete at exactly 500 ms", {}, {{100, {2, 5}}, {500, {3}}}, 3, true, {2, 5, 3}, 500, 2},
        {"last byte at 501 ms", {}, {{100, {2, 5}}, {501, {3}}}, 3, false, {2, 5, 3}, 501, 2},
    };
    ui::ManualClock clock;
    clock.setNow(kStart);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakePort port(clock);
        port.open();
        const std::int64_t start = clock.nowMs();
        port.arriveAt(start, c.stale);
        port.queueReply(c.reply);
        const auto result = serial::exchange(port, clock, kRequest, c.length);
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(result.reply, c.received);
        EXPECT_EQ(clock.nowMs() - start, c.endMs);
        EXPECT_EQ(port.waits(), c.waits);
        EXPECT_EQ(port.discarded(), c.stale.size());
        EXPECT_EQ(port.requests(), std::vector<Bytes>{kRequest});
        clock.advance(1000);
    }
}

TEST(Exchange, AFailedWriteOrALostDeviceEndsTheExchangeAtOnce) {
    ui::ManualClock clock;
    clock.setNow(kStart);
    FakePort port(clock);
    port.open();
    port.failWrites(true);
    EXPECT_FALSE(serial::exchange(port, clock, kRequest, 3).ok);
    EXPECT_EQ(clock.nowMs(), kStart);
    EXPECT_EQ(port.waits(), 0);

    port.failWrites(false);
    port.queueReply({2}, 10);
    port.unplugAt(kStart + 100);
    EXPECT_FALSE(serial::exchange(port, clock, kRequest, 3).ok);
    EXPECT_EQ(clock.nowMs(), kStart + 100);
    EXPECT_FALSE(port.isOpen());
}

}  // namespace
