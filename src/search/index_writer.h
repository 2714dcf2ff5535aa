#pragma once
// Builds a book's search index from the text of its pages (the layout is in
// index_format.h). The pack tool feeds it every HTML page of the book.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vc::search {

class IndexWriter {
public:
    // Adds a page under its name in the book (the address a result opens),
    // with its title and body text in UTF-8. Pages are kept in the order
    // they are added; that order breaks ties between equal scores.
    void AddPage(std::string_view name, std::string_view title, std::string_view body);

    // The index of every page added so far. Throws vc::Exception when the
    // pages hold more text than the index can address (4 GB).
    std::string Finish() const;

private:
    struct Term {
        std::string word;
        std::string postings;
        std::string positions;
        std::uint32_t nextPage = 0;  // one past the last page it was seen in
        // Its counts in the page being added, and the last position written.
        std::uint32_t inTitle = 0, inBody = 0, previous = 0;
    };
    struct Page {
        std::uint32_t stringsOffset;
        std::uint32_t titleWords;
        std::uint32_t bodyWords;
    };

    std::uint32_t AddWords(std::string_view text, bool inTitle);
    std::uint32_t TermId(const std::string& word);
    void WritePostings(std::uint32_t page);

    std::vector<Term> terms_;
    // Open addressing: hash << 32 | term id + 1 per slot, 0 for a free one;
    // never more than half full. The hash in the slot spares a visit to the
    // term for most slots that are not the word's.
    std::vector<std::uint64_t> slots_ = std::vector<std::uint64_t>(1024, 0);
    std::vector<Page> pages_;
    std::string strings_;
    std::vector<std::uint32_t> touched_;  // the terms of the page being added
};

}  // namespace vc::search
