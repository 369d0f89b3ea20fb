#pragma once

#include <cstddef>
#include <functional>
#include <span>

#include "serial/serial_port.h"
#include "ui/clock.h"

namespace serial {

// The longest a reply is awaited, in ms: the exchange fails on the first
// look at the port after more than this has passed.
inline constexpr int kReplyTimeoutMs = 500;
// A reply starting with this byte refuses the request (once two bytes are in).
inline constexpr std::uint8_t kRefusal = 15;

struct ExchangeResult {
    bool ok = false;  // replyLength bytes arrived in time and no refusal
    Bytes reply;      // everything received (may be longer or shorter)
};

// One request/reply exchange of the block protocol: discards stale input,
// sends the request, then collects the reply until replyLength bytes are in,
// a refusal is seen or the time limit passes. It waits on the port for the
// time left, and once a reply has begun, while the rest cannot have crossed
// the line; it never spins. sent, when given, runs once the request has gone
// out, before the wait: the line needs that time anyway.
ExchangeResult exchange(SerialPort& port, const ui::Clock& clock,
                        std::span<const std::uint8_t> request, std::size_t replyLength,
                        const std::function<void()>& sent = {});

}  // namespace serial
