#include "fake_port.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace fake {

namespace {

// Reads and waits this often without the clock moving or a request being
// written can only be a loop that spins; the test fails instead of hanging.
constexpr int kSpinLimit = 100000;

}  // namespace

bool FakePort::open() {
    idleCalls_ = 0;
    openAttempts_.push_back(number_);
    const auto found = openResults_.find(number_);
    if (found != openResults_.end() && found->second == OpenResult::kFails) {
        error_ = "COM" + std::to_string(number_) + ": no such port";
        return false;
    }
    open_ = true;
    ++opens_;
    return true;
}

void FakePort::close() {
    idleCalls_ = 0;
    if (open_) ++closes_;
    open_ = false;
    buffer_.clear();
}

bool FakePort::write(std::span<const std::uint8_t> bytes) {
    idleCalls_ = 0;
    update();
    if (!open_ || failWrites_) return false;
    requests_.emplace_back(bytes.begin(), bytes.end());
    Reply reply;
    if (!queued_.empty()) {
        reply = std::move(queued_.front());
        queued_.pop_front();
    } else if (responder_) {
        reply = responder_(requests_.back());
    }
    for (Chunk& chunk : reply) {
        arriveAt(clock_.nowMs() + chunk.delayMs, std::move(chunk.bytes));
    }
    return true;
}

serial::Bytes FakePort::readAll() {
    noteIdleCall();
    update();
    return std::exchange(buffer_, {});
}

void FakePort::discardInput() {
    update();
    discarded_ += buffer_.size();
    buffer_.clear();
}

bool FakePort::waitForInput(int timeoutMs) {
    noteIdleCall();
    ++waits_;
    update();
    if (!open_) return false;
    if (!buffer_.empty()) return true;
    const std::int64_t deadline = clock_.nowMs() + std::max(timeoutMs, 0);
    std::int64_t wakeAt = deadline;
    if (!incoming_.empty()) wakeAt = std::min(wakeAt, incoming_.begin()->first);
    if (unplugAt_) wakeAt = std::min(wakeAt, *unplugAt_);
    clock_.setNow(wakeAt);
    update();
    return open_ && !buffer_.empty();
}

// Moves every byte due by now into the buffer, and pulls the plug when due.
void FakePort::update() {
    if (unplugAt_ && *unplugAt_ <= clock_.nowMs()) {
        unplugAt_.reset();
        open_ = false;
        buffer_.clear();
        incoming_.clear();
        error_ = "COM" + std::to_string(number_) + ": the device was removed";
    }
    while (!incoming_.empty() && incoming_.begin()->first <= clock_.nowMs()) {
        const serial::Bytes& bytes = incoming_.begin()->second;
        if (open_) buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
        incoming_.erase(incoming_.begin());
    }
}

void FakePort::noteIdleCall() {
    if (clock_.nowMs() != lastIdleNow_) idleCalls_ = 0;
    lastIdleNow_ = clock_.nowMs();
    if (++idleCalls_ > kSpinLimit) throw std::logic_error("FakePort: polled in a loop that spins");
}

FakePort::Responder controllerResponder(ctrlsim::Controller& controller, std::int64_t delayMs) {
    return [&controller, delayMs](const serial::Bytes& request) {
        return FakePort::Reply{{delayMs, controller.answer(request)}};
    };
}

}  // namespace fake
