#include "book/page_archive.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "book/book_address.h"
#include "book/page_archive_format.h"
#include "book/payload.h"
#include "common/unicode.h"

namespace vc {

namespace format = archive_format;

std::uint32_t archive_format::Crc32(std::string_view bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // crc32 takes at most 4 GiB at a time; entries are smaller than that.
    return static_cast<std::uint32_t>(crc32(crc, reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uInt>(bytes.size())));
}

bool MemorySource::ReadAt(std::uint64_t position, void* buffer, std::size_t count) const {
    if (position > bytes_.size() || count > bytes_.size() - position) return false;
    if (count > 0) std::memcpy(buffer, bytes_.data() + position, count);
    return true;
}

EBookDamaged::EBookDamaged(std::string page, const std::string& why)
    : std::runtime_error(why), page_(std::move(page)) {}

std::string PageNameKey(std::string_view name) {
    auto wide = DecodeUtf8(name);
    if (!wide) {
        std::string key(name);
        for (char& c : key)
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
        return key;
    }
    for (char32_t& c : *wide) c = UpperCaseOrdinal(c);
    return EncodeUtf8(*wide);
}

namespace {

// The directory's bytes, read field by field; running past its end is damage.
class DirectoryReader {
public:
    explicit DirectoryReader(std::string_view bytes) : bytes_(bytes) {}

    std::uint64_t Number(int size) {
        const auto* at = reinterpret_cast<const unsigned char*>(Take(static_cast<std::size_t>(size)).data());
        return format::Get(at, size);
    }
    std::string_view Take(std::size_t count) {
        if (count > bytes_.size() - position_) throw EBookDamaged("", "the directory of the pages is cut short");
        const auto taken = bytes_.substr(position_, count);
        position_ += count;
        return taken;
    }
    bool AtEnd() const { return position_ == bytes_.size(); }

private:
    std::string_view bytes_;
    std::size_t position_ = 0;
};

std::string ReadBytes(const ByteSource& book, std::uint64_t position, std::size_t count, const std::string& page) {
    std::string bytes(count, '\0');
    if (!book.ReadAt(position, bytes.data(), count)) throw EBookDamaged(page, "its bytes are missing from the book");
    return bytes;
}

struct Locator {
    std::uint64_t archiveStart = 0;
    std::uint64_t archiveSize = 0;
    std::uint32_t directorySize = 0;
    std::uint32_t directoryCrc = 0;
};

// The locator just before the configuration text, when the book has one.
std::optional<Locator> FindLocator(const ByteSource& book) {
    const std::uint64_t fileSize = book.Size();
    const auto trailer = FindPayloadTrailer(static_cast<std::int64_t>(fileSize), [&](std::int64_t at, unsigned char* to, std::size_t n) {
        return at >= 0 && book.ReadAt(static_cast<std::uint64_t>(at), to, n);
    });
    if (!trailer || trailer->offset < static_cast<std::int64_t>(format::kLocatorSize)) return std::nullopt;
    unsigned char bytes[format::kLocatorSize];
    const std::uint64_t locatorAt = static_cast<std::uint64_t>(trailer->offset) - format::kLocatorSize;
    if (!book.ReadAt(locatorAt, bytes, sizeof bytes) || std::memcmp(bytes, format::kMarker, sizeof format::kMarker) != 0)
        return std::nullopt;
    const auto version = format::Get(bytes + 8, 4);
    if (version != format::kVersion)
        throw EBookDamaged("", "its pages are stored in a form this program does not read (version " + std::to_string(version) + ")");
    Locator locator;
    locator.archiveSize = format::Get(bytes + 12, 8);
    locator.directorySize = static_cast<std::uint32_t>(format::Get(bytes + 20, 4));
    locator.directoryCrc = static_cast<std::uint32_t>(format::Get(bytes + 24, 4));
    if (locator.archiveSize > locatorAt || locator.directorySize > locator.archiveSize)
        throw EBookDamaged("", "the directory of the pages lies outside the book");
    locator.archiveStart = locatorAt - locator.archiveSize;
    return locator;
}

// Stored bytes must lie between the archive's start and its directory.
void CheckInside(std::uint64_t offset, std::uint64_t size, std::uint64_t dataSize, const std::string& page) {
    if (offset > dataSize || size > dataSize - offset) throw EBookDamaged(page, "it points outside the book's pages");
}

// Deflate codes a match of 258 bytes in two bits at best; a size beyond
// that is a forgery, refused before anything is allocated for it.
std::uint64_t MostInflated(std::uint64_t storedSize) { return storedSize * 1032 + 258; }

}  // namespace

std::optional<PageArchive> PageArchive::Open(const ByteSource& book) {
    const auto locator = FindLocator(book);
    if (!locator) return std::nullopt;
    const std::uint64_t dataSize = locator->archiveSize - locator->directorySize;
    const std::string directory = ReadBytes(book, locator->archiveStart + dataSize, locator->directorySize, "");
    if (format::Crc32(directory) != locator->directoryCrc) throw EBookDamaged("", "the directory of the pages fails its checksum");

    DirectoryReader reader(directory);
    const auto count = reader.Number(4);
    const auto dictionaryOffset = reader.Number(8);
    const auto dictionarySize = reader.Number(4);
    const auto dictionaryCrc = static_cast<std::uint32_t>(reader.Number(4));
    // Every entry takes at least its head, so a count the directory cannot
    // hold is refused before anything is reserved for it.
    if (count > directory.size() / format::kEntryHeadSize) throw EBookDamaged("", "the directory of the pages is cut short");

    PageArchive archive;
    archive.start_ = locator->archiveStart;
    archive.size_ = locator->archiveSize + format::kLocatorSize;
    CheckInside(dictionaryOffset, dictionarySize, dataSize, "");
    archive.dictionary_ = ReadBytes(book, locator->archiveStart + dictionaryOffset, dictionarySize, "");
    if (format::Crc32(archive.dictionary_) != dictionaryCrc) throw EBookDamaged("", "the dictionary of the pages fails its checksum");

    archive.entries_.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        ArchiveEntry entry;
        const auto kind = reader.Number(1);
        const auto method = reader.Number(1);
        const auto nameSize = reader.Number(2);
        const auto offset = reader.Number(8);
        entry.storedSize = static_cast<std::uint32_t>(reader.Number(4));
        entry.size = static_cast<std::uint32_t>(reader.Number(4));
        entry.crc = static_cast<std::uint32_t>(reader.Number(4));
        entry.name = std::string(reader.Take(nameSize));
        if (kind > static_cast<std::uint8_t>(EntryKind::SearchIndex) || method > static_cast<std::uint8_t>(format::Method::Deflated))
            throw EBookDamaged(entry.name, "its entry in the directory is not one this program reads");
        entry.kind = static_cast<EntryKind>(kind);
        entry.compressed = method == static_cast<std::uint8_t>(format::Method::Deflated);
        if (entry.compressed ? entry.size > MostInflated(entry.storedSize) : entry.storedSize != entry.size)
            throw EBookDamaged(entry.name, "its sizes disagree");
        CheckInside(offset, entry.storedSize, dataSize, entry.name);
        entry.offset = locator->archiveStart + offset;
        archive.entries_.push_back(std::move(entry));
    }
    if (!reader.AtEnd()) throw EBookDamaged("", "the directory of the pages is longer than its entries");
    return archive;
}

const ArchiveEntry* PageArchive::FindPage(std::string_view name) const {
    const std::string key = PageNameKey(name);
    // A directory out of order (only a forged one is: it carries a checksum)
    // makes the search miss pages, never read outside the entries.
    auto first = entries_.begin();
    auto count = entries_.size();
    while (count > 0) {
        const auto half = count / 2;
        if (PageNameKey(first[static_cast<std::ptrdiff_t>(half)].name) < key) {
            first += static_cast<std::ptrdiff_t>(half) + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    for (; first != entries_.end() && PageNameKey(first->name) == key; ++first)
        if (first->kind == EntryKind::Page && SamePageName(first->name, name)) return &*first;
    return nullptr;
}

const ArchiveEntry* PageArchive::SearchIndex() const {
    for (const auto& entry : entries_)
        if (entry.kind == EntryKind::SearchIndex) return &entry;
    return nullptr;
}

namespace {

// Inflates a raw deflate stream that must decode to exactly `size` bytes.
class Inflater {
public:
    explicit Inflater(const std::string& dictionary) {
        if (inflateInit2(&stream_, format::kWindowBits) != Z_OK) throw std::bad_alloc();
        if (!dictionary.empty())
            inflateSetDictionary(&stream_, reinterpret_cast<const Bytef*>(dictionary.data()), static_cast<uInt>(dictionary.size()));
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    bool Decode(const std::string& in, std::string& out) {
        stream_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
        stream_.avail_in = static_cast<uInt>(in.size());
        stream_.next_out = reinterpret_cast<Bytef*>(out.data());
        stream_.avail_out = static_cast<uInt>(out.size());
        const int result = inflate(&stream_, Z_FINISH);
        return result == Z_STREAM_END && stream_.avail_out == 0 && stream_.avail_in == 0;
    }

private:
    z_stream stream_{};
};

}  // namespace

std::string PageArchive::Read(const ByteSource& book, const ArchiveEntry& entry) const {
    std::string stored = ReadBytes(book, entry.offset, entry.storedSize, entry.name);
    std::string bytes;
    if (!entry.compressed) {
        bytes = std::move(stored);
    } else {
        bytes.assign(entry.size, '\0');
        if (!Inflater(dictionary_).Decode(stored, bytes)) throw EBookDamaged(entry.name, "it does not decompress");
    }
    if (format::Crc32(bytes) != entry.crc) throw EBookDamaged(entry.name, "it fails its checksum");
    return bytes;
}

}  // namespace vc
