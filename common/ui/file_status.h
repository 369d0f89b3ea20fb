#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "ui/controls.h"

namespace ui {

// File errors borrow the status line; the next file command that works
// gives it back its caption.
class FileStatus {
  public:
    explicit FileStatus(Label& line) : line_(line) {}

    void showError(const std::string& message);
    void clear();

    // Reads the file of that name in dir into image; a name that would leave
    // dir, or a file that cannot be opened or read, leaves image as it was
    // and says why on the status line.
    bool load(const std::filesystem::path& dir, const std::string& fileName,
              std::span<std::uint8_t> image);
    // Writes image over the start of the file of that name in dir.
    bool save(const std::filesystem::path& dir, const std::string& fileName,
              std::span<const std::uint8_t> image);

  private:
    Label& line_;
    std::string captionBefore_;
    bool shown_ = false;
};

}  // namespace ui
