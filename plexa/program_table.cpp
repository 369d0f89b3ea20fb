#include "plexa/program_table.h"

#include <algorithm>
#include <stdexcept>

namespace plexa {

size_t ProgramTable::index(int row, int column) {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) {
        throw std::out_of_range("ProgramTable cell outside the table");
    }
    return static_cast<size_t>(row) * kColumns + static_cast<size_t>(column);
}

void ProgramTable::setWord(int linear, int value) {
    setByte(linear, static_cast<std::uint8_t>(value % 256));
    setByte(linear + 1, static_cast<std::uint8_t>(value / 256));
}

ProgramTable::BlockPlace ProgramTable::blockPlace(int n) {
    if (n < 1) return {kParameterRow, 0};
    return {(n - 1) / 2, n % 2 == 1 ? 0 : kBlockBytes};
}

std::array<std::uint8_t, ProgramTable::kBlockBytes> ProgramTable::block(int n) const {
    const BlockPlace place = blockPlace(n);
    std::array<std::uint8_t, kBlockBytes> bytes{};
    for (int k = 0; k < kBlockBytes; ++k)
        bytes[static_cast<size_t>(k)] = at(place.row, place.column + k);
    return bytes;
}

void ProgramTable::setBlock(int n, std::span<const std::uint8_t, kBlockBytes> bytes) {
    const BlockPlace place = blockPlace(n);
    for (int k = 0; k < kBlockBytes; ++k)
        set(place.row, place.column + k, bytes[static_cast<size_t>(k)]);
}

int outputGroups(const ProgramTable& table) {
    return std::clamp(table.word(0), 4, 16);
}

void setOutputGroups(ProgramTable& table, int groups) {
    table.setByte(0, static_cast<std::uint8_t>(groups));
    table.setByte(1, 0);
}

}  // namespace plexa
