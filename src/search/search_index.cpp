#include "search/search_index.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "search/index_format.h"
#include "search/tokenizer.h"

namespace vc::search {
namespace {

constexpr double kK1 = 1.2;
constexpr double kB = 0.75;
constexpr std::size_t kSnippetWordsBefore = 8;
constexpr std::size_t kSnippetWords = 30;

[[noreturn]] void Damaged() { throw ESearchIndexDamaged(); }

std::uint32_t ReadU32(std::string_view bytes, std::size_t at) {
    if (at > bytes.size() || bytes.size() - at < 4) Damaged();
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// A bounds-checked reader of varints and byte runs.
class Cursor {
public:
    explicit Cursor(std::string_view bytes) : bytes_(bytes) {}

    bool AtEnd() const { return at_ >= bytes_.size(); }

    std::uint32_t Varint() {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 35; shift += 7) {
            if (AtEnd()) Damaged();
            const unsigned char byte = static_cast<unsigned char>(bytes_[at_++]);
            if (shift == 28 && byte > 0x0F) Damaged();
            value |= static_cast<std::uint32_t>(byte & 0x7F) << shift;
            if (byte < 0x80) return value;
        }
        Damaged();
    }

    std::string_view Take(std::size_t count) {
        if (bytes_.size() - at_ < count) Damaged();
        const std::string_view taken = bytes_.substr(at_, count);
        at_ += count;
        return taken;
    }

private:
    std::string_view bytes_;
    std::size_t at_ = 0;
};

// The part of the bytes from `from` for `size` bytes, checked.
std::string_view Part(std::string_view bytes, std::size_t from, std::size_t size) {
    if (from > bytes.size() || bytes.size() - from < size) Damaged();
    return bytes.substr(from, size);
}

bool StartsWith(std::string_view text, std::string_view start) {
    return text.size() >= start.size() && text.compare(0, start.size(), start) == 0;
}

struct Pattern {
    const std::string* word;
    bool prefix;
};

bool Matches(const std::vector<Pattern>& patterns, const std::string& folded) {
    for (const Pattern& pattern : patterns) {
        if (pattern.prefix ? StartsWith(folded, *pattern.word) : folded == *pattern.word) return true;
    }
    return false;
}

// Words of the body around its first matched word, or its first words when
// only the title matched.
void MakeSnippet(std::string_view body, const std::vector<Pattern>& patterns, SearchResult& result) {
    struct Word {
        std::size_t begin, end;
        bool matched;
    };
    std::vector<Word> words;
    std::size_t firstMatch = SIZE_MAX;
    WordScanner scanner(body);
    while (scanner.Next()) {
        const bool matched = Matches(patterns, scanner.Folded());
        if (matched && firstMatch == SIZE_MAX) firstMatch = words.size();
        words.push_back(Word{scanner.Begin(), scanner.End(), matched});
        if (firstMatch == SIZE_MAX && words.size() > kSnippetWordsBefore) words.erase(words.begin());
        if (firstMatch != SIZE_MAX && words.size() >= kSnippetWords) break;
    }
    if (firstMatch == SIZE_MAX) {
        words.clear();
        WordScanner opening(body);
        while (words.size() < kSnippetWords && opening.Next()) {
            words.push_back(Word{opening.Begin(), opening.End(), false});
        }
    }
    if (words.empty()) return;
    // Punctuation before the first word or after the last stays with them.
    WordScanner first(body);
    first.Next();
    const std::size_t begin = words.front().begin == first.Begin() ? 0 : words.front().begin;
    std::size_t end = words.back().end;
    if (!WordScanner(body.substr(end)).Next()) end = body.size();
    if (begin > 0) result.snippet = "...";
    const std::size_t shift = result.snippet.size();
    result.snippet.append(body.substr(begin, end - begin));
    if (end < body.size()) result.snippet += "...";
    for (const Word& word : words) {
        if (word.matched) result.matches.push_back(TextRange{word.begin - begin + shift, word.end - word.begin});
    }
}

// How many times the words of a phrase stand one after another in a field.
std::uint32_t PhraseCount(const std::vector<const std::vector<std::uint32_t>*>& lists) {
    std::uint32_t count = 0;
    for (const std::uint32_t start : *lists[0]) {
        bool all = true;
        for (std::size_t i = 1; i < lists.size() && all; ++i) {
            const std::uint64_t wanted = static_cast<std::uint64_t>(start) + i;
            all = wanted <= UINT32_MAX &&
                  std::binary_search(lists[i]->begin(), lists[i]->end(), static_cast<std::uint32_t>(wanted));
        }
        if (all) ++count;
    }
    return count;
}

void SortUnique(std::vector<std::uint32_t>& values) {
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
}

}  // namespace

ESearchIndexDamaged::ESearchIndexDamaged() : Exception("The search index of this book is damaged.") {}

struct SearchIndex::Positions {
    std::uint32_t page;
    std::vector<std::uint32_t> title;
    std::vector<std::uint32_t> body;
};

SearchIndex SearchIndex::Open(std::string_view bytes) {
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, 4) != 0) Damaged();
    if (ReadU32(bytes, kVersionAt) != kFormatVersion) Damaged();
    SearchIndex index(bytes);
    index.pageCount_ = ReadU32(bytes, kPageCountAt);
    index.blockCount_ = ReadU32(bytes, kBlockCountAt);
    index.termCount_ = ReadU32(bytes, kTermCountAt);
    const std::uint64_t strings = ReadU32(bytes, kStringsAt), blocks = ReadU32(bytes, kBlocksAt),
                        terms = ReadU32(bytes, kTermsAt), postings = ReadU32(bytes, kPostingsAt),
                        positions = ReadU32(bytes, kPositionsAt);
    if (strings != kHeaderSize + std::uint64_t{index.pageCount_} * kPageRecordSize || blocks < strings ||
        terms != blocks + std::uint64_t{index.blockCount_} * kBlockRecordSize || postings < terms ||
        positions < postings || positions > bytes.size() ||
        index.blockCount_ != (std::uint64_t{index.termCount_} + kTermsPerBlock - 1) / kTermsPerBlock) {
        Damaged();
    }
    index.pages_ = bytes.substr(kHeaderSize, strings - kHeaderSize);
    index.strings_ = bytes.substr(strings, blocks - strings);
    index.blocks_ = bytes.substr(blocks, terms - blocks);
    index.terms_ = bytes.substr(terms, postings - terms);
    index.postings_ = bytes.substr(postings, positions - postings);
    index.positions_ = bytes.substr(positions);
    double words = 0;
    for (std::uint32_t page = 0; page < index.pageCount_; ++page) {
        const PageRecord record = index.Page(page);
        words += static_cast<double>(record.titleWords) + record.bodyWords;
    }
    if (index.pageCount_ > 0) index.averageWords_ = words / index.pageCount_;
    return index;
}

SearchIndex::PageRecord SearchIndex::Page(std::uint32_t page) const {
    if (page >= pageCount_) Damaged();
    const std::size_t at = std::size_t{page} * kPageRecordSize;
    return PageRecord{ReadU32(pages_, at), ReadU32(pages_, at + 4), ReadU32(pages_, at + 8)};
}

SearchIndex::Strings SearchIndex::PageStrings(std::uint32_t page) const {
    const std::uint32_t at = Page(page).strings;
    if (at > strings_.size()) Damaged();
    Cursor cursor(strings_.substr(at));
    Strings strings;
    strings.name = cursor.Take(cursor.Varint());
    strings.title = cursor.Take(cursor.Varint());
    strings.body = cursor.Take(cursor.Varint());
    return strings;
}

std::string SearchIndex::BlockFirstTerm(std::uint32_t block) const {
    const std::uint32_t at = ReadU32(blocks_, std::size_t{block} * kBlockRecordSize);
    if (at > terms_.size()) Damaged();
    Cursor cursor(terms_.substr(at));
    if (cursor.Varint() != 0) Damaged();
    return std::string(cursor.Take(cursor.Varint()));
}

// The last block whose first term is not after the word: the one that holds
// the word if any does, and where the words it starts begin.
std::uint32_t SearchIndex::BlockOf(const std::string& word) const {
    std::uint32_t low = 0, high = blockCount_;  // the answer is in [low, high)
    while (high - low > 1) {
        const std::uint32_t middle = low + (high - low) / 2;
        if (BlockFirstTerm(middle) <= word) low = middle;
        else high = middle;
    }
    return low;
}

// Calls visit(term, entry) for each term from the block's first on, in
// order, while visit returns true.
template <class Visit>
void SearchIndex::ForEachTermFrom(std::uint32_t block, Visit&& visit) const {
    std::string term;
    for (; block < blockCount_; ++block) {
        const std::size_t record = std::size_t{block} * kBlockRecordSize;
        const std::uint32_t termsAt = ReadU32(blocks_, record);
        std::size_t postingsAt = ReadU32(blocks_, record + 4);
        std::size_t positionsAt = ReadU32(blocks_, record + 8);
        if (termsAt > terms_.size()) Damaged();
        Cursor cursor(terms_.substr(termsAt));
        const std::size_t count =
            std::min<std::size_t>(kTermsPerBlock, termCount_ - std::size_t{block} * kTermsPerBlock);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t shared = cursor.Varint();
            if (shared > term.size() || (i == 0 && shared != 0)) Damaged();
            term.resize(shared);
            term.append(cursor.Take(cursor.Varint()));
            const std::size_t postingsSize = cursor.Varint();
            const std::size_t positionsSize = cursor.Varint();
            Part(postings_, postingsAt, postingsSize);
            Part(positions_, positionsAt, positionsSize);
            if (!visit(term, TermEntry{postingsAt, postingsSize, positionsAt, positionsSize})) return;
            postingsAt += postingsSize;
            positionsAt += positionsSize;
        }
    }
}

template <class Visit>
void SearchIndex::ForEachMatchingTerm(const std::string& word, bool prefix, Visit&& visit) const {
    if (blockCount_ == 0) return;
    ForEachTermFrom(BlockOf(word), [&](const std::string& term, const TermEntry& entry) {
        if (prefix ? StartsWith(term, word) : term == word) {
            visit(entry);
            return prefix;
        }
        return term < word;
    });
}

// Calls visit(hit) for each page of the term's postings, in page order.
template <class Visit>
void SearchIndex::ForEachHit(const TermEntry& term, Visit&& visit) const {
    Cursor cursor(Part(postings_, term.postings, term.postingsSize));
    std::uint64_t next = 0;
    while (!cursor.AtEnd()) {
        const std::uint32_t delta = cursor.Varint();
        if (delta == 0 || next + delta - 1 >= pageCount_) Damaged();
        const std::uint32_t page = static_cast<std::uint32_t>(next + delta - 1);
        const std::uint32_t counts = cursor.Varint();
        const std::uint32_t inTitle = (counts & 1) ? cursor.Varint() : 0;
        visit(Hit{page, inTitle, counts >> 1});
        next = std::uint64_t{page} + 1;
    }
}

std::vector<SearchIndex::Hit> SearchIndex::ReadHits(const TermEntry& term) const {
    std::vector<Hit> hits;
    ForEachHit(term, [&hits](const Hit& hit) { hits.push_back(hit); });
    return hits;
}

std::vector<SearchIndex::Positions> SearchIndex::ReadPositions(const TermEntry& term) const {
    std::vector<Positions> lists;
    Cursor cursor(Part(positions_, term.positions, term.positionsSize));
    const auto read = [&cursor](std::uint32_t count, std::vector<std::uint32_t>& into) {
        std::uint32_t position = 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            position += cursor.Varint();
            into.push_back(position);
        }
    };
    for (const Hit& hit : ReadHits(term)) {
        Positions positions{hit.page, {}, {}};
        read(hit.inTitle, positions.title);
        read(hit.inBody, positions.body);
        lists.push_back(std::move(positions));
    }
    return lists;
}

std::vector<SearchIndex::Hit> SearchIndex::WordHits(const std::string& word, bool prefix) const {
    std::vector<Hit> hits;
    if (!prefix) {
        ForEachMatchingTerm(word, false, [&](const TermEntry& entry) { hits = ReadHits(entry); });
        return hits;
    }
    // A prefix stands for one word found wherever any of its words is.
    std::vector<std::uint32_t> slot(pageCount_, UINT32_MAX);
    ForEachMatchingTerm(word, true, [&](const TermEntry& entry) {
        ForEachHit(entry, [&](const Hit& hit) {
            if (slot[hit.page] == UINT32_MAX) {
                slot[hit.page] = static_cast<std::uint32_t>(hits.size());
                hits.push_back(hit);
            } else {
                Hit& sum = hits[slot[hit.page]];
                sum.inTitle += hit.inTitle;
                sum.inBody += hit.inBody;
            }
        });
    });
    std::sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) { return a.page < b.page; });
    return hits;
}

std::vector<SearchIndex::Positions> SearchIndex::WordPositions(const std::string& word, bool prefix) const {
    std::vector<Positions> merged;
    std::vector<std::uint32_t> slot(pageCount_, UINT32_MAX);
    ForEachMatchingTerm(word, prefix, [&](const TermEntry& entry) {
        for (Positions& positions : ReadPositions(entry)) {
            if (slot[positions.page] == UINT32_MAX) {
                slot[positions.page] = static_cast<std::uint32_t>(merged.size());
                merged.push_back(std::move(positions));
            } else {
                Positions& into = merged[slot[positions.page]];
                into.title.insert(into.title.end(), positions.title.begin(), positions.title.end());
                into.body.insert(into.body.end(), positions.body.begin(), positions.body.end());
            }
        }
    });
    for (Positions& positions : merged) {
        SortUnique(positions.title);
        SortUnique(positions.body);
    }
    std::sort(merged.begin(), merged.end(), [](const Positions& a, const Positions& b) { return a.page < b.page; });
    return merged;
}

std::vector<SearchIndex::Hit> SearchIndex::ClauseHits(const QueryClause& clause) const {
    const std::size_t last = clause.words.size() - 1;
    if (last == 0) return WordHits(clause.words[0], clause.prefix);
    std::vector<std::vector<Positions>> words;
    for (std::size_t i = 0; i <= last; ++i) {
        words.push_back(WordPositions(clause.words[i], clause.prefix && i == last));
        if (words.back().empty()) return {};
    }
    std::vector<Hit> hits;
    std::vector<std::size_t> at(words.size(), 0);
    for (const Positions& first : words[0]) {
        std::vector<const std::vector<std::uint32_t>*> titles{&first.title}, bodies{&first.body};
        bool everyWord = true;
        for (std::size_t i = 1; i <= last && everyWord; ++i) {
            while (at[i] < words[i].size() && words[i][at[i]].page < first.page) ++at[i];
            everyWord = at[i] < words[i].size() && words[i][at[i]].page == first.page;
            if (everyWord) {
                titles.push_back(&words[i][at[i]].title);
                bodies.push_back(&words[i][at[i]].body);
            }
        }
        if (!everyWord) continue;
        const Hit hit{first.page, PhraseCount(titles), PhraseCount(bodies)};
        if (hit.inTitle + hit.inBody > 0) hits.push_back(hit);
    }
    return hits;
}

// BM25 as one term: the clause's weighted count in the page against the
// page's length, scaled by how rare the clause is.
void SearchIndex::AddScores(const std::vector<Hit>& hits, std::vector<double>& scores) const {
    const double found = static_cast<double>(hits.size());
    double idf = std::log((pageCount_ - found + 0.5) / (found + 0.5));
    if (!(idf > 0)) idf = 1e-6;
    for (const Hit& hit : hits) {
        const PageRecord page = Page(hit.page);
        const double length = static_cast<double>(page.titleWords) + page.bodyWords;
        const double relative = averageWords_ > 0 ? length / averageWords_ : 1.0;
        const double weighted = kTitleWeight * hit.inTitle + kBodyWeight * hit.inBody;
        scores[hit.page] += idf * (weighted * (kK1 + 1)) / (weighted + kK1 * (1 - kB + kB * relative));
    }
}

SearchResults SearchIndex::Query(std::string_view text, bool whileTyping) const {
    return Query(ParseQuery(text, whileTyping), true);
}

SearchResults SearchIndex::QueryWithoutSnippets(std::string_view text, bool whileTyping) const {
    return Query(ParseQuery(text, whileTyping), false);
}

void SearchIndex::AddSnippet(SearchResult& result, std::string_view text, bool whileTyping) const {
    if (result.pageNumber >= pageCount_) Damaged();
    AddSnippet(result, ParseQuery(text, whileTyping));
}

SearchResults SearchIndex::Query(const ParsedQuery& query, bool withSnippets) const {
    SearchResults found;
    const std::size_t wanted = std::count_if(query.groups.begin(), query.groups.end(),
                                             [](const QueryGroup& group) { return !group.excluded; });
    if (wanted == 0) return found;
    std::vector<double> scores(pageCount_, 0.0);
    std::vector<std::uint32_t> groupsMet(pageCount_, 0);
    std::vector<std::uint32_t> lastGroup(pageCount_, UINT32_MAX);
    std::vector<bool> excluded(pageCount_, false);
    for (std::uint32_t g = 0; g < query.groups.size(); ++g) {
        const QueryGroup& group = query.groups[g];
        for (const QueryClause& clause : group.alternatives) {
            const std::vector<Hit> hits = ClauseHits(clause);
            if (group.excluded) {
                for (const Hit& hit : hits) excluded[hit.page] = true;
                continue;
            }
            AddScores(hits, scores);
            for (const Hit& hit : hits) {
                if (lastGroup[hit.page] == g) continue;
                lastGroup[hit.page] = g;
                ++groupsMet[hit.page];
            }
        }
    }
    std::vector<std::uint32_t> pages;
    for (std::uint32_t page = 0; page < pageCount_; ++page) {
        if (groupsMet[page] == wanted && !excluded[page]) pages.push_back(page);
    }
    found.total = pages.size();
    const std::size_t kept = std::min(pages.size(), kMaxResults);
    std::partial_sort(pages.begin(), pages.begin() + kept, pages.end(), [&scores](std::uint32_t a, std::uint32_t b) {
        return scores[a] != scores[b] ? scores[a] > scores[b] : a < b;
    });
    for (std::size_t i = 0; i < kept; ++i) {
        const Strings strings = PageStrings(pages[i]);
        SearchResult result;
        result.page = std::string(strings.name);
        result.title = std::string(strings.title);
        result.score = scores[pages[i]];
        result.pageNumber = pages[i];
        if (withSnippets) AddSnippet(result, query);
        found.results.push_back(std::move(result));
    }
    return found;
}

std::vector<SnippetRun> SplitSnippet(std::string_view snippet, const std::vector<TextRange>& matches) {
    std::vector<SnippetRun> runs;
    std::size_t at = 0;
    for (const TextRange& match : matches) {
        const std::size_t begin = std::clamp(match.begin, at, snippet.size());
        const std::size_t last = match.begin >= snippet.size()
                                     ? snippet.size()
                                     : match.begin + std::min(match.length, snippet.size() - match.begin);
        const std::size_t end = std::max(begin, last);
        if (begin > at) runs.push_back({snippet.substr(at, begin - at), false});
        if (end > begin) runs.push_back({snippet.substr(begin, end - begin), true});
        at = end;
    }
    if (at < snippet.size()) runs.push_back({snippet.substr(at), false});
    return runs;
}

void SearchIndex::AddSnippet(SearchResult& result, const ParsedQuery& query) const {
    std::vector<Pattern> patterns;
    for (const QueryGroup& group : query.groups) {
        if (group.excluded) continue;
        for (const QueryClause& clause : group.alternatives) {
            for (std::size_t i = 0; i < clause.words.size(); ++i) {
                patterns.push_back(Pattern{&clause.words[i], clause.prefix && i + 1 == clause.words.size()});
            }
        }
    }
    result.snippet.clear();
    result.matches.clear();
    MakeSnippet(PageStrings(result.pageNumber).body, patterns, result);
}

}  // namespace vc::search
