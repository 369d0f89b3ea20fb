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

FakePort::Reply FakePort::spread(const serial::Bytes& bytes, std::int64_t firstMs,
                                 std::int64_t stepMs) {
    Reply reply;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        reply.push_back({firstMs + static_cast<std::int64_t>(i) * stepMs, {bytes[i]}});
    }
    return reply;
}

void FakePort::queueReply(serial::Bytes bytes, std::int64_t delayMs) {
    queueResponder([bytes = std::move(bytes), delayMs](const serial::Bytes&) {
        return Reply{{delayMs, bytes}};
    });
}

void FakePort::arriveAt(std::int64_t atMs, serial::Bytes bytes) {
    incoming_.emplace(atMs, std::move(bytes));
}

bool FakePort::open() {
    idleCalls_ = 0;
    openAttempts_.push_back(number_);
    const auto found = openResults_.find(number_);
    const OpenResult result = found == openResults_.end() ? defaultOpen_ : found->second;
    if (result == OpenResult::kFails) {
        error_ = "COM" + std::to_string(number_) + ": no such port";
        return false;
    }
    open_ = result == OpenResult::kOpens;
    opens_ += open_ ? 1 : 0;
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
    Responder responder = responder_;
    if (!queued_.empty()) {
        responder = std::move(queued_.front());
        queued_.pop_front();
    }
    if (!responder) return true;
    for (Chunk& chunk : responder(requests_.back())) {
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
    if (const auto arrival = nextArrival()) wakeAt = std::min(wakeAt, *arrival);
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

std::optional<std::int64_t> FakePort::nextArrival() const {
    if (incoming_.empty()) return std::nullopt;
    return incoming_.begin()->first;
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
