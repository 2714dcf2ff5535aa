#include "search/index_writer.h"

#include <algorithm>
#include <limits>
#include <numeric>

#include "common/errors.h"
#include "search/index_format.h"
#include "search/tokenizer.h"

namespace vc::search {
namespace {

void PutString(std::string& out, std::string_view text) {
    PutVarint(out, static_cast<std::uint32_t>(text.size()));
    out.append(text.data(), text.size());
}

std::uint32_t Offset(std::size_t value) {
    if (value > std::numeric_limits<std::uint32_t>::max()) {
        throw Exception("The pages hold too much text for a search index.");
    }
    return static_cast<std::uint32_t>(value);
}

std::size_t SharedPrefix(const std::string& a, const std::string& b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return n;
}

}  // namespace

void IndexWriter::AddPage(std::string_view name, std::string_view title, std::string_view body) {
    const Page page{Offset(strings_.size()), CountWords(title, true), CountWords(body, false)};
    PutString(strings_, name);
    PutString(strings_, title);
    PutString(strings_, body);
    Offset(strings_.size());
    pages_.push_back(page);
    WritePostings(static_cast<std::uint32_t>(pages_.size() - 1));
}

std::uint32_t IndexWriter::CountWords(std::string_view text, bool inTitle) {
    WordScanner scanner(text);
    std::uint32_t count = 0;
    while (scanner.Next()) {
        auto found = termIds_.find(scanner.Folded());
        if (found == termIds_.end()) {
            found = termIds_.emplace(scanner.Folded(), static_cast<std::uint32_t>(terms_.size())).first;
            terms_.push_back(Term{scanner.Folded(), {}, {}, 0, 0});
        }
        occurrences_.push_back(Occurrence{found->second, scanner.Position(), inTitle});
        ++count;
    }
    return count;
}

// The page's occurrences, title first, are appended to each term's lists.
void IndexWriter::WritePostings(std::uint32_t page) {
    std::stable_sort(occurrences_.begin(), occurrences_.end(),
                     [](const Occurrence& a, const Occurrence& b) { return a.term < b.term; });
    for (std::size_t first = 0; first < occurrences_.size();) {
        std::size_t last = first;
        std::uint32_t inTitle = 0;
        while (last < occurrences_.size() && occurrences_[last].term == occurrences_[first].term) {
            inTitle += occurrences_[last].inTitle ? 1 : 0;
            ++last;
        }
        Term& term = terms_[occurrences_[first].term];
        const std::uint32_t inBody = static_cast<std::uint32_t>(last - first) - inTitle;
        PutVarint(term.postings, page + 1 - term.nextPage);
        PutVarint(term.postings, inBody * 2 + (inTitle ? 1 : 0));
        if (inTitle) PutVarint(term.postings, inTitle);
        std::uint32_t previous = 0;
        for (std::size_t i = first; i < last; ++i) {
            if (i == first + inTitle) previous = 0;
            PutVarint(term.positions, occurrences_[i].position - previous);
            previous = occurrences_[i].position;
        }
        term.nextPage = page + 1;
        ++term.pageCount;
        first = last;
    }
    occurrences_.clear();
}

std::string IndexWriter::Finish() const {
    std::vector<std::uint32_t> order(terms_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(),
              [this](std::uint32_t a, std::uint32_t b) { return terms_[a].word < terms_[b].word; });

    std::string blocks, dictionary;
    std::size_t postingsSize = 0, positionsSize = 0;
    const std::string* previous = nullptr;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const Term& term = terms_[order[i]];
        if (i % kTermsPerBlock == 0) {
            PutU32(blocks, Offset(dictionary.size()));
            PutU32(blocks, Offset(postingsSize));
            PutU32(blocks, Offset(positionsSize));
            previous = nullptr;
        }
        const std::size_t shared = previous ? SharedPrefix(*previous, term.word) : 0;
        PutVarint(dictionary, static_cast<std::uint32_t>(shared));
        PutString(dictionary, std::string_view(term.word).substr(shared));
        PutVarint(dictionary, term.pageCount);
        PutVarint(dictionary, Offset(term.postings.size()));
        PutVarint(dictionary, Offset(term.positions.size()));
        postingsSize += term.postings.size();
        positionsSize += term.positions.size();
        previous = &term.word;
    }

    std::string out(kHeaderSize, '\0');
    out.replace(0, 4, kMagic, 4);
    SetU32(out, kVersionAt, kFormatVersion);
    SetU32(out, kPageCountAt, Offset(pages_.size()));
    SetU32(out, kBlockCountAt, Offset(blocks.size() / kBlockRecordSize));
    SetU32(out, kTermCountAt, Offset(terms_.size()));
    for (const Page& page : pages_) {
        PutU32(out, page.stringsOffset);
        PutU32(out, page.titleWords);
        PutU32(out, page.bodyWords);
    }
    SetU32(out, kStringsAt, Offset(out.size()));
    out += strings_;
    SetU32(out, kBlocksAt, Offset(out.size()));
    out += blocks;
    SetU32(out, kTermsAt, Offset(out.size()));
    out += dictionary;
    SetU32(out, kPostingsAt, Offset(out.size()));
    out.reserve(out.size() + postingsSize + positionsSize);
    for (const std::uint32_t id : order) out += terms_[id].postings;
    SetU32(out, kPositionsAt, Offset(out.size()));
    for (const std::uint32_t id : order) out += terms_[id].positions;
    Offset(out.size());
    return out;
}

}  // namespace vc::search
