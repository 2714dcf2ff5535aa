#include "book_keys.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

#include "book/configuration.h"
#include "common/errors.h"
#include "common/text.h"
#include "common/values.h"

namespace vc::pack {

namespace {

using F = Form;
using D = DefaultRule;

// Windows-1252 copyright sign: the about box keeps its own copyright text
// when line 97 holds exactly this character.
#define VC_COPYRIGHT_SIGN "\xA9"

const std::vector<KeyEntry> kTable = {
    {0, "book", "title", F::kText, D::kLiteral, "Untitled book",
     "Book title: task bar, window caption, gradient caption text"},
    {10, "book", "start-page", F::kPage, D::kLiteral, "",
     "Start page, relative to the book file; its folder travels in the e-book (or beside it: `[book] pages = beside`)"},
    {51, "book", "startup-command", F::kText, D::kLiteral, "",
     "Action command run once after start-up (may be empty)"},

    {5, "window", "width", F::kInteger, D::kLiteral, "800", "Window width in pixels"},
    {6, "window", "height", F::kInteger, D::kLiteral, "600", "Window height in pixels"},
    {3, "window", "state", F::kWindowState, D::kLiteral, "0",
     "normal (0) or maximised (1); a size at least the screen's maximises anyway"},
    {4, "window", "border", F::kBorder, D::kLiteral, "2",
     "single (0, fixed), none (1) or sizeable (2)"},
    {7, "window", "minimise-button", F::kBoolean, D::kLiteral, "1", "Minimise button in the title bar"},
    {8, "window", "maximise-button", F::kBoolean, D::kLiteral, "1", "Maximise button in the title bar"},
    {9, "window", "system-menu", F::kBoolean, D::kLiteral, "1",
     "System menu and close button in the title bar"},
    {21, "window", "status-bar", F::kBoolean, D::kLiteral, "1", "Status bar shown"},
    {50, "window", "menu-bar", F::kBoolean, D::kMenuPresent, "",
     "Menu bar built from the menu definition (default: yes when the book has one)"},

    {1, "caption", "gradient", F::kBoolean, D::kLiteral, "0", "Gradient title bar on"},
    {2, "caption", "start-colour", F::kColour, D::kLiteral, "clNavy", "Gradient start colour"},
    {20, "caption", "font", F::kFont, D::kLiteral, "",
     "Gradient caption font: name,size,colour,style words (Negrito Italico Sublinhada "
     "Atravessada); empty keeps the caption font"},

    {11, "toolbar", "shown", F::kBoolean, D::kLiteral, "1", "Toolbar shown"},
    {82, "toolbar", "home", F::kBoolean, D::kLiteral, "1", "Home button (and the separator after it) shown"},
    {89, "toolbar", "back", F::kBoolean, D::kLiteral, "1", "Back button shown"},
    {90, "toolbar", "forward", F::kBoolean, D::kLiteral, "1", "Forward button shown"},
    {83, "toolbar", "refresh", F::kBoolean, D::kLiteral, "1", "Refresh button shown"},
    {84, "toolbar", "stop", F::kBoolean, D::kLiteral, "1", "Stop button shown"},
    {85, "toolbar", "select-all", F::kBoolean, D::kLiteral, "1", "Select all button shown"},
    {86, "toolbar", "copy", F::kBoolean, D::kLiteral, "1", "Copy button shown"},
    {87, "toolbar", "print", F::kBoolean, D::kLiteral, "1", "Print button shown"},
    {88, "toolbar", "exit", F::kBoolean, D::kLiteral, "1", "Exit button shown"},
    {12, "toolbar", "about", F::kBoolean, D::kLiteral, "1", "About button (and the separator before it) shown"},
    {37, "toolbar", "home-hint", F::kText, D::kLiteral, "Home page", "Hint of the Home button"},
    {38, "toolbar", "back-hint", F::kText, D::kLiteral, "Back", "Hint of the Back button"},
    {39, "toolbar", "forward-hint", F::kText, D::kLiteral, "Forward", "Hint of the Forward button"},
    {40, "toolbar", "refresh-hint", F::kText, D::kLiteral, "Refresh", "Hint of the Refresh button"},
    {41, "toolbar", "stop-hint", F::kText, D::kLiteral, "Stop", "Hint of the Stop button"},
    {42, "toolbar", "select-all-hint", F::kText, D::kLiteral, "Select all", "Hint of the Select all button"},
    {43, "toolbar", "copy-hint", F::kText, D::kLiteral, "Copy selected text", "Hint of the Copy button"},
    {44, "toolbar", "print-hint", F::kText, D::kLiteral, "Print", "Hint of the Print button"},
    {45, "toolbar", "exit-hint", F::kText, D::kLiteral, "Exit", "Hint of the Exit button"},
    {46, "toolbar", "about-hint", F::kText, D::kLiteral, "About this book", "Hint of the About button"},
    {81, "toolbar", "home-page", F::kPage, D::kLiteral, "",
     "Separate page for the Home button, relative to the book file (empty: the start page)"},
    {80, "toolbar", "use-home-page", F::kBoolean, D::kHomePageGiven, "",
     "Home goes to home-page (default: yes when home-page is given)"},

    {92, "keys", "block-select-all", F::kBoolean, D::kLiteral, "0",
     "Ctrl+A swallowed; read only while the Select all button is hidden"},
    {93, "keys", "block-copy", F::kBoolean, D::kLiteral, "0",
     "Ctrl+C swallowed; read only while the Copy button is hidden"},
    {94, "keys", "block-print", F::kBoolean, D::kLiteral, "0",
     "Ctrl+P swallowed; read only while the Print button is hidden"},

    {13, "about", "caption", F::kText, D::kLiteral, "About", "About box: caption"},
    {14, "about", "name", F::kText, D::kTitle, "", "About box: application name (default: the title)"},
    {98, "about", "name-font-size", F::kInteger, D::kLiteral, "14",
     "About box: font size of the application name"},
    {15, "about", "version", F::kText, D::kLiteral, "1.0", "About box: version"},
    {16, "about", "description", F::kText, D::kLiteral, "An e-book made with Vellumcast.",
     "About box: description; each <!> starts a new line"},
    {17, "about", "link", F::kText, D::kLiteral, "", "About box: web link"},
    {18, "about", "e-mail", F::kText, D::kLiteral, "", "About box: e-mail address"},
    {97, "about", "copyright", F::kText, D::kLiteral, VC_COPYRIGHT_SIGN,
     "About box: copyright; the copyright sign alone (byte A9) keeps the about box's own text"},

    {22, "effect", "on", F::kBoolean, D::kLiteral, "0", "Opening effect played"},
    {23, "effect", "number", F::kEffect, D::kLiteral, "1",
     "Opening effect: its name or number 0 to 13 (AppearEllipse = 1)"},

    {32, "page", "print-dialog", F::kBoolean, D::kLiteral, "1",
     "Print shows the print dialog (no: prints at once)"},
    {36, "page", "block-context-menu", F::kBoolean, D::kLiteral, "0",
     "Right mouse button inside the page swallowed"},
    {33, "page", "body-border", F::kBoolean, D::kLiteral, "0", "Border around every page body"},
    {34, "page", "body-border-style", F::kCssWord, D::kLiteral, "solid", "Page body border style"},
    {35, "page", "body-border-colour", F::kHtmlColour, D::kLiteral, "#808080", "Page body border colour"},

    {24, "scrollbars", "coloured", F::kBoolean, D::kLiteral, "0",
     "Scrollbar colours applied to every page"},
    {25, "scrollbars", "face", F::kHtmlColour, D::kLiteral, "#D4D0C8", "Scrollbar face colour"},
    {26, "scrollbars", "highlight", F::kHtmlColour, D::kLiteral, "#FFFFFF", "Scrollbar highlight colour"},
    {27, "scrollbars", "3d-light", F::kHtmlColour, D::kLiteral, "#E8E6E0", "Scrollbar 3-D light colour"},
    {28, "scrollbars", "dark-shadow", F::kHtmlColour, D::kLiteral, "#404040", "Scrollbar dark shadow colour"},
    {29, "scrollbars", "shadow", F::kHtmlColour, D::kLiteral, "#808080", "Scrollbar shadow colour"},
    {30, "scrollbars", "arrow", F::kHtmlColour, D::kLiteral, "#000000", "Scrollbar arrow colour"},
    {31, "scrollbars", "track", F::kHtmlColour, D::kLiteral, "#EEEDE8", "Scrollbar track colour"},

    {49, "messages", "page-missing", F::kText, D::kLiteral,
     "The start page of this book was not found. Keep the book's pages folder beside the program.",
     "Message shown when the start page file is missing"},
    {100, "messages", "connection-missing", F::kText, D::kLiteral,
     "This book needs an Internet connection. Please connect and open it again.",
     "Message shown when a required Internet connection is missing"},

    {99, "connection", "required", F::kBoolean, D::kLiteral, "0",
     "An Internet connection is required at start"},

    {101, "skin", "on", F::kBoolean, D::kLiteral, "0", "Skin on"},
    {102, "skin", "number", F::kSkinNumber, D::kLiteral, "0", "Skin number, 0 to 15"},

    {19, "reserved", "line-19", F::kReserved, D::kLiteral, "", "Reserved"},
    {47, "reserved", "line-47", F::kReserved, D::kLiteral, "", "Reserved"},
    {48, "reserved", "line-48", F::kReserved, D::kLiteral, "", "Reserved"},
    {52, "reserved", "line-52", F::kReserved, D::kLiteral, "", "Reserved"},
    {53, "reserved", "line-53", F::kReserved, D::kLiteral, "", "Reserved"},
    {54, "reserved", "line-54", F::kReserved, D::kLiteral, "", "Reserved"},
    {55, "reserved", "line-55", F::kReserved, D::kLiteral, "", "Reserved"},
    {56, "reserved", "line-56", F::kReserved, D::kLiteral, "", "Reserved"},
    {57, "reserved", "line-57", F::kReserved, D::kLiteral, "", "Reserved"},
    {58, "reserved", "line-58", F::kReserved, D::kLiteral, "", "Reserved"},
    {59, "reserved", "line-59", F::kReserved, D::kLiteral, "", "Reserved"},
    {60, "reserved", "line-60", F::kReserved, D::kLiteral, "", "Reserved"},
    {61, "reserved", "line-61", F::kReserved, D::kLiteral, "", "Reserved"},
    {62, "reserved", "line-62", F::kReserved, D::kLiteral, "", "Reserved"},
    {63, "reserved", "line-63", F::kReserved, D::kLiteral, "", "Reserved"},
    {64, "reserved", "line-64", F::kReserved, D::kLiteral, "", "Reserved"},
    {65, "reserved", "line-65", F::kReserved, D::kLiteral, "", "Reserved"},
    {66, "reserved", "line-66", F::kReserved, D::kLiteral, "", "Reserved"},
    {67, "reserved", "line-67", F::kReserved, D::kLiteral, "", "Reserved"},
    {68, "reserved", "line-68", F::kReserved, D::kLiteral, "", "Reserved"},
    {69, "reserved", "line-69", F::kReserved, D::kLiteral, "", "Reserved"},
    {70, "reserved", "line-70", F::kReserved, D::kLiteral, "", "Reserved"},
    {71, "reserved", "line-71", F::kReserved, D::kLiteral, "", "Reserved"},
    {72, "reserved", "line-72", F::kReserved, D::kLiteral, "", "Reserved"},
    {73, "reserved", "line-73", F::kReserved, D::kLiteral, "", "Reserved"},
    {74, "reserved", "line-74", F::kReserved, D::kLiteral, "", "Reserved"},
    {75, "reserved", "line-75", F::kReserved, D::kLiteral, "", "Reserved"},
    {76, "reserved", "line-76", F::kReserved, D::kLiteral, "", "Reserved"},
    {77, "reserved", "line-77", F::kReserved, D::kLiteral, "", "Reserved"},
    {78, "reserved", "line-78", F::kReserved, D::kLiteral, "", "Reserved"},
    {79, "reserved", "line-79", F::kReserved, D::kLiteral, "", "Reserved"},
    {91, "reserved", "line-91", F::kReserved, D::kLiteral, "", "Reserved"},
    {95, "reserved", "line-95", F::kReserved, D::kLiteral, "", "Reserved"},
    {96, "reserved", "line-96", F::kReserved, D::kLiteral, "", "Reserved"},
};

// Opening effects by number, as the runtime's table numbers them.
constexpr const char* kEffects[] = {
    "DisappearEllipse",      "AppearEllipse",      "DisappearRectangle", "AppearRectangle",
    "DisappearHorizontally", "AppearHorizontally", "DisappearVertically", "AppearVertically",
    "DisappearTelevision",   "AppearTelevision",   "DisappearToTop",     "AppearToTop",
    "DisappearToBottom",     "AppearToBottom",
};

constexpr const char* kBorderStyles[] = {
    "none", "hidden", "dotted", "dashed", "solid", "double", "groove", "ridge", "inset", "outset",
};

struct Word {
    const char* word;
    const char* value;
};

std::string Choose(const std::string& value, std::initializer_list<Word> words) {
    for (const auto& w : words)
        if (SameText(value, w.word)) return w.value;
    std::string accepted;
    for (const auto& w : words) {
        if (!accepted.empty()) accepted += ", ";
        accepted += w.word;
    }
    throw EConvertError("'" + value + "' is not one of " + accepted);
}

}  // namespace

const std::vector<KeyEntry>& KeyTable() { return kTable; }

const std::vector<std::string>& BookSections() {
    static const std::vector<std::string> sections = [] {
        std::vector<std::string> result;
        for (const auto& entry : kTable)
            if (std::find(result.begin(), result.end(), entry.section) == result.end())
                result.emplace_back(entry.section);
        result.emplace_back("payload");
        result.emplace_back("search");
        return result;
    }();
    return sections;
}

namespace {

// Keys are looked up for every line of every book read, so the table is
// indexed once: by "section/key" in lower case, and by line.
std::string IndexName(std::string_view section, std::string_view key) {
    return LowerCase(section) + "/" + LowerCase(key);
}

}  // namespace

const KeyEntry* FindKey(std::string_view section, std::string_view key) {
    static const std::map<std::string, const KeyEntry*> index = [] {
        std::map<std::string, const KeyEntry*> result;
        for (const auto& entry : kTable) result.emplace(IndexName(entry.section, entry.key), &entry);
        return result;
    }();
    const auto found = index.find(IndexName(section, key));
    return found == index.end() ? nullptr : found->second;
}

const KeyEntry& EntryForLine(int line) {
    static const std::map<int, const KeyEntry*> index = [] {
        std::map<int, const KeyEntry*> result;
        for (const auto& entry : kTable) result.emplace(entry.line, &entry);
        return result;
    }();
    const auto found = index.find(line);
    if (found == index.end()) throw EListError(line);
    return *found->second;
}

std::string RecordedKey(const KeyEntry& entry) { return std::string(entry.key) + std::string(kRecordedSuffix); }

const char* FormName(Form form) {
    switch (form) {
        case F::kText: return "text";
        case F::kBoolean: return "boolean";
        case F::kInteger: return "integer";
        case F::kColour: return "colour";
        case F::kWindowState: return "window state";
        case F::kBorder: return "border";
        case F::kEffect: return "effect";
        case F::kFont: return "font";
        case F::kSkinNumber: return "skin number";
        case F::kPage: return "page";
        case F::kHtmlColour: return "HTML colour";
        case F::kCssWord: return "CSS word";
        case F::kReserved: return "reserved";
    }
    return "text";
}

std::vector<std::string> WordsOf(Form form) {
    switch (form) {
        case F::kBoolean: return {"yes", "no", "true", "false", "on", "off"};
        case F::kWindowState: return {"normal", "maximised"};
        case F::kBorder: return {"single", "none", "sizeable"};
        case F::kEffect: return {std::begin(kEffects), std::end(kEffects)};
        case F::kColour: return ColourNames();
        default: return {};
    }
}

int EffectByName(std::string_view name) {
    for (int i = 0; i < static_cast<int>(std::size(kEffects)); ++i)
        if (SameText(name, kEffects[i])) return i;
    return -1;
}

std::string TranslatePlain(const KeyEntry& entry, const std::string& value) {
    switch (entry.form) {
        case F::kBoolean:
            if (SameText(value, "yes") || SameText(value, "on")) return "1";
            if (SameText(value, "no") || SameText(value, "off")) return "0";
            return value;
        case F::kWindowState:
            return Choose(value, {{"normal", "0"}, {"maximised", "1"}, {"maximized", "1"},
                                         {"0", "0"}, {"1", "1"}});
        case F::kBorder:
            return Choose(value, {{"single", "0"}, {"none", "1"}, {"sizeable", "2"},
                                         {"sizable", "2"}, {"0", "0"}, {"1", "1"}, {"2", "2"}});
        case F::kEffect: {
            const int number = EffectByName(value);
            return number < 0 ? value : std::to_string(number);
        }
        default:
            return value;
    }
}

std::string CheckValue(const KeyEntry& entry, const std::string& value) {
    // The runtime cuts its text at a zero byte and its lines at CR and LF, so
    // either inside a value would lose or shift every line after it.
    if (value.find('\0') != std::string::npos)
        throw EConvertError("a zero byte ends the configuration text; the lines after it would be missing");
    if (value.find_first_of("\r\n") != std::string::npos)
        throw EConvertError("a line break inside a value would shift every configuration line after it");
    if (IsShownTextLine(entry.line) && value.size() > kMaxShownText)
        throw EConvertError(std::to_string(value.size()) + " bytes, more than the " + std::to_string(kMaxShownText) +
                            " a title, hint or caption may have");
    switch (entry.form) {
        case F::kBoolean:
            StrToBool(value);
            return {};
        case F::kInteger:
            StrToInt(value);
            return {};
        case F::kColour:
            StrToColour(value);
            return {};
        case F::kEffect: {
            const auto number = StrToInt(value);
            if (number < 0 || number >= static_cast<int>(std::size(kEffects)))
                return "effect " + value + " does not exist: no opening effect is played";
            return {};
        }
        case F::kSkinNumber: {
            const auto number = StrToInt(value);
            // A negative number makes the runtime's skin store raise its list
            // error at start-up; a number past the store loads nothing.
            if (number < 0) throw EConvertError("'" + value + "' is not a skin number (0 to 15)");
            if (number > 15) return "skin " + value + " does not exist: no skin is loaded";
            return {};
        }
        case F::kFont:
            // The runtime reads field 2 as an integer and field 3 as a colour
            // whenever the line is not empty.
            if (!value.empty()) {
                StrToInt(NthField(2, ",", value));
                StrToColour(NthField(3, ",", value));
            }
            return {};
        case F::kCssWord: {
            std::string rest = value;
            for (std::string::size_type at; !(rest = Trim(rest)).empty(); rest = rest.substr(at)) {
                at = rest.find(' ');
                if (at == std::string::npos) at = rest.size();
                const std::string word = rest.substr(0, at);
                if (std::none_of(std::begin(kBorderStyles), std::end(kBorderStyles),
                                 [&](const char* style) { return SameText(word, style); }))
                    throw EConvertError("'" + word + "' is not a border style (none, hidden, dotted, dashed, "
                                        "solid, double, groove, ridge, inset, outset)");
            }
            return {};
        }
        default:
            return {};
    }
}

std::string KeyTableMarkdown() {
    std::string out = "| Section | Key | Line | Form | Default | Meaning |\n|---|---|---|---|---|---|\n";
    for (const auto& entry : kTable) {
        std::string def;
        switch (entry.rule) {
            case D::kLiteral: def = entry.defaultValue; break;
            case D::kTitle: def = "the title"; break;
            case D::kMenuPresent: def = "yes with a menu definition, else no"; break;
            case D::kHomePageGiven: def = "yes when home-page is given, else no"; break;
        }
        if (entry.form == F::kBoolean && entry.rule == D::kLiteral) def = def == "1" ? "yes" : "no";
        if (!def.empty() && entry.rule == D::kLiteral) def = "`" + def + "`";
        if (entry.line == line::kStartPage) def = "(required)";
        // The guide is UTF-8; the payload holds the Windows-1252 byte.
        if (entry.line == line::kAboutCopyright) def = "`\xC2\xA9` (byte A9)";
        std::string key = std::string("`") + entry.key + "`";
        if (entry.form == F::kPage) key += "<br>`" + RecordedKey(entry) + "`";
        out += std::string("| ") + entry.section + " | " + key + " | " + std::to_string(entry.line) + " | " +
               FormName(entry.form) + " | " + (def.empty() ? "(empty)" : def) + " | " + entry.meaning +
               " |\n";
    }
    return out;
}

}  // namespace vc::pack
