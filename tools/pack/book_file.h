#pragma once
// The book description file: sections of "key = value" lines, followed by an
// optional menu definition copied into the payload line by line.
//
// Values are written plain (surrounding blanks dropped, every other byte kept:
// "#", ";", quotes inside, 8-bit characters) or in double quotes, where
// \\, \" and \xHH stand for a backslash, a quote and any byte. Quoted values
// are taken exactly as written; plain ones may use the friendly words of
// their form (yes/no, normal/maximised...).
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vc::pack {

// An error of the authoring tool; the message is complete and names the
// place at fault.
class PackError : public std::runtime_error {
public:
    explicit PackError(const std::string& message, int lineNumber = 0)
        : std::runtime_error(message), lineNumber_(lineNumber) {}
    // The line of the book file at fault, 0 when there is none.
    int LineNumber() const noexcept { return lineNumber_; }

private:
    int lineNumber_;
};

// A line of a text with the break that ended it: "\r\n", "\n", "\r", or
// empty for a last line without one. Zero bytes are kept in the line.
struct RawLine {
    std::string text;
    std::string lineBreak;
};
std::vector<RawLine> SplitRawLines(std::string_view text);

// A value as it must be written after "key = " so that reading it back gives
// exactly `value`. `plainReadsBack` tells whether the plain form would stand
// for the same value (false for words the form translates).
std::string FormatValue(const std::string& value, bool plainReadsBack = true);

// A value as messages quote it: control bytes escaped, and a long value
// by its first 64 bytes and "...".
std::string Excerpt(std::string_view value);

struct BookValue {
    std::string text;
    bool quoted = false;
    int lineNumber = 0;
};

struct Book {
    std::string fileName;  // as given, for messages
    // Keyed by lower-case "section/key".
    std::map<std::string, BookValue> values;
    std::vector<std::string> warnings;
    // Structural mistakes (unknown sections and keys, keys given twice,
    // malformed lines), each with its line; building reports them together
    // with the mistakes of the values.
    std::vector<PackError> errors;
    bool hasMenuDefinition = false;
    std::vector<std::string> menuLines;  // copied verbatim after line 102
    // The line of the book file that gives each menu item's command, by the
    // item's name in upper case ("MENUX0_1"), for messages about it.
    std::map<std::string, int> menuCommandLines;

    const BookValue* Find(std::string_view section, std::string_view key) const;
};

// Parses a book description. Unknown sections and keys, keys given twice and
// malformed lines are recorded in `errors` with "file:line: ..." messages,
// and reading goes on with the next line: keys under an unknown section are
// skipped with it.
Book ParseBook(std::string_view text, const std::string& fileName);

// [book] pages = inside | beside: whether the pages travel inside the e-book
// (the default) or in their folders beside it. No configuration line.
constexpr const char* kPagesKey = "pages";

// The section headers that start the verbatim menu definition.
bool IsMenuDefinitionHeader(std::string_view trimmedLine);
// The header that starts a verbatim tail without being copied itself.
constexpr const char* kMenuDefinitionMarker = "[menu-definition]";

}  // namespace vc::pack
