// The directory reader on arbitrary books: the input's bytes become the
// archive of a one-file book, or the archive without its locator, so that
// most inputs reach the directory past its checksum. Opening may refuse a book as
// damaged, but never reads outside it; every entry it gives lies inside the
// archive, and reading one either gives its bytes or says it is damaged.
#include <algorithm>
#include <cstdint>
#include <string>

#include "book/page_archive.h"
#include "book/page_archive_format.h"
#include "book/payload.h"

namespace {

std::string Book(const std::uint8_t* data, std::size_t size) {
    namespace format = vc::archive_format;
    const std::string runtime = "MZ runtime";
    std::string archive(reinterpret_cast<const char*>(data), size);
    // The first byte chooses: odd makes the bytes between it and the last two
    // the archive, with a locator whose directory is its tail as long as the
    // last two bytes say (its checksum right); even keeps the input as it is.
    if (size >= 3 && (data[0] & 1)) {
        archive = archive.substr(1, size - 3);
        const std::size_t directory = std::min<std::size_t>(format::Get(data + size - 2, 2), archive.size());
        std::string locator(reinterpret_cast<const char*>(format::kMarker), sizeof format::kMarker);
        format::Put(locator, format::kVersion, 4);
        format::Put(locator, archive.size(), 8);
        format::Put(locator, directory, 4);
        format::Put(locator, format::Crc32(std::string_view(archive).substr(archive.size() - directory)), 4);
        archive += locator;
    }
    vc::PayloadTrailer trailer;
    trailer.offset = static_cast<std::int32_t>(runtime.size() + archive.size());
    trailer.size = 1;
    const auto bytes = trailer.Encode();
    return runtime + archive + "x" + std::string(bytes.begin(), bytes.end());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string book = Book(data, size);
    const vc::MemorySource source(book);
    try {
        const auto archive = vc::PageArchive::Open(source);
        if (!archive) return 0;
        for (const auto& entry : archive->Entries()) {
            if (entry.offset + entry.storedSize > book.size()) __builtin_trap();
            try {
                if (archive->Read(source, entry).size() != entry.size) __builtin_trap();
            } catch (const vc::EBookDamaged& damaged) {
                if (damaged.Page() != entry.name) __builtin_trap();
            }
            archive->FindPage(entry.name);
        }
    } catch (const vc::EBookDamaged&) {
    }
    return 0;
}
