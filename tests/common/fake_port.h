#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>
#include <utility>

#include "controller.h"
#include "serial/serial_port.h"
#include "ui/clock.h"

namespace fake {

// A serial port whose line is scripted and whose time is a ManualClock.
// Waiting on it moves the clock: to the next byte due when one comes within
// the wait, else by the whole wait. Replies are scheduled relative to the
// write of the request that they answer.
class FakePort final : public serial::SerialPort {
  public:
    // Chunks of bytes, each arriving its delay in ms after the request was
    // written.
    using Reply = std::vector<std::pair<std::int64_t, serial::Bytes>>;
    using Responder = std::function<Reply(const serial::Bytes& request)>;

    explicit FakePort(ui::ManualClock& clock) : clock_(clock) {}

    void setOpenFails(int number) { failing_.insert(number); }
    // Answers the next request not yet answered; queued answers go in order.
    void queueReply(Reply reply) { queued_.push_back(std::move(reply)); }
    void queueReply(serial::Bytes bytes) { queueReply(Reply{{0, std::move(bytes)}}); }
    // Answers every request once the queue is empty; by default none.
    void setResponder(Responder responder) { responder_ = std::move(responder); }
    // Each byte's time on the line; by default the scripted times alone count.
    void setByteTimeMs(int ms) { byteTimeMs_ = ms; }
    // Bytes that arrive at clock time atMs, asked for or not; at or before
    // now they are waiting already.
    void arriveAt(std::int64_t atMs, serial::Bytes bytes) { incoming_.emplace(atMs, bytes); }

    const std::vector<serial::Bytes>& requests() const { return requests_; }

    void setPortNumber(int number) override { number_ = number; }
    int portNumber() const override { return number_; }
    bool open() override {
        const bool opens = !failing_.contains(number_);
        if (!opens) error_ = "COM" + std::to_string(number_) + ": no such port";
        open_ = open_ || opens;
        return opens;
    }
    bool isOpen() const override { return open_; }
    void close() override {
        open_ = false;
        buffer_.clear();
    }
    bool write(std::span<const std::uint8_t> bytes) override {
        update();
        if (!open_) return false;
        requests_.emplace_back(bytes.begin(), bytes.end());
        Reply reply = queued_.empty() && responder_ ? responder_(requests_.back()) : Reply{};
        if (!queued_.empty()) {
            reply = std::move(queued_.front());
            queued_.pop_front();
        }
        for (auto& [delayMs, bytes] : reply) arriveAt(clock_.nowMs() + delayMs, std::move(bytes));
        return true;
    }
    serial::Bytes readAll() override {
        update();
        return std::exchange(buffer_, {});
    }
    bool waitForInput(int timeoutMs) override {
        refuseNegative(timeoutMs);
        update();
        if (!open_ || !buffer_.empty()) return open_;
        std::int64_t wakeAt = clock_.nowMs() + timeoutMs;
        if (!incoming_.empty()) wakeAt = std::min(wakeAt, incoming_.begin()->first);
        clock_.setNow(wakeAt);
        update();
        return open_ && !buffer_.empty();
    }
    void waitForLine(std::size_t bytes, int timeoutMs) override {
        refuseNegative(timeoutMs);
        clock_.advance(
            std::min<std::int64_t>(static_cast<std::int64_t>(bytes) * byteTimeMs_, timeoutMs));
    }
    std::string errorString() const override { return error_; }

  private:
    // A real port may take a negative time for no limit at all.
    static void refuseNegative(int timeoutMs) {
        if (timeoutMs < 0) throw std::invalid_argument("FakePort: a wait of a negative time");
    }
    // Moves every byte due by now into the buffer. Looks this often without
    // the clock moving or a request being written can only be a loop that
    // spins: the test fails instead of hanging.
    void update() {
        const std::pair look{clock_.nowMs(), requests_.size()};
        idleLooks_ = look == lastLook_ ? idleLooks_ + 1 : 0;
        lastLook_ = look;
        if (idleLooks_ > 100000) throw std::logic_error("FakePort: polled in a loop that spins");
        while (!incoming_.empty() && incoming_.begin()->first <= clock_.nowMs()) {
            const serial::Bytes& bytes = incoming_.begin()->second;
            if (open_) buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
            incoming_.erase(incoming_.begin());
        }
    }

    ui::ManualClock& clock_;
    std::set<int> failing_;
    std::deque<Reply> queued_;
    Responder responder_;
    std::multimap<std::int64_t, serial::Bytes> incoming_;
    serial::Bytes buffer_;
    bool open_ = false;
    int number_ = 1;
    std::string error_;
    std::vector<serial::Bytes> requests_;
    int byteTimeMs_ = 0;
    int idleLooks_ = 0;
    std::pair<std::int64_t, std::size_t> lastLook_{-1, 0};
};

// Answers as the simulated controller does, delayMs after each request.
inline FakePort::Responder controllerResponder(ctrlsim::Controller& controller,
                                               std::int64_t delayMs = 0) {
    return [&controller, delayMs](const serial::Bytes& request) {
        return FakePort::Reply{{delayMs, controller.answer(request)}};
    };
}

}  // namespace fake
