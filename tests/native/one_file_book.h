#pragma once
// One-file books for tests: a stand-in runtime, the archive of the pages, a
// configuration and its trailer, as the pack tool lays them out.
#include <string>
#include <utility>
#include <vector>

#include "book/page_archive.h"
#include "book/page_archive_writer.h"
#include "book/payload.h"

namespace vc::testing {

using BookEntries = std::vector<std::pair<std::string, std::string>>;

inline std::string OneFileBook(const BookEntries& pages, const std::string& configuration = "Book\r\n") {
    PageArchiveWriter writer;
    for (const auto& [name, bytes] : pages) writer.AddPage(name, bytes);
    const std::string runtime = "MZ" + std::string(200, 'r');
    const std::string archive = writer.Finish();
    PayloadTrailer trailer;
    trailer.offset = static_cast<std::int32_t>(runtime.size() + archive.size());
    trailer.size = static_cast<std::int32_t>(configuration.size());
    const auto end = trailer.Encode();
    return runtime + archive + configuration + std::string(end.begin(), end.end());
}

// The book with one byte of an entry's stored bytes changed.
inline void DamageEntry(std::string& book, const std::string& name) {
    const auto archive = PageArchive::Open(MemorySource(book));
    book[archive->FindPage(name)->offset + archive->FindPage(name)->storedSize / 2] ^= 0x55;
}

}  // namespace vc::testing
