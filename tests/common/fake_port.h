#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

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
    enum class OpenResult { kOpens, kFails };
    // Bytes arriving delayMs after the request was written.
    struct Chunk {
        std::int64_t delayMs = 0;
        serial::Bytes bytes;
    };
    using Reply = std::vector<Chunk>;
    using Responder = std::function<Reply(const serial::Bytes& request)>;

    explicit FakePort(ui::ManualClock& clock) : clock_(clock) {}

    void setOpenResult(int number, OpenResult result) { openResults_[number] = result; }
    // Answers the next request not yet answered; queued answers go in order.
    void queueReply(Reply reply) { queued_.push_back(std::move(reply)); }
    void queueReply(serial::Bytes bytes, std::int64_t delayMs = 0) {
        queueReply(Reply{{delayMs, std::move(bytes)}});
    }
    // Answers every request once the queue is empty; by default none.
    void setResponder(Responder responder) { responder_ = std::move(responder); }
    // Bytes that arrive at clock time atMs, asked for or not; at or before
    // now they are waiting already.
    void arriveAt(std::int64_t atMs, serial::Bytes bytes) { incoming_.emplace(atMs, bytes); }
    void failWrites(bool on) { failWrites_ = on; }
    // The device vanishes at clock time atMs (now or later): no longer open.
    void unplugAt(std::int64_t atMs) { unplugAt_ = atMs; }

    const std::vector<serial::Bytes>& requests() const { return requests_; }
    // Port numbers of every open attempt, in order.
    const std::vector<int>& openAttempts() const { return openAttempts_; }
    int opens() const { return opens_; }
    int closes() const { return closes_; }
    int waits() const { return waits_; }
    // Bytes thrown away as stale input.
    std::size_t discarded() const { return discarded_; }

    void setPortNumber(int number) override { number_ = number; }
    int portNumber() const override { return number_; }
    bool open() override;
    bool isOpen() const override { return open_; }
    void close() override;
    bool write(std::span<const std::uint8_t> bytes) override;
    serial::Bytes readAll() override;
    void discardInput() override;
    bool waitForInput(int timeoutMs) override;
    std::string errorString() const override { return error_; }

  private:
    void update();
    void noteIdleCall();

    ui::ManualClock& clock_;
    std::map<int, OpenResult> openResults_;
    std::deque<Reply> queued_;
    Responder responder_;
    std::multimap<std::int64_t, serial::Bytes> incoming_;
    serial::Bytes buffer_;
    std::optional<std::int64_t> unplugAt_;
    bool failWrites_ = false;
    bool open_ = false;
    int number_ = 1;
    std::string error_;
    std::vector<serial::Bytes> requests_;
    std::vector<int> openAttempts_;
    int opens_ = 0;
    int closes_ = 0;
    int waits_ = 0;
    std::size_t discarded_ = 0;
    int idleCalls_ = 0;
    std::int64_t lastIdleNow_ = -1;
};

// Answers as the simulated controller does, delayMs after each request.
FakePort::Responder controllerResponder(ctrlsim::Controller& controller, std::int64_t delayMs = 0);

}  // namespace fake
