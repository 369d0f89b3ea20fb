#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace serial {

using Bytes = std::vector<std::uint8_t>;

// How long a closed port keeps its device for a reopen. A monitor cycle
// opens and closes the port at every window tick, and the system's open
// and close (the lock file, the line settings) cost more than the cycle's
// own exchanges; taking the device back costs nothing.
inline constexpr int kReleaseDelayMs = 250;

// The controller's serial line: COM 1 to 16, fixed at 9600 baud, 8 data bits,
// no parity, 1 stop bit, no flow control, raw binary bytes.
class SerialPort {
  public:
    virtual ~SerialPort() = default;

    virtual void setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;
    // Opens the port; false on an error, which errorString() then describes.
    virtual bool open() = 0;
    // False also once the device has failed (unplugged adapter).
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // Sends the bytes; false when the port failed.
    virtual bool write(std::span<const std::uint8_t> bytes) = 0;
    // Every byte waiting now, possibly none; never blocks.
    virtual Bytes readAll() = 0;
    // Throws away every byte received so far, ahead of a request.
    virtual void discardInput() { readAll(); }
    // Waits until input is waiting or timeoutMs have passed; true when input
    // is waiting. Returns at once when the port is closed or has failed.
    virtual bool waitForInput(int timeoutMs) = 0;
    // Waits, without looking at what arrives meanwhile, for the time the
    // line takes to carry `bytes` bytes, but no longer than timeoutMs: bytes
    // that cross the line one after another are then taken in at one look
    // instead of waking the caller for each. A line whose bytes take no time
    // waits for nothing.
    virtual void waitForLine(std::size_t bytes, int timeoutMs) {
        static_cast<void>(bytes);
        static_cast<void>(timeoutMs);
    }
    // Describes the last error (open failure, lost device).
    virtual std::string errorString() const = 0;
};

}  // namespace serial
