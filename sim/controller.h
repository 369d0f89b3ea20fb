#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace ctrlsim {

using Bytes = std::vector<std::uint8_t>;
using Block = std::array<std::uint8_t, 16>;

// What goes wrong with a request. A faulty answer never changes memory,
// except kStale, whose reply itself is correct.
enum class Fault {
    kNone,
    kNoReply,      // the request is ignored
    kRefuse,       // the refusal 15, 15
    kBadChecksum,  // a read reply whose checksum is one off; a write, which has
                   // no checksum in its reply, gets the acknowledgement 2, 6, 3
    kBadFraming,   // the reply ends with 0 instead of ETX
    kShortReply,   // only the first half of the reply
    kStale,        // the reply followed by junk that the next request finds waiting
};

// Command line names: "none", "no-reply", "refuse", "bad-checksum",
// "bad-framing", "short-reply", "stale".
std::optional<Fault> faultNamed(std::string_view name);

// Cuts the byte stream from the line into request frames: bytes before an
// STX are skipped, and the command byte gives the frame's length. An STX
// followed by an unknown command makes a two-byte frame of its own.
class FrameReader {
  public:
    std::vector<Bytes> feed(std::span<const std::uint8_t> bytes);
    bool midFrame() const { return !pending_.empty(); }
    // Drops a frame that stopped half-way.
    void reset() { pending_.clear(); }

  private:
    Bytes pending_;
};

// The memories of both controllers and their answers to requests. Plexa
// (commands 17 and 18) addresses 16-byte blocks by a 16-bit number, Corvel
// (commands 7 and 8) by one byte. A request with a wrong checksum, a wrong
// ETX or an unknown command is refused with 15, 15.
class Controller {
  public:
    Controller();

    // The reply to one request frame; empty when there is none.
    Bytes answer(const Bytes& request);
    // The next count requests meet fault; every request when count < 0.
    void setFault(Fault fault, int count = -1);

    Block plexaBlock(std::uint16_t n) const { return plexa_[n]; }
    void setPlexaBlock(std::uint16_t n, const Block& data) { plexa_[n] = data; }
    Block corvelBlock(std::uint8_t b) const { return corvel_[b]; }
    void setCorvelBlock(std::uint8_t b, const Block& data) { corvel_[b] = data; }
    // Every request frame received, in order.
    const std::vector<Bytes>& requests() const { return requests_; }

  private:
    struct Request;

    Fault takeFault();
    std::optional<Request> parse(const Bytes& frame) const;
    Block& blockOf(const Request& request);
    Bytes replyTo(const Request& request);

    std::vector<Block> plexa_;
    std::array<Block, 256> corvel_{};
    Fault fault_ = Fault::kNone;
    int faultCount_ = 0;
    std::vector<Bytes> requests_;
};

}  // namespace ctrlsim
