#pragma once

#include <filesystem>
#include <memory>

#include "serial/serial_port.h"

class QSerialPort;
class QTimer;

namespace serial {

// The real COM port, over Qt Serial Port, used without an event loop but for
// giving its device back: a closed port lets the device go kReleaseDelayMs
// later, at once when it opens another device, and when destroyed.
class QtSerialPort final : public SerialPort {
  public:
    // dataDir is where links named com1 to com16 may point at devices.
    explicit QtSerialPort(std::filesystem::path dataDir);
    ~QtSerialPort() override;

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
    bool takeBack(const std::string& device);
    void release();
    void checkError();

    std::filesystem::path dataDir_;
    int number_ = 1;
    std::unique_ptr<QSerialPort> port_;
    std::unique_ptr<QTimer> releaseTimer_;
    // Closed to its user, the device still open underneath.
    bool held_ = false;
    std::string device_;
    std::string error_;
};

}  // namespace serial
