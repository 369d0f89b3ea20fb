#include "base/image_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "base/data_dir.h"

#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

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

// A save is written beside the file first: the same folder, so that the
// rename over the file cannot cross file systems.
std::filesystem::path temporaryPath(const std::filesystem::path& path) {
#ifdef _WIN32
    const int process = _getpid();
#else
    const int process = static_cast<int>(getpid());
#endif
    // Appended piece by piece: GCC 12 warns of an overlap in "." + text.
    std::string name = ".";
    name += base::nameOfPath(path.filename());
    name += '.';
    name += std::to_string(process);
    name += ".saving";
    return path.parent_path() / name;
}

// The bytes of the file beyond the image, which a save keeps. The file is
// opened for writing so that one the user may not write refuses the save,
// as it did when saves wrote in place.
bool appendTail(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes,
                std::string& error) {
    File file = openFile(path, "r+b");
    if (!file) {
        if (errno == ENOENT) return true;
        error = systemReason(errno);
        return false;
    }
    const size_t image = bytes.size();
    if (std::fseek(file.get(), static_cast<long>(image), SEEK_SET) != 0) return true;
    std::uint8_t chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + got);
    if (std::ferror(file.get())) {
        error = systemReason(errno);
        bytes.resize(image);
        return false;
    }
    return true;
}

bool syncToDisk(std::FILE* file) {
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

// Writes the bytes to a new file and waits until they are on the disk.
bool writeSynced(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                 std::string& error) {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);  // left by a save that was stopped
    File file = openFile(path, "wb");
    const bool written =
        file && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    if (!written || std::fflush(file.get()) != 0 || !syncToDisk(file.get()) ||
        std::fclose(file.release()) != 0) {
        error = systemReason(errno);
        return false;
    }
    return true;
}

// The saved file keeps the permissions the user gave the old one.
void keepPermissions(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code code;
    const auto perms = std::filesystem::status(from, code).permissions();
    if (!code) std::filesystem::permissions(to, perms, code);
}

// So that the new name survives a power cut as well as the bytes do.
void syncFolder(const std::filesystem::path& folder) {
#ifndef _WIN32
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
#else
    (void)folder;
#endif
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
    const size_t got = std::fread(image.data(), 1, image.size(), file.get());
    if (got < image.size() && std::ferror(file.get())) {
        error = systemReason(errno);
        return false;
    }
    std::fill(image.begin() + static_cast<std::ptrdiff_t>(got), image.end(), 0);
    return true;
}

bool saveImage(const std::filesystem::path& path, std::span<const std::uint8_t> image,
               std::string& error) {
    std::vector<std::uint8_t> bytes(image.begin(), image.end());
    if (!appendTail(path, bytes, error)) return false;
    std::error_code code;
    const std::filesystem::path target =
        std::filesystem::is_symlink(path, code) ? std::filesystem::canonical(path, code) : path;
    const std::filesystem::path temp = temporaryPath(target);
    if (!writeSynced(temp, bytes, error)) {
        std::filesystem::remove(temp, code);
        return false;
    }
    keepPermissions(target, temp);
    std::filesystem::rename(temp, target, code);
    if (code) {
        error = code.message();
        std::filesystem::remove(temp, code);
        return false;
    }
    syncFolder(target.parent_path());
    return true;
}

}  // namespace base
