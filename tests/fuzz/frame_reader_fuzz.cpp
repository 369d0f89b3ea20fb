// The simulator's side of the line: any bytes, cut into any chunks, give the
// same request frames as when they come at once; each frame is a piece of the
// stream that starts with STX where one was awaited and is as long as its
// command says, and only a frame's beginning is left pending; and the
// controller answers every frame with a refusal, the acceptance or a read
// reply that the programs take as valid. What it keeps of a write is shown
// by its own tests.
#include <algorithm>
#include <optional>

#include "controller.h"
#include "fuzz_input.h"
#include "serial/block_frames.h"

namespace {

using ctrlsim::Bytes;

std::size_t lengthOf(std::uint8_t command) {
    return command == 18 ? 23 : command == 17 ? 7 : command == 8 ? 22 : command == 7 ? 5 : 2;
}

// The frames lie in the stream in order, with no STX skipped between them;
// after the last one, what is pending is the stream from the next STX on,
// too short for a frame.
void checkFramesInStream(const std::vector<Bytes>& frames, const Bytes& stream, bool pending) {
    auto at = stream.begin();
    for (const Bytes& frame : frames) {
        at = std::find(at, stream.end(), std::uint8_t{2});
        fuzz::check(stream.end() - at >= static_cast<long>(frame.size()) &&
                        std::equal(frame.begin(), frame.end(), at),
                    "a frame is the stream from the next STX on");
        fuzz::check(frame.size() == lengthOf(frame[1]), "a frame is as long as its command says");
        at += static_cast<long>(frame.size());
    }
    at = std::find(at, stream.end(), std::uint8_t{2});
    const long rest = stream.end() - at;
    fuzz::check((rest > 0) == pending, "a frame is pending from an STX on");
    fuzz::check(rest < 2 || rest < static_cast<long>(lengthOf(at[1])), "every whole frame is cut");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    ctrlsim::FrameReader chunked;
    std::vector<Bytes> frames;
    Bytes stream;
    while (!in.done()) {
        const Bytes chunk = in.bytes(in.byte() % 40);
        stream.insert(stream.end(), chunk.begin(), chunk.end());
        for (Bytes& frame : chunked.feed(chunk)) frames.push_back(std::move(frame));
    }
    ctrlsim::FrameReader whole;
    fuzz::check(whole.feed(stream) == frames, "chunks do not change the frames");
    fuzz::check(whole.midFrame() == chunked.midFrame(), "chunks do not change what is pending");
    checkFramesInStream(frames, stream, whole.midFrame());

    // One controller for many inputs (its memory is large), renewed before
    // its log of requests grows large too.
    static std::optional<ctrlsim::Controller> controllerHeld;
    if (!controllerHeld || controllerHeld->requests().size() > 100000) controllerHeld.emplace();
    ctrlsim::Controller& controller = *controllerHeld;
    for (const Bytes& frame : frames) {
        const Bytes reply = controller.answer(frame);
        const bool known = reply == Bytes{15, 15} || reply == Bytes{2, 5, 3} ||
                           (reply.size() == 20 && serial::readReplyValid(reply));
        fuzz::check(known, "the controller refuses, accepts or sends a valid block");
    }
    return 0;
}
