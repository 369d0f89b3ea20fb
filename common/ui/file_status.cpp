#include "ui/file_status.h"

#include "base/data_dir.h"
#include "base/image_file.h"

namespace ui {

void FileStatus::showError(const std::string& message) {
    if (!shown_) captionBefore_ = line_.caption();
    shown_ = true;
    line_.setCaption(message);
}

void FileStatus::clear() {
    if (!shown_) return;
    shown_ = false;
    line_.setCaption(captionBefore_);
}

bool FileStatus::load(const std::filesystem::path& dir, const std::string& fileName,
                      std::span<std::uint8_t> image) {
    if (!base::isPlainFileName(fileName)) {
        showError("Not loaded: the name \"" + fileName + "\" would leave the folder " +
                  dir.string());
        return false;
    }
    std::string error;
    if (!base::loadImage(dir / fileName, image, error)) {
        showError("Cannot load " + (dir / fileName).string() + ": " + error);
        return false;
    }
    clear();
    return true;
}

bool FileStatus::save(const std::filesystem::path& dir, const std::string& fileName,
                      std::span<const std::uint8_t> image) {
    if (!base::isPlainFileName(fileName)) {
        showError("Not saved: the name \"" + fileName + "\" would leave the folder " +
                  dir.string());
        return false;
    }
    std::string error;
    if (!base::saveImage(dir / fileName, image, error)) {
        showError("Cannot save " + (dir / fileName).string() + ": " + error);
        return false;
    }
    clear();
    return true;
}

}  // namespace ui
