#pragma once
// The one table that ties each configuration line of an e-book to its key in
// the book description: section, key name, form, default and meaning. Build,
// inspect, extract and the authoring guide all follow it.
#include <string>
#include <string_view>
#include <vector>

namespace vc::pack {

// How a value is written in the book file and read by the runtime.
enum class Form {
    kText,        // any text, unchanged
    kBoolean,     // yes/no, true/false, 1/0 (runtime: a number or True/False)
    kInteger,     // signed decimal integer
    kColour,      // colour name (clNavy...) or integer ($FF8000, 0x..., decimal)
    kWindowState, // normal | maximised, or 0 | 1
    kBorder,      // single | none | sizeable, or 0 | 1 | 2
    kEffect,      // an effect name (AppearEllipse...) or its number 0 to 13
    kFont,        // name,size,colour,style words; empty keeps the caption font
    kSkinNumber,  // 0 to 15
    kPage,        // a page file relative to the book file (see RecordedKey)
    kHtmlColour,  // handed to the page's style object unchanged (#RRGGBB, names)
    kCssWord,     // a CSS border-style word, handed over unchanged
    kReserved,    // never read by the runtime; written empty unless given
};

// Where a default comes from when the book does not give the key.
enum class DefaultRule {
    kLiteral,        // the entry's default text
    kTitle,          // the book's title (line 0)
    kMenuPresent,    // "1" when the book carries a menu definition, else "0"
    kHomePageGiven,  // "1" when a separate home page is given, else "0"
};

struct KeyEntry {
    int line;
    const char* section;
    const char* key;
    Form form;
    DefaultRule rule;
    const char* defaultValue;
    const char* meaning;
};

// Every configuration line 0 to 102 exactly once, grouped by section in the
// order the book description presents them.
const std::vector<KeyEntry>& KeyTable();

// The sections of the book description, in table order, plus "payload" and
// "search", which the tool reads itself.
const std::vector<std::string>& BookSections();

const KeyEntry* FindKey(std::string_view section, std::string_view key);
const KeyEntry& EntryForLine(int line);

// A page key (form kPage) has a second key, "<key>-recorded", holding the
// full path exactly as written into the configuration line.
inline constexpr std::string_view kRecordedSuffix = "-recorded";
std::string RecordedKey(const KeyEntry& entry);

// Display name of a form, as the authoring guide uses it.
const char* FormName(Form form);

// The value a plain (unquoted) book value stands for: yes/no become 1/0,
// words of the state, border and effect forms become their numbers. Raises
// EConvertError with a message naming the accepted words when a plain value
// of an enumerated form is not one of them.
std::string TranslatePlain(const KeyEntry& entry, const std::string& value);

// Checks a configuration value with the runtime's own readers; raises
// EConvertError with the runtime's message when the runtime would fail on it,
// and for zero bytes and line breaks, which would lose or shift later lines.
// Returns a warning text (or empty) for values that read but do nothing.
std::string CheckValue(const KeyEntry& entry, const std::string& value);

// The words a value of an enumerated form may be (booleans, window states,
// borders, effects in number order, colour names), for suggestions; empty
// for the other forms.
std::vector<std::string> WordsOf(Form form);

// The number of the opening effect of a name (AppearEllipse...), if any.
int EffectByName(std::string_view name);

// The key table as a Markdown table, for the authoring guide.
std::string KeyTableMarkdown();

}  // namespace vc::pack
