#include "corvel/program_table.h"

#include <stdexcept>

#include "base/number.h"

namespace corvel {

std::size_t ProgramTable::index(int row, int column) {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns)
        throw std::out_of_range("ProgramTable cell outside the table");
    return static_cast<std::size_t>(row) * kColumns + static_cast<std::size_t>(column);
}

std::array<std::uint8_t, ProgramTable::kFileBytes> ProgramTable::image() const {
    std::array<std::uint8_t, kFileBytes> bytes{};
    for (int r = 0; r < kPrograms; ++r)
        for (int c = 0; c < kRecordBytes; ++c)
            bytes[static_cast<std::size_t>(kRecordBytes * r + c)] = at(r, c);
    return bytes;
}

void ProgramTable::setImage(std::span<const std::uint8_t, kFileBytes> image) {
    for (int r = 0; r < kPrograms; ++r)
        for (int c = 0; c < kRecordBytes; ++c)
            set(r, c, image[static_cast<std::size_t>(kRecordBytes * r + c)]);
}

int programRow(const std::string& group, double code) {
    static const char* const kGroups[] = {"PA", "PB", "PC", "PD"};
    int g = 0;
    for (int i = 0; i < 4; ++i)
        if (group == kGroups[i]) g = i;
    return 30 * g + base::clampRound(code, 0, 29);
}

}  // namespace corvel
