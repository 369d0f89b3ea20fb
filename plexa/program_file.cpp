#include "plexa/program_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>

namespace plexa {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string systemReason() {
    return std::generic_category().message(errno);
}

// Opens for reading and writing without truncating; creates a missing file.
File openOrCreate(const std::filesystem::path& path) {
    errno = 0;
    File file(std::fopen(path.string().c_str(), "r+b"));
    if (!file && errno == ENOENT) file.reset(std::fopen(path.string().c_str(), "w+b"));
    return file;
}

}  // namespace

bool load(ProgramTable& table, const std::filesystem::path& path, std::string& error) {
    File file = openOrCreate(path);
    if (!file && errno == EACCES) file.reset(std::fopen(path.string().c_str(), "rb"));
    if (!file) {
        error = systemReason();
        return false;
    }
    std::vector<std::uint8_t> image(kProgramFileBytes, 0);
    const size_t got = std::fread(image.data(), 1, image.size(), file.get());
    if (got < image.size() && std::ferror(file.get())) {
        error = systemReason();
        return false;
    }
    for (size_t a = 0; a < image.size(); ++a) table.setByte(static_cast<int>(a), image[a]);
    return true;
}

bool save(const ProgramTable& table, const std::filesystem::path& path, std::string& error) {
    File file = openOrCreate(path);
    if (!file) {
        error = systemReason();
        return false;
    }
    std::vector<std::uint8_t> image(kProgramFileBytes);
    for (size_t a = 0; a < image.size(); ++a) image[a] = table.byte(static_cast<int>(a));
    const bool written = std::fwrite(image.data(), 1, image.size(), file.get()) == image.size();
    const bool flushed = std::fflush(file.get()) == 0;
    if (!written || !flushed) {
        error = systemReason();
        return false;
    }
    if (std::fclose(file.release()) != 0) {
        error = systemReason();
        return false;
    }
    return true;
}

}  // namespace plexa
