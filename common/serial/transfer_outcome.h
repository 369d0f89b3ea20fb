#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "serial/exchange.h"
#include "serial/serial_port.h"

namespace serial {

// Why one try of a block failed.
enum class Failure { NoReply, Refused, Incomplete, Invalid, PortLost };

// What an exchange that was not ok ran into.
Failure failureOf(const ExchangeResult& result, const SerialPort& port);

// The failed tries of the block a transfer is at, by kind.
class FailedTries {
  public:
    // A try judged: an accepted one ends the tally, any other adds to it.
    void note(const ExchangeResult& result, bool accepted, const SerialPort& port);
    void clear() { counts_.clear(); }
    // "refused 6 times", "no reply once, refused 5 times".
    std::string text() const;

  private:
    std::vector<std::pair<Failure, int>> counts_;  // in the order first seen
};

enum class Transfer { Download, Upload };

// What the status bar says at the end of a transfer of the blocks first to
// last: where it stopped, how many blocks reached their end, and why.
std::string transferDone(Transfer transfer, int first, int last, std::int64_t elapsedMs);
std::string transferStopped(Transfer transfer, int block, int moved, int blocks,
                            std::int64_t elapsedMs, const FailedTries& tries);
std::string transferNotStarted(Transfer transfer, int blocks, const std::string& why);

}  // namespace serial
