#include "window/book_search.h"

#include <algorithm>

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

int SearchPaneWidth(int clientWidth, const Scale& scale) {
    const int width = std::clamp(clientWidth / 3, scale.Apply(240), scale.Apply(400));
    return std::max(0, std::min(width, clientWidth / 2));
}

std::string LeadInThatFits(std::string_view text, int room, const std::function<int(std::string_view)>& width) {
    if (width(text) <= room) return std::string(text);
    for (std::size_t space = text.find(' '); space != std::string_view::npos; space = text.find(' ', space + 1)) {
        const std::string cut = "..." + std::string(text.substr(space + 1));
        if (width(cut) <= room) return cut;
    }
    return "...";
}

std::optional<std::string> SearchResultAddress(std::string_view page, std::string_view bookHost,
                                               std::string_view executableFolder, const CodePage& codePage) {
    if (!bookHost.empty()) return MakeBookAddress(bookHost, page);
    if (!DecodeUtf8(page)) return std::nullopt;
    const auto name = codePage.FromUtf16(Utf8ToUtf16(ReplaceAll(page, "/", "\\")));
    if (!name) return std::nullopt;
    return WithTrailingBackslash(executableFolder) + *name;
}

std::unique_ptr<ReadSearchIndex> BookSearch::Read(const Loader& load) noexcept {
    try {
        auto read = std::make_unique<ReadSearchIndex>();
        read->bytes = load();
        read->index = search::SearchIndex::Open(read->bytes);
        return read;
    } catch (const Exception&) {
    } catch (const EBookDamaged&) {
    } catch (const std::bad_alloc&) {
        // An index too big for the memory left is as unusable as a damaged one.
    }
    return nullptr;
}

std::optional<BookSearch::Loader> BookSearch::BeginReading() {
    if (state_ != State::Unread) return std::nullopt;
    state_ = State::Reading;
    return load_;
}

void BookSearch::Adopt(std::unique_ptr<ReadSearchIndex> read) {
    read_ = std::move(read);
    state_ = read_ ? State::Ready : State::Damaged;
}

SearchView BookSearch::Search(std::string_view text, bool whileTyping) {
    const bool anyWords = !search::ParseQuery(text, whileTyping).groups.empty();
    if (anyWords && state_ == State::Unread) Adopt(Read(load_));
    if (anyWords && state_ == State::Ready) {
        try {
            return Rows(text, whileTyping);
        } catch (const Exception&) {
            // Open checks the layout; what it cannot see turns up as a query reads.
            Adopt(nullptr);
        }
    }
    if (state_ == State::Damaged) return StatusOnly(search::ESearchIndexDamaged().what());
    if (anyWords && state_ == State::Reading) return StatusOnly("Reading the search index\xE2\x80\xA6");
    return SearchView{};
}

SearchView BookSearch::Rows(std::string_view text, bool whileTyping) {
    const search::SearchResults found = read_->index->QueryWithoutSnippets(text, whileTyping);
    lastText_ = std::string(text);
    lastWhileTyping_ = whileTyping;
    SearchView view;
    for (const search::SearchResult& result : found.results) {
        SearchRow row;
        row.page = result.page;
        row.title = result.title.empty() ? result.page : result.title;
        row.pageNumber = result.pageNumber;
        view.rows.push_back(std::move(row));
    }
    view.status = SearchStatus(view.rows.size(), found.total, true);
    return view;
}

void BookSearch::AddSnippet(SearchRow& row) {
    row.hasSnippet = true;
    if (state_ != State::Ready) return;
    search::SearchResult result;
    result.pageNumber = row.pageNumber;
    try {
        read_->index->AddSnippet(result, lastText_, lastWhileTyping_);
    } catch (const Exception&) {
        // Told at the next search, which finds the index damaged.
        Adopt(nullptr);
        return;
    }
    row.snippet = std::move(result.snippet);
    row.matches = std::move(result.matches);
}

SearchView BookSearch::StatusOnly(std::string status) const {
    SearchView view;
    view.status = std::move(status);
    return view;
}

std::string BookSearch::TakeDamageMessage() {
    if (state_ != State::Damaged || told_) return std::string();
    told_ = true;
    return search::ESearchIndexDamaged().what();
}

}  // namespace vc
