#pragma once

#include <span>
#include <string>

#include "serial/serial_port.h"

namespace test {

// A port with nothing behind it: every open fails.
class AbsentPort final : public serial::SerialPort {
  public:
    void setPortNumber(int number) override { number_ = number; }
    int portNumber() const override { return number_; }
    bool open() override { return false; }
    bool isOpen() const override { return false; }
    void close() override {}
    bool write(std::span<const std::uint8_t>) override { return false; }
    serial::Bytes readAll() override { return {}; }
    bool waitForInput(int) override { return false; }
    std::string errorString() const override { return "no such port"; }

  private:
    int number_ = 1;
};

}  // namespace test
