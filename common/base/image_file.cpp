#include "base/image_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace base {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string systemReason(int code) {
    return std::generic_category().message(code);
}

File openFile(const std::filesystem::path& path, const char* mode) {
    errno = 0;
#ifdef _WIN32
    // The narrow fopen would read the name in the ANSI code page, so a name in
    // another script would make a file of another name.
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return File(_wfopen(path.c_str(), wideMode.c_str()));
#else
    return File(std::fopen(path.c_str(), mode));
#endif
}

// Opens for reading and writing without truncating and creates a missing
// file; error takes the reason of the first refusal that counts.
File openOrCreate(const std::filesystem::path& path, int& error) {
    File file = openFile(path, "r+b");
    error = errno;
    if (!file && error == ENOENT) {
        file = openFile(path, "w+b");
        error = errno;
    }
    return file;
}

// The user may read what cannot be written: no write permission, or a
// read-only medium.
bool writeRefused(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

}  // namespace

bool loadImage(const std::filesystem::path& path, std::span<std::uint8_t> image,
               std::string& error) {
    int code = 0;
    File file = openOrCreate(path, code);
    if (!file && writeRefused(code)) {
        file = openFile(path, "rb");
        if (!file && errno != ENOENT) code = errno;
    }
    if (!file) {
        error = systemReason(code);
        return false;
    }
    std::vector<std::uint8_t> read(image.size(), 0);
    const size_t got = std::fread(read.data(), 1, read.size(), file.get());
    if (got < read.size() && std::ferror(file.get())) {
        error = systemReason(errno);
        return false;
    }
    std::copy(read.begin(), read.end(), image.begin());
    return true;
}

bool saveImage(const std::filesystem::path& path, std::span<const std::uint8_t> image,
               std::string& error) {
    int code = 0;
    File file = openOrCreate(path, code);
    if (!file) {
        error = systemReason(code);
        return false;
    }
    const bool written = std::fwrite(image.data(), 1, image.size(), file.get()) == image.size();
    if (!written || std::fflush(file.get()) != 0 || std::fclose(file.release()) != 0) {
        error = systemReason(errno);
        return false;
    }
    return true;
}

}  // namespace base
