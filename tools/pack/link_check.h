#pragma once
// The link check: every link and command of a book that would fail its
// reader, found before any reader clicks it.
#include <filesystem>
#include <string>
#include <vector>

#include "book_file.h"
#include "pack.h"

namespace vc::pack {

// Links of the pages (href, src and background attributes, CSS url()) that
// name a file the book does not carry; action commands of the pages, the
// menu and the start-up command that do not parse, name no command or give
// it the wrong number of parameters; LOADHTML targets that are no page of
// the book. Each finding reads "FILE:LINE: problem", a page named relative
// to the book file's folder; the book file's own come first, by line, then
// the pages in name order, each by line.
struct LinkReport {
    std::vector<std::string> findings;
    std::size_t pagesChecked = 0;
};
LinkReport CheckLinks(const Book& book, const ComposedBook& composed, const std::filesystem::path& bookPath);

}  // namespace vc::pack
