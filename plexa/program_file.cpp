#include "plexa/program_file.h"

namespace plexa {

std::vector<std::uint8_t> fileImage(const ProgramTable& table) {
    std::vector<std::uint8_t> image(kProgramFileBytes);
    for (size_t a = 0; a < image.size(); ++a) image[a] = table.byte(static_cast<int>(a));
    return image;
}

void setFileImage(ProgramTable& table, std::span<const std::uint8_t> image) {
    for (size_t a = 0; a < image.size(); ++a) table.setByte(static_cast<int>(a), image[a]);
}

}  // namespace plexa
