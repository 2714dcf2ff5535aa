#pragma once
// The search index of a book as the authoring tool makes and queries it.
#include <filesystem>
#include <string>
#include <vector>

#include "search/html_text.h"
#include "search/search_index.h"

namespace vc::pack {

// The index of every HTML page (IsHtmlPageName) in the pages folders, each
// page named as the page archive names it: the folder's name, "/", and its
// path inside the folder with "/" between folders. Pages are added in name
// order, so the same pages always give the same index. A page that names no
// charset of its own reads in `encoding`.
std::string BuildBookIndex(const std::vector<std::filesystem::path>& pageFolders, search::TextEncoding encoding);

// One line per result, "page | title | score | snippet" with the matched
// words in [brackets] and control bytes escaped, then a line with the count:
// "3 results", or "200 of 1234 results" when the list was cut.
std::string FormatSearchResults(const search::SearchResults& found);

}  // namespace vc::pack
