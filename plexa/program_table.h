#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <span>
#include <utility>
#include <vector>

namespace plexa {

// Memory that the system hands out zeroed, whose cells are left as made: a
// new table's pages are touched only as its cells are used, so that a start
// does not clear the rows that no program reaches.
template <typename T>
struct ZeroedAllocator {
    using value_type = T;

    ZeroedAllocator() = default;
    template <typename U>
    explicit ZeroedAllocator(const ZeroedAllocator<U>&) {}

    T* allocate(std::size_t n) {
        if (void* cells = std::calloc(n, sizeof(T))) return static_cast<T*>(cells);
        throw std::bad_alloc();
    }
    void deallocate(T* cells, std::size_t) { std::free(cells); }
    template <typename U>
    void construct(U*) noexcept {}
    template <typename U, typename... Args>
    void construct(U* cell, Args&&... args) {
        ::new (static_cast<void*>(cell)) U(std::forward<Args>(args)...);
    }
    friend bool operator==(ZeroedAllocator, ZeroedAllocator) { return true; }
};

// The step program in memory: 15,001 rows of 33 bytes. Column 32 exists but
// nothing reads or writes it; a linear address a names row a / 32, column
// a % 32.
class ProgramTable {
  public:
    static constexpr int kRows = 15001;
    static constexpr int kColumns = 33;
    static constexpr int kParameterRow = 9000;
    static constexpr int kStoredRows = 9101;  // rows 0 to 9100 go to the file
    static constexpr int kBlockBytes = 16;

    ProgramTable() : cells_(static_cast<size_t>(kRows) * kColumns) {}

    std::uint8_t at(int row, int column) const { return cells_.at(index(row, column)); }
    void set(int row, int column, std::uint8_t value) { cells_.at(index(row, column)) = value; }

    // The cells of the rows that go to the file, row after row.
    std::span<std::uint8_t> storedCells() {
        return {cells_.data(), static_cast<size_t>(kStoredRows) * kColumns};
    }

    // The 32 bytes of row r that linear addresses reach, without column 32.
    std::span<std::uint8_t, 32> linearRow(int r) {
        return std::span<std::uint8_t, 32>(&cells_.at(index(r, 0)), 32);
    }
    std::span<const std::uint8_t, 32> linearRow(int r) const {
        return std::span<const std::uint8_t, 32>(&cells_.at(index(r, 0)), 32);
    }

    std::uint8_t byte(int linear) const { return at(linear / 32, linear % 32); }
    void setByte(int linear, std::uint8_t value) { set(linear / 32, linear % 32, value); }

    // Little-endian word at an even linear address.
    int word(int linear) const { return byte(linear) + 256 * byte(linear + 1); }
    void setWord(int linear, int value);

    // Row and first column of transfer block n; every n below 1 is the
    // parameter block (row 9000, columns 0 to 15).
    struct BlockPlace {
        int row;
        int column;
    };
    static BlockPlace blockPlace(int n);
    std::array<std::uint8_t, kBlockBytes> block(int n) const;
    void setBlock(int n, std::span<const std::uint8_t, kBlockBytes> bytes);

  private:
    static size_t index(int row, int column);
    std::vector<std::uint8_t, ZeroedAllocator<std::uint8_t>> cells_;
};

// The stored output-group count, used clamped into 4 to 16.
int outputGroups(const ProgramTable& table);
void setOutputGroups(ProgramTable& table, int groups);

constexpr int maxStep(int groups) {
    return 63984 / (groups + 1);
}
// Linear address where step s's record starts.
constexpr int stepBase(int step, int groups) {
    return 2 * step * (groups + 1);
}

// The control word's two fields: work mode and its second field.
constexpr int workModeOf(int controlWord) {
    return controlWord / 10000;
}
constexpr int secondFieldOf(int controlWord) {
    return controlWord % 10000;
}

}  // namespace plexa
