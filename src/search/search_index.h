#pragma once
// A book's search index, read in place: Open checks the layout and keeps a
// view of the bytes, and each query reads only the dictionary blocks and
// postings it needs. Every read is bounds-checked, so a damaged or hostile
// index gives ESearchIndexDamaged, never a read outside the bytes.
//
//   SearchIndex index = SearchIndex::Open(bytes);    // bytes outlive index
//   SearchResults found = index.Query("crème brûlée", /*whileTyping=*/true);
//
// Ranking is BM25 (k1 = 1.2, b = 0.75) over each page's title and body,
// title words weighing kTitleWeight times a body word; a word or phrase
// found in more than half the pages adds almost nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/errors.h"
#include "search/query.h"

namespace vc::search {

inline constexpr double kTitleWeight = 5.0;
inline constexpr double kBodyWeight = 1.0;
inline constexpr std::size_t kMaxResults = 200;

// The index cannot be read: "The search index of this book is damaged."
class ESearchIndexDamaged : public Exception {
public:
    ESearchIndexDamaged();
};

// Bytes [begin, begin + length) of a result's snippet.
struct TextRange {
    std::size_t begin;
    std::size_t length;
};

struct SearchResult {
    std::string page;   // the page's name in the book
    std::string title;  // UTF-8, as all texts here
    double score = 0;
    std::uint32_t pageNumber = 0;  // the page's number in the index
    // Some thirty words of the body around the first matched word, with
    // "..." where the body goes on; the matched words are in `matches`.
    std::string snippet;
    std::vector<TextRange> matches;
};

// A stretch of a snippet: a matched word, or the text between two.
struct SnippetRun {
    std::string_view text;
    bool matched;
};

// The snippet cut at its matched words, in order; a range that overlaps the
// one before it or runs past the end is cut to what is left.
std::vector<SnippetRun> SplitSnippet(std::string_view snippet, const std::vector<TextRange>& matches);

struct SearchResults {
    std::vector<SearchResult> results;  // best first, at most kMaxResults
    std::size_t total = 0;              // every page that matched
};

class SearchIndex {
public:
    static SearchIndex Open(std::string_view bytes);

    std::size_t PageCount() const { return pageCount_; }

    // Pages that match the text as ParseQuery reads it; no results for a
    // query without a word to look for. Throws ESearchIndexDamaged.
    SearchResults Query(std::string_view text, bool whileTyping) const;
    // The same pages without their snippets, which take the most time: a
    // list makes those of the rows it shows (AddSnippet).
    SearchResults QueryWithoutSnippets(std::string_view text, bool whileTyping) const;
    // The snippet of a result of the query of that text.
    void AddSnippet(SearchResult& result, std::string_view text, bool whileTyping) const;

private:
    // Where a term's lists lie in the postings and positions sections.
    struct TermEntry {
        std::size_t postings, postingsSize;
        std::size_t positions, positionsSize;
    };
    struct PageRecord {
        std::uint32_t strings;
        std::uint32_t titleWords;
        std::uint32_t bodyWords;
    };
    struct Strings {
        std::string_view name, title, body;
    };
    struct Hit {
        std::uint32_t page;
        std::uint32_t inTitle;
        std::uint32_t inBody;
    };
    struct Positions;

    explicit SearchIndex(std::string_view bytes) : bytes_(bytes) {}
    SearchResults Query(const ParsedQuery& query, bool withSnippets) const;
    PageRecord Page(std::uint32_t page) const;
    Strings PageStrings(std::uint32_t page) const;
    std::string BlockFirstTerm(std::uint32_t block) const;
    template <class Visit>
    void ForEachTermFrom(std::uint32_t block, Visit&& visit) const;
    std::uint32_t BlockOf(const std::string& word) const;
    template <class Visit>
    void ForEachMatchingTerm(const std::string& word, bool prefix, Visit&& visit) const;
    template <class Visit>
    void ForEachHit(const TermEntry& term, Visit&& visit) const;
    std::vector<Hit> ReadHits(const TermEntry& term) const;
    std::vector<Positions> ReadPositions(const TermEntry& term) const;
    std::vector<Hit> WordHits(const std::string& word, bool prefix) const;
    std::vector<Positions> WordPositions(const std::string& word, bool prefix) const;
    std::vector<Hit> ClauseHits(const QueryClause& clause) const;
    void AddScores(const std::vector<Hit>& hits, std::vector<double>& scores) const;
    void AddSnippet(SearchResult& result, const ParsedQuery& query) const;

    std::string_view bytes_;
    std::uint32_t pageCount_ = 0;
    std::uint32_t blockCount_ = 0;
    std::uint32_t termCount_ = 0;
    std::string_view pages_, strings_, blocks_, terms_, postings_, positions_;
    double averageWords_ = 0;
};

}  // namespace vc::search
