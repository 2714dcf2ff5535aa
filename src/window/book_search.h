#pragma once
// What the search pane shows, decided away from the window: the rows for a
// text, the line above them, the address a row opens, and the rule that a
// damaged index is told of once while the book keeps working.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/code_page.h"
#include "common/scale.h"
#include "search/search_index.h"

namespace vc {

// One result as the list shows it; texts in UTF-8.
struct SearchRow {
    std::string page;     // the page's name in the book
    std::string title;    // the page's title, or its name when it has none
    // The words around the first match and the matched words among them,
    // made when the list first shows the row (BookSearch::AddSnippet).
    std::string snippet;
    std::vector<search::TextRange> matches;
    bool hasSnippet = false;
    std::uint32_t pageNumber = 0;  // the page's number in the index
};

struct SearchView {
    std::vector<SearchRow> rows;  // best first, at most search::kMaxResults
    std::string status;           // the line above the list
};

// The line above the list: nothing before a word is typed, then "No page
// found.", "1 page", "12 pages", or "200 of 1234 pages" when the list is cut.
std::string SearchStatus(std::size_t shown, std::size_t total, bool anyWords);

// The pane's width beside a page area of `clientWidth` pixels: a third of
// it, at least 240 and at most 400 pixels at 96 DPI (a wider pane shows more
// of each snippet), and never more than half the area.
int SearchPaneWidth(int clientWidth, const Scale& scale);

// The words a row shows before its first matched word: the end of `text`
// that fits in `room` as `width` measures it, cut where a word starts and
// led by "..." when cut, so that the match stays in sight in a narrow pane.
std::string LeadInThatFits(std::string_view text, int room, const std::function<int(std::string_view)>& width);

// The address a result opens: its book address in a one-file book (a
// non-empty host), otherwise the file beside the program, its name in the
// system code page; nothing when the name has no such spelling.
std::optional<std::string> SearchResultAddress(std::string_view page, std::string_view bookHost,
                                               std::string_view executableFolder, const CodePage& codePage);

// The index as read out of the book: its decoded bytes and the reader over
// them, which keeps a view of the bytes, so the object stays where it is.
struct ReadSearchIndex {
    std::string bytes;
    std::optional<search::SearchIndex> index;
};

// The book's index, read when the reader first asks for it, not when the
// book opens: most readers never search, and the index of a big book is
// large and takes a while to inflate. The window has it read on a thread of
// its own (BeginReading, then Adopt), so that typing never waits for it;
// a search before then reads it there and then.
class BookSearch {
public:
    // Gives the decoded bytes of the index; raises EBookDamaged (or any
    // vc::Exception) when they cannot be read.
    using Loader = std::function<std::string()>;

    explicit BookSearch(Loader load) : load_(std::move(load)) {}
    BookSearch(const BookSearch&) = delete;
    BookSearch& operator=(const BookSearch&) = delete;

    // Reads the index through `load`; nothing when it is damaged. It touches
    // no BookSearch, so it may run on any thread.
    static std::unique_ptr<ReadSearchIndex> Read(const Loader& load) noexcept;

    // The loader, when the index is still to be read: the reading counts as
    // begun, and searches until Adopt say "Reading the search index…".
    // Nothing once it has begun.
    std::optional<Loader> BeginReading();
    // The index as Read gave it, nothing for a damaged one.
    void Adopt(std::unique_ptr<ReadSearchIndex> read);

    // The rows for a text, without their snippets: a row's snippet takes
    // longer than the search, and a list shows a dozen of the 200 rows.
    // Once the index has turned out damaged, no rows, and the status says so.
    SearchView Search(std::string_view text, bool whileTyping);
    // The snippet of a row of the last search; none once the index has
    // turned out damaged.
    void AddSnippet(SearchRow& row);
    // The damage message the first time the index turned out damaged, empty
    // before and ever after.
    std::string TakeDamageMessage();

private:
    enum class State { Unread, Reading, Ready, Damaged };
    SearchView Rows(std::string_view text, bool whileTyping);
    SearchView StatusOnly(std::string status) const;

    Loader load_;
    State state_ = State::Unread;
    // The query of the rows last given, for their snippets.
    std::string lastText_;
    bool lastWhileTyping_ = false;
    std::unique_ptr<ReadSearchIndex> read_;
    bool told_ = false;
};

}  // namespace vc
