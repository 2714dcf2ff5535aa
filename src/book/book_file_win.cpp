#include "book/book_file_win.h"

#include <algorithm>
#include <new>

namespace vc {

std::unique_ptr<BookFile> BookFile::Open(const std::string& path) noexcept {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(file, &size)) {
        ::CloseHandle(file);
        return nullptr;
    }
    auto* book = new (std::nothrow) BookFile(file, static_cast<std::uint64_t>(size.QuadPart));
    if (!book) ::CloseHandle(file);
    return std::unique_ptr<BookFile>(book);
}

BookFile::~BookFile() { ::CloseHandle(file_); }

bool BookFile::ReadAt(std::uint64_t position, void* buffer, std::size_t count) const {
    if (position > size_ || count > size_ - position) return false;
    auto* out = static_cast<char*>(buffer);
    while (count > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(position);
        at.OffsetHigh = static_cast<DWORD>(position >> 32);
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
        DWORD read = 0;
        if (!::ReadFile(file_, out, chunk, &read, &at) || read == 0) return false;
        out += read;
        position += read;
        count -= read;
    }
    return true;
}

}  // namespace vc
