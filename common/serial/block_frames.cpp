#include "serial/block_frames.h"

#include <numeric>

namespace serial {

void appendChecksumAndEnd(Bytes& frame, std::size_t first) {
    const unsigned sum =
        std::accumulate(frame.begin() + static_cast<std::ptrdiff_t>(first), frame.end(), 0u);
    frame.push_back(static_cast<std::uint8_t>(sum & 0xFF));
    frame.push_back(static_cast<std::uint8_t>(sum >> 8 & 0xFF));
    frame.push_back(kEtx);
}

bool writeAccepted(const Bytes& reply) {
    return reply.size() >= 3 && reply[0] == 2 && reply[1] == 5 && reply[2] == 3;
}

bool readReplyValid(const Bytes& reply) {
    if (reply.size() < kReadReplyBytes || reply[0] != kStx || reply[19] != kEtx) return false;
    if (reply[18] > 127) return false;
    const unsigned sum = std::accumulate(reply.begin() + 1, reply.begin() + 17, 0u);
    return reply[18] * 256u + reply[17] == sum;
}

}  // namespace serial
