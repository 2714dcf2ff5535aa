#include "search/query.h"

#include "search/tokenizer.h"

namespace vc::search {
namespace {

// Control characters separate items as spaces do.
bool IsQuerySpace(char c) { return static_cast<unsigned char>(c) <= 0x20 || c == 0x7F; }

// The last character of a text that is not a space; 0 for none.
char LastVisible(std::string_view text) {
    for (std::size_t i = text.size(); i > 0; --i) {
        if (!IsQuerySpace(text[i - 1])) return text[i - 1];
    }
    return 0;
}

}  // namespace

ParsedQuery ParseQuery(std::string_view text, bool whileTyping) {
    ParsedQuery query;
    std::size_t clauses = 0;
    bool orPending = false;
    QueryClause* typed = nullptr;  // the clause the text ends in, unless excluded
    std::size_t i = 0;
    while (i < text.size() && clauses < kMaxQueryClauses) {
        while (i < text.size() && IsQuerySpace(text[i])) ++i;
        if (i >= text.size()) break;
        const bool excluded = text[i] == '-';
        if (excluded) ++i;
        QueryClause clause;
        bool endsText = false;
        if (i < text.size() && text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            const std::string_view phrase = text.substr(i + 1, close == std::string_view::npos ? close : close - i - 1);
            clause.words = FoldedWords(phrase);
            clause.prefix = LastVisible(phrase) == '*';
            endsText = close == std::string_view::npos;
            i = close == std::string_view::npos ? text.size() : close + 1;
        } else {
            const std::size_t start = i;
            while (i < text.size() && !IsQuerySpace(text[i]) && text[i] != '"') ++i;
            const std::string_view item = text.substr(start, i - start);
            if (item == "OR" && !excluded && !query.groups.empty() && !query.groups.back().excluded) {
                orPending = true;
                continue;
            }
            clause.words = FoldedWords(item);
            clause.prefix = !item.empty() && item.back() == '*';
            endsText = i == text.size();
        }
        if (clause.words.empty()) continue;
        ++clauses;
        if (orPending && !excluded) {
            query.groups.back().alternatives.push_back(std::move(clause));
        } else {
            query.groups.push_back(QueryGroup{{std::move(clause)}, excluded});
        }
        orPending = false;
        typed = endsText && !excluded ? &query.groups.back().alternatives.back() : nullptr;
    }
    if (whileTyping && typed && !IsQuerySpace(text.back())) typed->prefix = true;
    return query;
}

}  // namespace vc::search
