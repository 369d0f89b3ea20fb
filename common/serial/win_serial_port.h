#pragma once

#include <filesystem>
#include <memory>

#include "serial/serial_port.h"

class QTimer;

namespace serial {

// The real COM port on Windows, over the system's serial API, used without
// an event loop but for giving its device back: a closed port lets the
// device go kReleaseDelayMs later, at once when it opens another port, and
// when destroyed.
class WinSerialPort final : public SerialPort {
  public:
    // dataDir is where the ports' devices are looked up (comPortDevice).
    explicit WinSerialPort(std::filesystem::path dataDir);
    ~WinSerialPort() override;

    void setPortNumber(int number) override;
    int portNumber() const override { return number_; }
    bool open() override;
    bool isOpen() const override;
    void close() override;
    bool write(std::span<const std::uint8_t> bytes) override;
    Bytes readAll() override;
    void discardInput() override;
    bool waitForInput(int timeoutMs) override;
    void waitForLine(std::size_t bytes, int timeoutMs) override;
    std::string errorString() const override;

  private:
    enum class ReadMode { none, poll, wait };

    bool configure();
    bool setReadMode(ReadMode mode, int timeoutMs);
    bool readInto(Bytes& into);
    void fail(const std::string& what);
    void release();

    std::filesystem::path dataDir_;
    int number_ = 1;
    // The device's handle, open also while held.
    void* handle_;
    std::unique_ptr<QTimer> releaseTimer_;
    // Closed to its user, the device still open underneath.
    bool held_ = false;
    int heldNumber_ = 0;
    ReadMode mode_ = ReadMode::none;
    int modeTimeoutMs_ = 0;
    // Bytes a wait has taken in, handed out by the next readAll().
    Bytes received_;
    std::string error_;
};

}  // namespace serial
