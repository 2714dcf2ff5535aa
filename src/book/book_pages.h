#pragma once
// The pages of a running one-file book: which address names which entry, what
// the browser is answered when it asks for one, and the zone a page gets.
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "book/page_archive.h"

namespace vc {

// The entry of a recorded page path: BookRelativePath, with "/" between the
// folder and the file ("C:\Books\calc\index.htm" gives "calc/index.htm").
std::string BookPageName(std::string_view recordedPath);

// The MIME type the browser is told for an entry, by its extension in any
// letter case; "application/octet-stream" for one it does not know.
std::string_view MimeTypeOf(std::string_view name);

// The entry an address names when it is an address of the book whose host
// is `bookHost`, read by ReadBookAddress; nothing for any other address.
std::optional<std::string> OwnBookPage(std::string_view url, std::string_view bookHost);

// The file address the page would have had beside the program, in the
// classic layout: what the zone manager is given for a book page, so that it
// runs its scripts and style sheets as it did from disk.
std::string ClassicFileAddress(std::string_view executableFolder, std::string_view name);

// What the reader is told, once, about a page of the book that cannot be read.
std::string BookDamagedMessage(std::string_view page);

// What the browser gets for an address.
struct PageAnswer {
    enum class Status { Found, NotFound, Damaged };
    Status status = Status::NotFound;
    std::string page;      // the entry's name, for Found and Damaged
    std::string bytes;     // the decoded entry, for Found
    std::string_view mimeType;
};

class BookPages {
public:
    // The book file stays open for as long as the pages are served: each is
    // read from it when the browser asks.
    BookPages(std::unique_ptr<ByteSource> book, PageArchive archive, std::string host,
              std::string executableFolder);

    const std::string& Host() const noexcept { return host_; }
    // The book file and its archive, for the entries that are not pages.
    const ByteSource& File() const noexcept { return *book_; }
    const PageArchive& Archive() const noexcept { return archive_; }
    bool HasPage(std::string_view name) const { return archive_.FindPage(name) != nullptr; }
    // The address of a recorded page path.
    std::string AddressOf(std::string_view recordedPath) const;

    // Reads and decodes the page an address names; may be called from any
    // thread.
    PageAnswer Serve(std::string_view url) const;
    // The address the zone manager decides by: ClassicFileAddress for a page
    // of this book, nothing for anything else.
    std::optional<std::string> SecurityUrl(std::string_view url) const;

private:
    std::unique_ptr<ByteSource> book_;
    PageArchive archive_;
    std::string host_;
    std::string executableFolder_;
};

}  // namespace vc
