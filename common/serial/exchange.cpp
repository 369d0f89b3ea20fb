#include "serial/exchange.h"

#include <algorithm>

namespace serial {

namespace {

bool refused(const Bytes& reply) {
    return reply.size() >= 2 && reply[0] == kRefusal;
}

// Bytes still to come before the reply can be judged: none is known before
// the first, and a refusal needs only one more.
std::size_t stillMissing(const Bytes& reply, std::size_t replyLength) {
    if (reply.empty()) return 0;
    const std::size_t needed = reply[0] == kRefusal ? 2 : replyLength;
    return needed > reply.size() ? needed - reply.size() : 0;
}

int msLeft(std::int64_t ms) {
    return static_cast<int>(std::max<std::int64_t>(ms, 0));
}

void append(Bytes& reply, const Bytes& more) {
    reply.insert(reply.end(), more.begin(), more.end());
}

}  // namespace

ExchangeResult exchange(SerialPort& port, const ui::Clock& clock,
                        std::span<const std::uint8_t> request, std::size_t replyLength,
                        const std::function<void()>& sent) {
    ExchangeResult result;
    port.discardInput();
    if (!port.write(request)) return result;
    const std::int64_t start = clock.nowMs();
    if (sent) sent();
    bool ok = true;
    bool restedOnLine = false;
    // Nothing of the reply can be in before the request has crossed the
    // line: the first look follows the first wait.
    for (;;) {
        const std::int64_t elapsed = clock.nowMs() - start;
        // Sleep until input comes or the next look would be past the limit;
        // a slow `sent` callback may have used up all of the time.
        const int left = msLeft(kReplyTimeoutMs + 1 - elapsed);
        // Once a reply has begun, the rest follows byte after byte: looking
        // again before all but the last can be in would only wake for each.
        // That wait ends at the limit, where what has come is still in time.
        const std::size_t missing = stillMissing(result.reply, replyLength);
        if (!restedOnLine && missing > 1) {
            port.waitForLine(missing - 1, msLeft(kReplyTimeoutMs - elapsed));
            restedOnLine = true;
        } else {
            restedOnLine = false;
            if (!port.waitForInput(left) && !port.isOpen()) {
                ok = false;
                break;
            }
        }
        append(result.reply, port.readAll());
        if (refused(result.reply)) ok = false;
        if (clock.nowMs() - start > kReplyTimeoutMs) ok = false;
        if (!ok || result.reply.size() >= replyLength) break;
    }
    result.ok = ok;
    return result;
}

}  // namespace serial
