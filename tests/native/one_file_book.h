#pragma once
// One-file books for tests: a stand-in runtime, the archive of the pages, a
// configuration and its trailer, as the pack tool lays them out.
#include <string>
#include <utility>
#include <vector>

#include "book/page_archive_writer.h"
#include "book/payload.h"

namespace vc::testing {

using BookEntries = std::vector<std::pair<std::string, std::string>>;

// A classic book (no pages) with an index carries an archive of the index alone.
inline std::string OneFileBook(const BookEntries& pages, const std::string& configuration = "Book\r\n",
                               const std::string& searchIndex = "", const std::string& bookSettings = "") {
    PageArchiveWriter writer;
    for (const auto& [name, bytes] : pages) writer.AddPage(name, bytes);
    if (!searchIndex.empty()) writer.AddSearchIndex(searchIndex);
    if (!bookSettings.empty()) writer.AddBookSettings(bookSettings);
    const std::string front = "MZ" + std::string(200, 'r') + writer.Finish();
    PayloadTrailer trailer;
    trailer.offset = static_cast<std::int32_t>(front.size());
    trailer.size = static_cast<std::int32_t>(configuration.size());
    const auto end = trailer.Encode();
    return front + configuration + std::string(end.begin(), end.end());
}

// Changes a byte in the middle of an entry's stored bytes.
inline void DamageEntry(std::string& book, const std::string& name) {
    const auto archive = PageArchive::Open(MemorySource(book));
    const ArchiveEntry* entry = archive->FindPage(name);
    book[entry->offset + entry->storedSize / 2] ^= 0x55;
}

}  // namespace vc::testing
