// The search index reader and the queries on arbitrary input: the first line
// is a query; the rest is an index when it starts as one, and otherwise the
// text of pages (cut at form feeds) that an index is built from. A damaged
// index may be refused, but only with the damage error; an index the writer
// made is never refused; results stay within their limits, and snippets made
// later for a query's rows are the query's own.
#include <cstdint>
#include <string>
#include <string_view>

#include "search/html_text.h"
#include "search/index_format.h"
#include "search/index_writer.h"
#include "search/search_index.h"

namespace {

std::string BuildIndex(std::string_view pages) {
    vc::search::IndexWriter writer;
    std::size_t number = 0;
    for (std::size_t start = 0; start <= pages.size();) {
        const std::size_t end = std::min(pages.find('\f', start), pages.size());
        const auto text = vc::search::ExtractPageText(pages.substr(start, end - start),
                                                      number % 2 ? vc::search::TextEncoding::kUtf8
                                                                 : vc::search::TextEncoding::kWindows1252);
        writer.AddPage("page" + std::to_string(number++), text.title, text.body);
        start = end + 1;
    }
    return writer.Finish();
}

void CheckResults(const vc::search::SearchResults& found) {
    if (found.results.size() > vc::search::kMaxResults || found.results.size() > found.total) __builtin_trap();
    for (const auto& result : found.results) {
        for (const auto& match : result.matches) {
            if (match.begin > result.snippet.size() || result.snippet.size() - match.begin < match.length) {
                __builtin_trap();
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string_view query = input.substr(0, newline);
    std::string_view index = newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1);
    const bool made = index.substr(0, 4) != std::string_view(vc::search::kMagic, 4);
    const std::string built = made ? BuildIndex(index) : std::string();
    if (made) index = built;
    try {
        const auto reader = vc::search::SearchIndex::Open(index);
        CheckResults(reader.Query(query, false));
        const vc::search::SearchResults typed = reader.Query(query, true);
        CheckResults(typed);
        // The pane's way: the rows first, a row's snippet when it shows; the
        // same snippets as the query's own.
        vc::search::SearchResults bare = reader.QueryWithoutSnippets(query, true);
        if (bare.results.size() != typed.results.size()) __builtin_trap();
        for (std::size_t i = 0; i < bare.results.size(); ++i) {
            reader.AddSnippet(bare.results[i], query, true);
            if (bare.results[i].snippet != typed.results[i].snippet) __builtin_trap();
        }
    } catch (const vc::search::ESearchIndexDamaged&) {
        if (made) __builtin_trap();
    }
    return 0;
}
