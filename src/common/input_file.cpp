#include "common/input_file.h"

namespace vc {

namespace {

// The C library's seek takes a long, 32 bits on Windows; each platform has
// its own 64-bit pair.
int Seek(std::FILE* file, std::int64_t position, int origin) noexcept {
#if defined(_WIN32)
    return ::_fseeki64(file, position, origin);
#else
    return ::fseeko(file, static_cast<off_t>(position), origin);
#endif
}

std::int64_t Tell(std::FILE* file) noexcept {
#if defined(_WIN32)
    return ::_ftelli64(file);
#else
    return static_cast<std::int64_t>(::ftello(file));
#endif
}

}  // namespace

InputFile::InputFile(const std::string& path) noexcept : file_(std::fopen(path.c_str(), "rb")) {}

InputFile::~InputFile() {
    if (file_) std::fclose(file_);
}

std::int64_t InputFile::Size() noexcept {
    if (!file_ || Seek(file_, 0, SEEK_END) != 0) return -1;
    return Tell(file_);
}

bool InputFile::ReadAt(std::int64_t position, void* buffer, std::size_t count) noexcept {
    if (!file_ || position < 0 || Seek(file_, position, SEEK_SET) != 0) return false;
    return std::fread(buffer, 1, count, file_) == count;
}

// Read in pieces rather than by the measured size: what a directory or a
// device reports as its size is no promise of content.
std::optional<std::string> InputFile::ReadAll() {
    if (!file_ || Seek(file_, 0, SEEK_SET) != 0) return std::nullopt;
    std::string text;
    char piece[16384];
    for (;;) {
        const std::size_t got = std::fread(piece, 1, sizeof piece, file_);
        text.append(piece, got);
        if (got < sizeof piece) break;
    }
    if (std::ferror(file_)) return std::nullopt;
    return text;
}

std::optional<std::string> ReadWholeFile(const std::string& path) { return InputFile(path).ReadAll(); }

}  // namespace vc
