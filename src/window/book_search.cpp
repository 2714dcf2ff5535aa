#include "window/book_search.h"

#include "book/book_address.h"
#include "book/page_archive.h"
#include "common/text.h"
#include "common/unicode.h"
#include "search/query.h"

namespace vc {

std::string SearchStatus(std::size_t shown, std::size_t total, bool anyWords) {
    if (!anyWords) return std::string();
    if (total == 0) return "No page found.";
    if (total == 1) return "1 page";
    if (shown < total) return std::to_string(shown) + " of " + std::to_string(total) + " pages";
    return std::to_string(total) + " pages";
}

std::string SearchRowLine(const SearchRow& row) {
    if (row.snippet.empty()) return row.title;
    return row.title + " \xE2\x80\x94 " + row.snippet;
}

std::optional<std::string> SearchResultAddress(std::string_view page, std::string_view bookHost,
                                               std::string_view executableFolder, const CodePage& codePage) {
    if (!bookHost.empty()) return MakeBookAddress(bookHost, page);
    if (!DecodeUtf8(page)) return std::nullopt;
    const auto name = codePage.FromUtf16(Utf8ToUtf16(ReplaceAll(page, "/", "\\")));
    if (!name) return std::nullopt;
    return WithTrailingBackslash(executableFolder) + *name;
}

SearchView BookSearch::Search(std::string_view text, bool whileTyping) {
    if (damaged_) return Damaged();
    const bool anyWords = !search::ParseQuery(text, whileTyping).groups.empty();
    if (!anyWords) return SearchView{};
    try {
        if (!index_) {
            bytes_ = load_();
            index_ = search::SearchIndex::Open(bytes_);
        }
        const search::SearchResults found = index_->Query(text, whileTyping);
        SearchView view;
        for (const search::SearchResult& result : found.results)
            view.rows.push_back({result.page, result.title.empty() ? result.page : result.title, result.snippet});
        view.status = SearchStatus(view.rows.size(), found.total, true);
        return view;
    } catch (const Exception&) {
    } catch (const EBookDamaged&) {
    }
    damaged_ = true;
    index_.reset();
    bytes_ = std::string();
    return Damaged();
}

SearchView BookSearch::Damaged() {
    SearchView view;
    view.status = search::ESearchIndexDamaged().what();
    return view;
}

std::string BookSearch::TakeDamageMessage() {
    if (!damaged_ || told_) return std::string();
    told_ = true;
    return search::ESearchIndexDamaged().what();
}

}  // namespace vc
