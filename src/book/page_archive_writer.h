#pragma once
// Writes the archive that carries a book's pages (see page_archive.h): the
// pack tool adds the pages and the search index, then places the bytes just
// before the configuration text. The same entries give the same bytes,
// whatever order they were added in.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "book/page_archive.h"

namespace vc {

// Up to `capacity` bytes of the fragments most pages share, for priming each
// page's compression; the fragments most pages share come last, closest to
// the page, where they cost the fewest bits to refer to.
std::string BuildDictionary(const std::vector<std::string_view>& pages, std::size_t capacity = 32 * 1024);

// Files whose format is compressed already (pictures, archives, fonts,
// documents) are stored as they are; their names tell.
bool IsCompressedFormat(std::string_view name);

class PageArchiveWriter {
public:
    explicit PageArchiveWriter(std::string dictionary = {});
    ~PageArchiveWriter();
    PageArchiveWriter(const PageArchiveWriter&) = delete;
    PageArchiveWriter& operator=(const PageArchiveWriter&) = delete;

    // Each entry is compressed as it is added; only its stored bytes are
    // kept. A page is deflated unless its format is compressed already or
    // deflating does not make it smaller. Two pages whose names SamePageName
    // holds the same raise std::invalid_argument.
    void AddPage(std::string name, std::string_view bytes);
    void AddSearchIndex(std::string_view bytes);

    // The size of the archive Finish gives, locator included.
    std::uint64_t Size() const;
    // The archive, ending with the locator that the configuration text must
    // follow directly.
    std::string Finish() const;

private:
    struct Entry {
        ArchiveEntry entry;
        std::string stored;
        std::string key;  // PageNameKey, the directory's order
    };
    void Add(std::string name, EntryKind kind, std::string_view bytes, bool mayDeflate);
    std::string Deflate(std::string_view bytes);

    struct Deflater;
    std::string dictionary_;
    std::unique_ptr<Deflater> deflater_;
    std::vector<Entry> entries_;
    std::unordered_set<std::string> keys_;
};

}  // namespace vc
