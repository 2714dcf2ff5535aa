#pragma once
// vellumcast-pack: builds an e-book from the runtime and a book description,
// and inspects or extracts the payload of an existing one.
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "book_file.h"
#include "search/html_text.h"

namespace vc::pack {

// The payload a book description stands for, every value checked.
struct ComposedBook {
    std::vector<std::string> lines;          // configuration lines, then the menu definition
    std::string payload;                     // the exact payload text
    std::vector<std::filesystem::path> pageFolders;  // the folders of the book's pages
    bool pagesInside = true;                         // in the e-book, or copied beside it
    std::vector<std::pair<int, std::string>> warnings;  // by line of the book file
};

// `bookPath` locates the pages; messages name the file as given. Every
// mistake of the book is reported at once, in the order of its lines.
ComposedBook ComposeBook(const Book& book, const std::filesystem::path& bookPath);

struct BuildOptions {
    std::filesystem::path book;
    std::filesystem::path runtime;
    std::filesystem::path out;
    bool replace = false;  // build from a runtime that already carries a payload
    bool force = false;    // write over an existing file that is not an e-book
    bool strict = false;   // a finding of the link check stops the build
};

struct BuildResult {
    std::size_t runtimeSize = 0;
    std::size_t payloadSize = 0;
    std::size_t lineCount = 0;
    std::size_t pageCount = 0;    // pages inside the e-book
    std::size_t archiveSize = 0;  // the bytes they take there, with the search index
    std::size_t searchIndexSize = 0;
    std::vector<std::filesystem::path> copiedFolders;
    std::vector<std::string> warnings;
    std::vector<std::string> linkFindings;  // of the link check, in its order
    std::size_t pagesChecked = 0;
};

// Checks everything first; writes the e-book (and, for a book whose pages
// stay beside it, the pages) only when all is well, the e-book last and
// through a temporary file.
BuildResult BuildEBook(const BuildOptions& options);

// The runtime bytes followed by the archive of the pages (if any), the
// payload and its 24-byte trailer. The trailer counts in signed 32 bits: a
// larger e-book is refused.
std::string AppendPayload(const std::string& runtime, const std::string& payload, const std::string& archive = {});
void RefuseOversizedEBook(std::uint64_t runtime, std::uint64_t archive, std::uint64_t payload);

// The payload of an e-book; PackError when the file has none.
std::string ReadEBookPayload(const std::filesystem::path& ebook);

// Every line with its index and key, problems marked.
std::string DescribePayload(const std::string& payload);

// A book description that rebuilds exactly this payload; `pagesBeside` for
// an e-book whose pages are not inside.
std::string ExtractBook(const std::string& payload, const std::string& sourceName, bool pagesBeside = false);

// The book's [search] section: whether it gets a search index (on, by
// default), and how its pages that name no charset read (encoding:
// windows-1252, by default, or utf-8). PackError names the line at fault.
struct SearchSettings {
    bool on = true;
    search::TextEncoding encoding = search::TextEncoding::kWindows1252;
};
SearchSettings ReadSearchSettings(const Book& book);

// The command line: returns the exit code (0 done, 1 failed, 2 usage).
int RunPack(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vc::pack
