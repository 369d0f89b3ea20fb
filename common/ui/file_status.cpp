#include "ui/file_status.h"

#include "base/data_dir.h"
#include "base/image_file.h"

namespace ui {

bool FileStatus::showing() const {
    return !message_.empty() && line_.caption() == message_;
}

void FileStatus::showError(const std::string& message) {
    if (!showing()) captionBefore_ = line_.caption();
    message_ = message;
    line_.setCaption(message);
}

// An exchange that wrote the line since the message owns it now.
void FileStatus::clear() {
    if (showing()) line_.setCaption(captionBefore_);
    message_.clear();
}

bool FileStatus::load(const std::filesystem::path& dir, const std::string& fileName,
                      std::span<std::uint8_t> image) {
    if (!base::isPlainFileName(fileName)) {
        showError("Not loaded: the name \"" + fileName + "\" would leave the folder " +
                  base::nameOfPath(dir));
        return false;
    }
    std::string error;
    const std::filesystem::path file = dir / base::pathOfName(fileName);
    std::error_code code;
    const bool existed = std::filesystem::exists(file, code);
    if (!base::loadImage(file, image, error)) {
        showError("Cannot load " + base::nameOfPath(file) + ": " + error);
        return false;
    }
    // A new name makes a new, empty file: the line says so as it would say
    // why a load failed.
    if (existed) {
        clear();
    } else {
        showError("New program \"" + fileName + "\" (empty)");
    }
    return true;
}

bool FileStatus::save(const std::filesystem::path& dir, const std::string& fileName,
                      std::span<const std::uint8_t> image) {
    if (!base::isPlainFileName(fileName)) {
        showError("Not saved: the name \"" + fileName + "\" would leave the folder " +
                  base::nameOfPath(dir));
        return false;
    }
    std::string error;
    const std::filesystem::path file = dir / base::pathOfName(fileName);
    if (!base::saveImage(file, image, error)) {
        showError("Cannot save " + base::nameOfPath(file) + ": " + error);
        return false;
    }
    clear();
    return true;
}

}  // namespace ui
