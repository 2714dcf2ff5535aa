#pragma once
// A file opened for reading through the C library. It is the one way the
// runtime reads files: the C++ streams would bring their locale machinery
// along, most of a megabyte in a statically linked Windows program.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace vc {

class InputFile {
public:
    // Paths are 8-bit text, handed to the platform unconverted.
    explicit InputFile(const std::string& path) noexcept;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    bool IsOpen() const noexcept { return file_ != nullptr; }
    // The size in bytes; -1 when the file is not open or cannot be measured.
    std::int64_t Size() noexcept;
    // Reads count bytes from the position; false unless every one was there.
    bool ReadAt(std::int64_t position, void* buffer, std::size_t count) noexcept;
    // Everything from the start to the end; none when reading fails.
    std::optional<std::string> ReadAll();

private:
    std::FILE* file_ = nullptr;
};

// The whole content of a file; none when it cannot be opened or read.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace vc
