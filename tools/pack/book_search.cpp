#include "book_search.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "book_file.h"
#include "common/input_file.h"
#include "common/text.h"
#include "search/index_writer.h"

namespace vc::pack {

namespace fs = std::filesystem;

std::string BuildBookIndex(const std::vector<fs::path>& pageFolders, search::TextEncoding encoding) {
    std::vector<std::pair<std::string, fs::path>> pages;
    for (const fs::path& folder : pageFolders) {
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            if (!entry.is_regular_file() || !search::IsHtmlPageName(entry.path().filename().string())) continue;
            const std::string name = folder.filename().string() + "/" + fs::relative(entry.path(), folder).generic_string();
            pages.emplace_back(name, entry.path());
        }
    }
    std::sort(pages.begin(), pages.end());
    search::IndexWriter writer;
    for (const auto& [name, path] : pages) {
        const auto html = ReadWholeFile(path.string());
        if (!html) throw PackError("cannot read the page \"" + path.generic_string() + "\"");
        const search::PageText text = search::ExtractPageText(*html, encoding);
        writer.AddPage(name, text.title, text.body);
    }
    return writer.Finish();
}

std::string FormatSearchResults(const search::SearchResults& found) {
    std::string out;
    for (const search::SearchResult& result : found.results) {
        std::string snippet;
        for (const search::SnippetRun& run : search::SplitSnippet(result.snippet, result.matches))
            snippet += run.matched ? "[" + std::string(run.text) + "]" : std::string(run.text);
        char score[32];
        std::snprintf(score, sizeof score, "%.4g", result.score);
        out += EscapeText(result.page) + " | " + EscapeText(result.title) + " | " + score + " | " + EscapeText(snippet) +
               "\n";
    }
    const std::string total = std::to_string(found.total) + (found.total == 1 ? " result" : " results");
    out += found.results.size() < found.total ? std::to_string(found.results.size()) + " of " + total : total;
    return out + "\n";
}

}  // namespace vc::pack
