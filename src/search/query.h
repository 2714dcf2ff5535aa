#pragma once
// What a reader types into the search box, read into clauses:
//
//   words          every word must occur (in the title or the body)
//   "two words"    the words one after the other
//   -word, -"a b"  pages holding it are left out
//   word*          any word that starts so
//   a OR b         either; OR binds the two items beside it: "x a OR b"
//                  is x together with a or b
//
// A word joined to another by punctuation ("set-up", "os.path") reads as a
// phrase of its parts. While the reader is typing, the last word counts as a
// prefix until a space follows it. Any text reads as some query, possibly an
// empty one.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vc::search {

// The most clauses a query keeps; the words after them are not looked for.
inline constexpr std::size_t kMaxQueryClauses = 32;

// A word or a phrase, folded as the index folds words.
struct QueryClause {
    std::vector<std::string> words;
    bool prefix = false;  // the last word matches every word it starts
};

// Clauses of which a page must hold one (several when joined by OR), or,
// when excluded, none.
struct QueryGroup {
    std::vector<QueryClause> alternatives;
    bool excluded = false;
};

struct ParsedQuery {
    std::vector<QueryGroup> groups;
};

ParsedQuery ParseQuery(std::string_view text, bool whileTyping);

}  // namespace vc::search
