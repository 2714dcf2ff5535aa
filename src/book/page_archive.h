#pragma once
// The pages of a one-file book, stored inside the program in front of the
// configuration text. Each entry is compressed on its own, so one page is read
// without the others; the directory (names, sizes, offsets, checksums) is all
// that is read at start.
//
// Entry names are the pages folder's name, "/", and the file's path inside
// that folder with "/" between folders: the recorded start page
// "C:\Books\calc\index.htm" is the entry "calc/index.htm", which is what
// BookRelativePath gives with "/" for "\".
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vc {

// What an entry holds: a page of the book (any file of its pages folders),
// the book's search index, or the book's settings that have no configuration
// line ("key=value" lines); neither of the last two is a page or has an
// address.
enum class EntryKind : std::uint8_t { Page = 0, SearchIndex = 1, BookSettings = 2 };

struct ArchiveEntry {
    std::string name;
    EntryKind kind = EntryKind::Page;
    std::uint64_t offset = 0;      // of the stored bytes, from the start of the file
    std::uint32_t storedSize = 0;  // bytes in the file
    std::uint32_t size = 0;        // bytes once decoded
    std::uint32_t crc = 0;         // CRC-32 of the decoded bytes
    bool compressed = false;       // deflated (with the archive's dictionary), or stored as it is
};

// Random access to the bytes of the book file; the runtime reads through a
// read-only handle, the tools and the tests through memory.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t Size() const = 0;
    // Exactly `count` bytes at `position`; false when they are not all there.
    virtual bool ReadAt(std::uint64_t position, void* buffer, std::size_t count) const = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t Size() const override { return bytes_.size(); }
    bool ReadAt(std::uint64_t position, void* buffer, std::size_t count) const override;

private:
    std::string_view bytes_;
};

// A damaged book: the directory cannot be read, or an entry fails its
// checksum or does not decode. `Page()` names the entry, empty for the
// directory.
class EBookDamaged : public std::runtime_error {
public:
    EBookDamaged(std::string page, const std::string& why);
    const std::string& Page() const noexcept { return page_; }

private:
    std::string page_;
};

// The key that orders the directory: names SamePageName holds the same have
// the same key, so a page is found by a binary search.
std::string PageNameKey(std::string_view name);

class PageArchive {
public:
    // The archive of a book, reading only its directory; nothing when the
    // book carries none (a classic book, a bare runtime). A directory that
    // cannot be read, or that names bytes outside the archive, raises
    // EBookDamaged.
    static std::optional<PageArchive> Open(const ByteSource& book);

    const std::vector<ArchiveEntry>& Entries() const noexcept { return entries_; }
    // Where the archive begins in the book: what lies before it is the
    // runtime. Its size runs from there to the configuration text.
    std::uint64_t Start() const noexcept { return start_; }
    std::uint64_t Size() const noexcept { return size_; }
    // The page of that name, letters compared as SamePageName compares them;
    // nothing for a name the book does not hold or for the search index.
    const ArchiveEntry* FindPage(std::string_view name) const;
    const ArchiveEntry* SearchIndex() const;
    // Whether the book carries pages: a classic book may carry an archive
    // that holds only its search index.
    bool HoldsPages() const;
    const ArchiveEntry* BookSettings() const;

    // The decoded bytes of an entry, checked against its size and checksum;
    // EBookDamaged naming the entry when they cannot be read or do not match.
    std::string Read(const ByteSource& book, const ArchiveEntry& entry) const;

private:
    const ArchiveEntry* FirstOfKind(EntryKind kind) const;

    std::vector<ArchiveEntry> entries_;  // in the order of PageNameKey
    std::string dictionary_;
    std::uint64_t start_ = 0;
    std::uint64_t size_ = 0;
};

}  // namespace vc
