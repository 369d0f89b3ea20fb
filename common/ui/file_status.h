#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "ui/controls.h"

namespace ui {

// File errors borrow the status line; the next file command that works
// gives back the caption it had, unless something else, such as a block
// exchange, has written the line since.
class FileStatus {
  public:
    explicit FileStatus(Label& line) : line_(line) {}

    void showError(const std::string& message);
    void clear();

    // Reads the file of that name in dir into image; a name that would leave
    // dir, or a file that cannot be opened or read, leaves image as it was
    // and says why on the status line. A name that has no file makes an
    // empty one, and the line says so.
    bool load(const std::filesystem::path& dir, const std::string& fileName,
              std::span<std::uint8_t> image);
    // Writes image over the start of the file of that name in dir.
    bool save(const std::filesystem::path& dir, const std::string& fileName,
              std::span<const std::uint8_t> image);

  private:
    // Whether the line still shows the file message last put there.
    bool showing() const;

    Label& line_;
    std::string captionBefore_;
    std::string message_;  // empty when no message was shown since the last success
};

}  // namespace ui
