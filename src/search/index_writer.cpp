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
    const std::uint32_t page = static_cast<std::uint32_t>(pages_.size());
    const Page record{Offset(strings_.size()), AddWords(title, true), AddWords(body, false)};
    PutString(strings_, name);
    PutString(strings_, title);
    PutString(strings_, body);
    Offset(strings_.size());
    pages_.push_back(record);
    WritePostings(page);
}

std::uint32_t IndexWriter::TermId(const std::string& word) {
    std::uint32_t hash = 2166136261u;  // FNV-1a
    for (const char c : word) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = hash & mask;
    for (; slots_[slot] != 0; slot = (slot + 1) & mask) {
        const auto id = static_cast<std::uint32_t>(slots_[slot]) - 1;
        if (slots_[slot] >> 32 == hash && terms_[id].word == word) return id;
    }
    const std::uint32_t id = static_cast<std::uint32_t>(terms_.size());
    terms_.push_back(Term{});
    terms_.back().word = word;
    slots_[slot] = std::uint64_t{hash} << 32 | (id + 1);
    if (terms_.size() * 2 > slots_.size()) {
        std::vector<std::uint64_t> grown(slots_.size() * 2, 0);
        for (const std::uint64_t entry : slots_) {
            if (entry == 0) continue;
            std::size_t at = (entry >> 32) & (grown.size() - 1);
            while (grown[at] != 0) at = (at + 1) & (grown.size() - 1);
            grown[at] = entry;
        }
        slots_.swap(grown);
    }
    return id;
}

// The positions go straight to each term's list, title first (the title's
// words are added before the body's); the counts wait for WritePostings.
std::uint32_t IndexWriter::AddWords(std::string_view text, bool inTitle) {
    WordScanner scanner(text);
    std::uint32_t count = 0;
    while (scanner.Next()) {
        const std::uint32_t id = TermId(scanner.Folded());
        Term& term = terms_[id];
        if (term.inTitle == 0 && term.inBody == 0) touched_.push_back(id);
        if (inTitle ? term.inTitle == 0 : term.inBody == 0) term.previous = 0;
        PutVarint(term.positions, scanner.Position() - term.previous);
        term.previous = scanner.Position();
        ++(inTitle ? term.inTitle : term.inBody);
        ++count;
    }
    return count;
}

void IndexWriter::WritePostings(std::uint32_t page) {
    for (const std::uint32_t id : touched_) {
        Term& term = terms_[id];
        PutVarint(term.postings, page + 1 - term.nextPage);
        PutVarint(term.postings, term.inBody * 2 + (term.inTitle ? 1 : 0));
        if (term.inTitle) PutVarint(term.postings, term.inTitle);
        term.nextPage = page + 1;
        term.inTitle = term.inBody = 0;
    }
    touched_.clear();
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
