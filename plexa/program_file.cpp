#include "plexa/program_file.h"

#include <algorithm>

namespace plexa {

// Row by row: a program is read at every start and written at every save.
std::vector<std::uint8_t> fileImage(const ProgramTable& table) {
    std::vector<std::uint8_t> image(kProgramFileBytes);
    for (size_t start = 0; start < image.size(); start += 32)
        std::ranges::copy(table.linearRow(static_cast<int>(start / 32)), image.begin() + start);
    return image;
}

void setFileImage(ProgramTable& table, std::span<const std::uint8_t> image) {
    for (size_t start = 0; start < image.size(); start += 32) {
        const auto bytes = image.subspan(start, std::min<size_t>(32, image.size() - start));
        std::ranges::copy(bytes, table.linearRow(static_cast<int>(start / 32)).begin());
    }
}

}  // namespace plexa
