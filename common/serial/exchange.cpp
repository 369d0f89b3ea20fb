#include "serial/exchange.h"

namespace serial {

namespace {

bool refused(const Bytes& reply) {
    return reply.size() >= 2 && reply[0] == kRefusal;
}

void append(Bytes& reply, const Bytes& more) {
    reply.insert(reply.end(), more.begin(), more.end());
}

}  // namespace

ExchangeResult exchange(SerialPort& port, const ui::Clock& clock,
                        std::span<const std::uint8_t> request, std::size_t replyLength) {
    ExchangeResult result;
    port.discardInput();
    if (!port.write(request)) return result;
    const std::int64_t start = clock.nowMs();
    bool ok = true;
    for (;;) {
        append(result.reply, port.readAll());
        if (refused(result.reply)) ok = false;
        const std::int64_t elapsed = clock.nowMs() - start;
        if (elapsed > kReplyTimeoutMs) ok = false;
        if (!ok || result.reply.size() >= replyLength) break;
        // Sleep until input comes or the next look would be past the limit.
        const int left = static_cast<int>(kReplyTimeoutMs + 1 - elapsed);
        if (!port.waitForInput(left) && !port.isOpen()) {
            ok = false;
            break;
        }
    }
    result.ok = ok;
    return result;
}

}  // namespace serial
