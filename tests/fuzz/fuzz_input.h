// What every fuzz target shares: a reader that turns the fuzzer's bytes into
// small decisions, and a check that stops the run when a rule is broken.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace fuzz {

// Reads the input front to back; past its end every byte is 0, so any input
// decodes to something.
class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool done() const { return at_ >= size_; }
    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    // A number from 0 to n - 1.
    int below(int n) {
        const int low = byte();
        const int high = byte();
        return (low + 256 * high) % n;
    }
    // Up to count bytes, fewer when the input ends first.
    std::vector<std::uint8_t> bytes(std::size_t count) {
        std::vector<std::uint8_t> out;
        while (out.size() < count && !done()) out.push_back(byte());
        return out;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Columns 0 to columns - 1 of a table's rows first to last, row by row.
template <class Table>
std::vector<std::uint8_t> cells(const Table& table, int first, int last, int columns = 32) {
    std::vector<std::uint8_t> all;
    for (int r = first; r <= last; ++r)
        for (int c = 0; c < columns; ++c) all.push_back(table.at(r, c));
    return all;
}

// A broken rule ends the run as a crash, which both the fuzzer and the
// corpus test report.
inline void check(bool holds, const char* rule) {
    if (holds) return;
    std::fprintf(stderr, "broken: %s\n", rule);
    std::abort();
}

}  // namespace fuzz
