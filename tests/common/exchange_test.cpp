#include "serial/exchange.h"

#include <gtest/gtest.h>

#include <tuple>

#include "fake_port.h"

namespace {

using fake::FakePort;
using serial::Bytes;

const Bytes kRequest{2, 17, 1, 44, 62, 0, 3};

// Each reply chunk arrives delayMs after the request; the exchange must end
// at endMs after it.
TEST(Exchange, JudgesTheReplyByItsBytesAndTheirTime) {
    using Case =
        std::tuple<const char*, Bytes, FakePort::Reply, std::size_t, bool, Bytes, std::int64_t>;
    const Case cases[] = {
        {"stale input discarded", {15, 15, 2, 5, 3}, {{10, {2, 5, 3}}}, 3, true, {2, 5, 3}, 10},
        {"a lone 15 times out", {}, {{10, {15}}}, 3, false, {15}, 501},
        {"no reply", {}, {}, 3, false, {}, 501},
        {"complete at exactly 500 ms", {}, {{100, {2, 5}}, {500, {3}}}, 3, true, {2, 5, 3}, 500},
        {"last byte at 501 ms", {}, {{100, {2, 5}}, {501, {3}}}, 3, false, {2, 5, 3}, 501},
    };
    ui::ManualClock clock;
    clock.setNow(10'000);  // far from zero, so that a time measured from elsewhere shows
    for (const auto& [what, stale, reply, length, ok, received, endMs] : cases) {
        SCOPED_TRACE(what);
        FakePort port(clock);
        port.open();
        const std::int64_t start = clock.nowMs();
        port.arriveAt(start, stale);
        port.queueReply(reply);
        const auto result = serial::exchange(port, clock, kRequest, length);
        EXPECT_EQ(result.ok, ok);
        EXPECT_EQ(result.reply, received);
        EXPECT_EQ(clock.nowMs() - start, endMs);
        clock.advance(1000);
    }
}

// With 1 ms a byte, a 20-byte reply that begins at 8 ms is in at 27 ms at
// the earliest: after its first byte the exchange looks again only when all
// but the last can be in, but not past the limit, and ends there if the rest
// is in. A refusal needs one byte more, and is not kept waiting for the rest.
// A `sent` callback that takes longer than the limit leaves no time to wait,
// not a wait without end.
TEST(Exchange, OnceAReplyHasBegunLooksAgainWhenItsRestCanBeInWithinTheLimit) {
    FakePort::Reply byteByByte;
    for (int i = 0; i < 20; ++i) byteByByte.push_back({8 + i, {static_cast<std::uint8_t>(i)}});
    using Case = std::tuple<const char*, FakePort::Reply, std::int64_t, bool, std::int64_t>;
    const Case cases[] = {
        {"byte by byte", byteByByte, 0, true, 27},
        {"the rest in by then", {{8, {1}}, {26, Bytes(19, 1)}}, 0, true, 26},
        {"refusal", {{8, {15}}, {9, {0}}}, 0, false, 9},
        {"the rest at the limit", {{499, {1}}, {500, Bytes(19, 1)}}, 0, true, 500},
        {"a callback past the limit", {}, 502, false, 502},
    };
    ui::ManualClock clock;
    for (const auto& [what, reply, sentMs, ok, endMs] : cases) {
        SCOPED_TRACE(what);
        FakePort port(clock);
        port.setByteTimeMs(1);
        port.open();
        port.queueReply(reply);
        const std::int64_t start = clock.nowMs();
        const auto result =
            serial::exchange(port, clock, kRequest, 20, [&] { clock.advance(sentMs); });
        EXPECT_EQ(result.ok, ok);
        EXPECT_EQ(clock.nowMs() - start, endMs);
    }
}

}  // namespace
