#pragma once

#include <filesystem>
#include <set>
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

// Links every COM port but the present ones to nowhere in dataDir, so that
// a start-up scan finds only those.
inline void linkAbsentPorts(const std::filesystem::path& dataDir, const std::set<int>& present) {
    std::filesystem::create_directories(dataDir);
    for (int com = 1; com <= 16; ++com)
        if (present.count(com) == 0)
            std::filesystem::create_symlink(dataDir / "absent",
                                            dataDir / ("com" + std::to_string(com)));
}

}  // namespace test
