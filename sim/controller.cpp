#include "controller.h"

#include <algorithm>
#include <numeric>
#include <utility>

namespace ctrlsim {

namespace {

constexpr std::uint8_t kStx = 2;
constexpr std::uint8_t kEtx = 3;
constexpr std::uint8_t kRefusal = 15;
constexpr std::uint8_t kPlexaRead = 17;
constexpr std::uint8_t kPlexaWrite = 18;
constexpr std::uint8_t kCorvelRead = 7;
constexpr std::uint8_t kCorvelWrite = 8;
constexpr std::uint8_t kJunk = 0xEE;

std::size_t frameLength(std::uint8_t command) {
    switch (command) {
        case kPlexaWrite:
            return 23;
        case kPlexaRead:
            return 7;
        case kCorvelWrite:
            return 22;
        case kCorvelRead:
            return 5;
        default:
            return 2;
    }
}

unsigned sum(const Bytes& bytes, std::size_t first, std::size_t last) {
    return std::accumulate(bytes.begin() + first, bytes.begin() + last + 1, 0u);
}

// A checksum sent low byte first at offset at.
bool checksumAt(const Bytes& frame, std::size_t at, unsigned expected) {
    return frame[at] + 256u * frame[at + 1] == expected;
}

Block dataAt(const Bytes& frame, std::size_t at) {
    Block data;
    std::copy_n(frame.begin() + at, data.size(), data.begin());
    return data;
}

bool framed(const Bytes& frame) {
    return frame.size() > 2 && frame[0] == kStx && frame.size() == frameLength(frame[1]) &&
           frame.back() == kEtx;
}

void corrupt(Bytes& reply, Fault fault) {
    switch (fault) {
        case Fault::kBadChecksum:
            if (reply.size() > 3)
                ++reply[17];
            else
                reply[1] = 6;
            break;
        case Fault::kBadFraming:
            reply.back() = 0;
            break;
        case Fault::kShortReply:
            reply.resize(reply.size() / 2);
            break;
        case Fault::kStale:
            reply.insert(reply.end(), 3, kJunk);
            break;
        default:
            break;
    }
}

}  // namespace

std::optional<Fault> faultNamed(std::string_view name) {
    static constexpr std::pair<std::string_view, Fault> kNames[] = {
        {"none", Fault::kNone},
        {"no-reply", Fault::kNoReply},
        {"refuse", Fault::kRefuse},
        {"bad-checksum", Fault::kBadChecksum},
        {"bad-framing", Fault::kBadFraming},
        {"short-reply", Fault::kShortReply},
        {"stale", Fault::kStale},
    };
    for (const auto& [text, fault] : kNames) {
        if (text == name) return fault;
    }
    return std::nullopt;
}

std::vector<Bytes> FrameReader::feed(std::span<const std::uint8_t> bytes) {
    std::vector<Bytes> frames;
    for (const std::uint8_t byte : bytes) {
        if (pending_.empty() && byte != kStx) continue;
        pending_.push_back(byte);
        if (pending_.size() >= 2 && pending_.size() == frameLength(pending_[1])) {
            frames.push_back(std::move(pending_));
            pending_.clear();
        }
    }
    return frames;
}

struct Controller::Request {
    std::uint8_t command;
    unsigned block;
    Block data{};
};

Controller::Controller() : plexa_(65536) {}

void Controller::setFault(Fault fault, int count) {
    fault_ = fault;
    faultCount_ = count;
}

Fault Controller::takeFault() {
    if (faultCount_ == 0) return Fault::kNone;
    if (faultCount_ > 0) --faultCount_;
    return fault_;
}

std::optional<Controller::Request> Controller::parse(const Bytes& frame) const {
    if (!framed(frame)) return std::nullopt;
    const std::uint8_t command = frame[1];
    switch (command) {
        case kPlexaWrite:
            if (!checksumAt(frame, 20, sum(frame, 1, 19))) return std::nullopt;
            return Request{command, frame[2] * 256u + frame[3], dataAt(frame, 4)};
        case kPlexaRead:
            if (!checksumAt(frame, 4, sum(frame, 1, 3))) return std::nullopt;
            return Request{command, frame[2] * 256u + frame[3]};
        case kCorvelWrite:
            if (!checksumAt(frame, 19, sum(frame, 2, 18))) return std::nullopt;
            return Request{command, frame[2], dataAt(frame, 3)};
        default:  // Corvel's read, the block number twice
            if (frame[2] != frame[3]) return std::nullopt;
            return Request{command, frame[2]};
    }
}

Block& Controller::blockOf(const Request& request) {
    const bool plexa = request.command == kPlexaRead || request.command == kPlexaWrite;
    return plexa ? plexa_[request.block] : corvel_[request.block];
}

Bytes Controller::replyTo(const Request& request) {
    if (request.command == kPlexaWrite || request.command == kCorvelWrite) return {kStx, 5, kEtx};
    const Block& data = blockOf(request);
    const unsigned checksum = std::accumulate(data.begin(), data.end(), 0u);
    Bytes reply{kStx};
    reply.insert(reply.end(), data.begin(), data.end());
    reply.insert(reply.end(), {static_cast<std::uint8_t>(checksum & 0xFF),
                               static_cast<std::uint8_t>(checksum >> 8), kEtx});
    return reply;
}

Bytes Controller::answer(const Bytes& request) {
    requests_.push_back(request);
    const Fault fault = takeFault();
    if (fault == Fault::kNoReply) return {};
    const std::optional<Request> parsed = parse(request);
    if (!parsed || fault == Fault::kRefuse) return {kRefusal, kRefusal};
    const bool writes = parsed->command == kPlexaWrite || parsed->command == kCorvelWrite;
    if (writes && (fault == Fault::kNone || fault == Fault::kStale))
        blockOf(*parsed) = parsed->data;
    Bytes reply = replyTo(*parsed);
    corrupt(reply, fault);
    return reply;
}

}  // namespace ctrlsim
