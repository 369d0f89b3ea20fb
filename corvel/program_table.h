#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace corvel {

// The show in memory: 126 rows of 33 bytes. Rows 0 to 119 are the programs
// PA00 to PD29 (row = 30 x group + code), row 120 is the on-line scratch row;
// column 32 is never read or written.
class ProgramTable {
  public:
    static constexpr int kRows = 126;
    static constexpr int kColumns = 33;
    static constexpr int kPrograms = 120;  // rows 0 to 119 go to the file
    static constexpr int kRecordBytes = 32;
    static constexpr std::size_t kFileBytes = kPrograms * kRecordBytes;  // 3,840

    std::uint8_t at(int row, int column) const { return cells_.at(index(row, column)); }
    void set(int row, int column, std::uint8_t value) { cells_.at(index(row, column)) = value; }

    // The cells of the rows that go to the file, row after row.
    std::span<std::uint8_t> storedCells() {
        return {cells_.data(), static_cast<std::size_t>(kPrograms) * kColumns};
    }

    // Columns 0 to 31 of rows 0 to 119, record after record: the file image.
    std::array<std::uint8_t, kFileBytes> image() const;
    void setImage(std::span<const std::uint8_t, kFileBytes> image);

  private:
    static std::size_t index(int row, int column);
    std::array<std::uint8_t, kRows * kColumns> cells_{};
};

// The row of a work group name ("PA" to "PD", anything else counts as "PA")
// and a program code.
int programRow(const std::string& group, double code);

}  // namespace corvel
