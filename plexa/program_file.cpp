#include "plexa/program_file.h"

#include "base/image_file.h"

namespace plexa {

std::vector<std::uint8_t> fileImage(const ProgramTable& table) {
    std::vector<std::uint8_t> image(kProgramFileBytes);
    for (size_t a = 0; a < image.size(); ++a) image[a] = table.byte(static_cast<int>(a));
    return image;
}

void setFileImage(ProgramTable& table, std::span<const std::uint8_t> image) {
    for (size_t a = 0; a < image.size(); ++a) table.setByte(static_cast<int>(a), image[a]);
}

bool load(ProgramTable& table, const std::filesystem::path& path, std::string& error) {
    std::vector<std::uint8_t> image(kProgramFileBytes, 0);
    if (!base::loadImage(path, image, error)) return false;
    setFileImage(table, image);
    return true;
}

bool save(const ProgramTable& table, const std::filesystem::path& path, std::string& error) {
    return base::saveImage(path, fileImage(table), error);
}

}  // namespace plexa
