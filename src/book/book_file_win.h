#pragma once
// The running book read through a read-only handle: other programs may read,
// copy or delete the file while the book runs.
#include <windows.h>

#include <memory>
#include <string>

#include "book/page_archive.h"

namespace vc {

class BookFile final : public ByteSource {
public:
    // Nothing when the file cannot be opened.
    static std::unique_ptr<BookFile> Open(const std::string& path) noexcept;
    ~BookFile() override;
    BookFile(const BookFile&) = delete;
    BookFile& operator=(const BookFile&) = delete;

    std::uint64_t Size() const override { return size_; }
    // Each read names its own position, so reads from several threads do
    // not disturb each other.
    bool ReadAt(std::uint64_t position, void* buffer, std::size_t count) const override;

private:
    BookFile(HANDLE file, std::uint64_t size) noexcept : file_(file), size_(size) {}
    HANDLE file_;
    std::uint64_t size_;
};

}  // namespace vc
