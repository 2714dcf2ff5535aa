#include "book_file.h"

#include <algorithm>

#include "book/configuration.h"
#include "book_keys.h"
#include "common/text.h"
#include "common/values.h"
#include "suggest.h"

namespace vc::pack {

namespace {

constexpr const char* kMenuSections[] = {"GERAL", "MENU", "SUBMENUS", "ACOES"};

// The payload keys that are not configuration lines.
constexpr const char* kPayloadKeys[] = {"line-break", "final-line-break", "lines", "text"};
constexpr const char* kSearchKeys[] = {"on", "encoding", "button", "hint"};

bool IsBlankByte(char c) { return static_cast<unsigned char>(c) <= 32; }

std::string Where(const std::string& fileName, int lineNumber) {
    return fileName + ":" + std::to_string(lineNumber) + ": ";
}

// The text after "=", trimmed; quoted values decoded.
BookValue ReadValue(std::string_view raw, const std::string& fileName, int lineNumber) {
    BookValue value;
    value.lineNumber = lineNumber;
    const std::string trimmed = Trim(raw);
    if (trimmed.empty() || trimmed[0] != '"') {
        value.text = trimmed;
        return value;
    }
    value.quoted = true;
    std::size_t i = 1;
    for (;; ++i) {
        if (i >= trimmed.size())
            throw PackError(Where(fileName, lineNumber) + "the quoted value has no closing quote", lineNumber);
        const char c = trimmed[i];
        if (c == '"') break;
        if (c != '\\') {
            value.text.push_back(c);
            continue;
        }
        if (++i >= trimmed.size())
            throw PackError(Where(fileName, lineNumber) + "the quoted value has no closing quote", lineNumber);
        const char e = trimmed[i];
        if (e == '\\' || e == '"') {
            value.text.push_back(e);
        } else if (const auto byte = e == 'x' && i + 2 < trimmed.size()
                                         ? ReadDigits(std::string_view(trimmed).substr(i + 1, 2), 16, 0xFF)
                                         : std::nullopt) {
            value.text.push_back(static_cast<char>(*byte));
            i += 2;
        } else {
            throw PackError(Where(fileName, lineNumber) + "unknown escape \"\\" + EscapeText(std::string(1, e), false) +
                            "\" in a quoted value (use \\\\, \\\" or \\xHH)",
                            lineNumber);
        }
    }
    if (i + 1 != trimmed.size())
        throw PackError(Where(fileName, lineNumber) + "text after the closing quote: \"" +
                            EscapeText(trimmed.substr(i + 1), false) + "\"",
                        lineNumber);
    return value;
}

bool IsKnownSection(std::string_view name) {
    if (SameText(name, "menus")) return true;
    const auto& sections = BookSections();
    return std::any_of(sections.begin(), sections.end(), [&](const std::string& s) { return SameText(s, name); });
}

bool IsKnownKey(const std::string& section, const std::string& key) {
    if (SameText(section, "payload"))
        return std::any_of(std::begin(kPayloadKeys), std::end(kPayloadKeys),
                           [&](const char* k) { return SameText(k, key); });
    if (SameText(section, "search"))
        return std::any_of(std::begin(kSearchKeys), std::end(kSearchKeys),
                           [&](const char* k) { return SameText(k, key); });
    if (FindKey(section, key)) return true;
    if (SameText(section, "book") && SameText(key, kPagesKey)) return true;
    // A page's recorded form: its key with the recorded suffix.
    const std::string_view name(key);
    const std::size_t suffix = kRecordedSuffix.size();
    if (name.size() <= suffix || !SameText(name.substr(name.size() - suffix), kRecordedSuffix)) return false;
    const KeyEntry* page = FindKey(section, name.substr(0, name.size() - suffix));
    return page && page->form == Form::kPage;
}

std::vector<std::string> KnownSections() {
    std::vector<std::string> names = BookSections();
    names.emplace_back("menus");
    return names;
}

std::vector<std::string> KnownKeys(const std::string& section) {
    std::vector<std::string> names;
    if (SameText(section, "payload")) return {std::begin(kPayloadKeys), std::end(kPayloadKeys)};
    for (const auto& entry : KeyTable())
        if (SameText(entry.section, section)) {
            names.emplace_back(entry.key);
            if (entry.form == Form::kPage) names.push_back(RecordedKey(entry));
        }
    return names;
}

// The friendlier menu syntax of section [menus]: one line per menu, item or
// sub-item, "Menu > Item > Sub-item = command", in the order they appear.
struct MenuNode {
    std::string caption;
    std::string command;
    std::vector<MenuNode> children;
    int commandLine = 0;
};

class MenuBuilder {
public:
    void Add(const std::string& line, const std::string& fileName, int lineNumber) {
        const auto equals = line.find('=');
        const std::string path = Trim(line.substr(0, equals));
        std::string command;
        if (equals != std::string::npos) command = ReadValue(line.substr(equals + 1), fileName, lineNumber).text;
        std::vector<std::string> captions;
        for (std::string::size_type start = 0;;) {
            const auto at = path.find('>', start);
            captions.push_back(Trim(path.substr(start, at == std::string::npos ? std::string::npos : at - start)));
            if (at == std::string::npos) break;
            start = at + 1;
        }
        const std::string where = fileName + ":" + std::to_string(lineNumber) + ": [menus] \"" + Excerpt(path) + "\": ";
        if (captions.size() > 3) throw PackError(where + "menus go two levels deep at most (Menu > Item > Sub-item)", lineNumber);
        for (const auto& caption : captions) {
            if (caption.empty()) throw PackError(where + "a caption is empty", lineNumber);
            if (caption.size() > kMaxShownText)
                throw PackError(where + "a caption of " + std::to_string(caption.size()) + " bytes, more than the " +
                                    std::to_string(kMaxShownText) + " a menu caption may have",
                                lineNumber);
            if (caption.find("-@-") != std::string::npos)
                throw PackError(where + "a caption cannot hold \"-@-\", the separator of the menu lists", lineNumber);
        }
        if (captions.size() == 1 && !command.empty())
            throw PackError(where + "a top-level menu runs no command; give it items", lineNumber);
        std::vector<MenuNode>* level = &menus_;
        MenuNode* node = nullptr;
        for (const auto& caption : captions) {
            auto it = std::find_if(level->begin(), level->end(), [&](const MenuNode& n) { return n.caption == caption; });
            if (it == level->end()) it = level->insert(level->end(), MenuNode{caption, {}, {}, 0});
            node = &*it;
            level = &node->children;
        }
        if (!command.empty()) {
            if (!node->command.empty()) throw PackError(where + "this item has a command already", lineNumber);
            node->command = command;
            node->commandLine = lineNumber;
        }
    }

    bool Empty() const { return menus_.empty(); }

    // The four sections the runtime reads the menu from; the book line of
    // each item's command goes into `commandLines` by the item's name.
    std::vector<std::string> Lines(std::map<std::string, int>& commandLines) const {
        std::vector<std::string> geral = {"[GERAL]"}, menu = {"[MENU]"}, submenus = {"[SUBMENUS]"}, acoes = {"[ACOES]"};
        for (std::size_t i = 0; i < menus_.size(); ++i) {
            const std::string m = std::to_string(i);
            geral.push_back("MENU_" + m + "=" + menus_[i].caption);
            if (!menus_[i].children.empty()) menu.push_back("ITENS_" + m + "=" + Captions(menus_[i].children));
            for (std::size_t j = 0; j < menus_[i].children.size(); ++j) {
                const MenuNode& item = menus_[i].children[j];
                const std::string mj = m + "_" + std::to_string(j);
                if (!item.children.empty())
                    submenus.push_back("ITENS-|" + m + "." + std::to_string(j) + "|=" + Captions(item.children));
                const auto addCommand = [&](const std::string& name, const MenuNode& node) {
                    if (node.command.empty()) return;
                    acoes.push_back(name + "=" + node.command);
                    commandLines[UpperCase(name)] = node.commandLine;
                };
                addCommand("MENUx" + mj, item);
                for (std::size_t k = 0; k < item.children.size(); ++k)
                    addCommand("MENUx" + mj + "_" + std::to_string(k), item.children[k]);
            }
        }
        std::vector<std::string> lines;
        for (const auto* part : {&geral, &menu, &submenus, &acoes}) lines.insert(lines.end(), part->begin(), part->end());
        return lines;
    }

private:
    static std::string Captions(const std::vector<MenuNode>& nodes) {
        std::string joined;
        for (const auto& node : nodes) joined += (joined.empty() ? "" : "-@-") + node.caption;
        return joined;
    }

    std::vector<MenuNode> menus_;
};

// Follows the sections of a verbatim menu definition and notes the line of
// each "name=command" of [ACOES].
void NoteMenuCommandLine(const std::string& line, int lineNumber, bool& inActions,
                         std::map<std::string, int>& commandLines) {
    if (!line.empty() && line.front() == '[') {
        inActions = IsMenuDefinitionHeader(line) && SameText(Trim(line.substr(1, line.size() - 2)), "ACOES");
        return;
    }
    const auto equals = line.find('=');
    if (inActions && equals != std::string::npos)
        commandLines.emplace(UpperCase(Trim(line.substr(0, equals))), lineNumber);
}

}  // namespace

std::vector<RawLine> SplitRawLines(std::string_view text) {
    std::vector<RawLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back({std::string(text.substr(start)), std::string()});
            break;
        }
        const std::size_t breakLength = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1;
        lines.push_back({std::string(text.substr(start, end - start)), std::string(text.substr(end, breakLength))});
        start = end + breakLength;
    }
    return lines;
}

std::string FormatValue(const std::string& value, bool plainReadsBack) {
    const bool needsQuotes =
        !plainReadsBack || (!value.empty() && (IsBlankByte(value.front()) || IsBlankByte(value.back()) ||
                                               value.front() == '"')) ||
        std::any_of(value.begin(), value.end(), [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; });
    if (!needsQuotes) return value;
    return "\"" + EscapeText(value, true) + "\"";
}

std::string Excerpt(std::string_view value) {
    constexpr std::size_t kShownBytes = 64;
    if (value.size() <= kShownBytes) return EscapeText(value);
    return EscapeText(value.substr(0, kShownBytes)) + "...";
}

bool IsMenuDefinitionHeader(std::string_view trimmedLine) {
    if (trimmedLine.size() < 2 || trimmedLine.front() != '[' || trimmedLine.back() != ']') return false;
    const std::string name = Trim(trimmedLine.substr(1, trimmedLine.size() - 2));
    return std::any_of(std::begin(kMenuSections), std::end(kMenuSections),
                       [&](const char* s) { return SameText(s, name); });
}

const BookValue* Book::Find(std::string_view section, std::string_view key) const {
    const auto it = values.find(LowerCase(section) + "/" + LowerCase(key));
    return it == values.end() ? nullptr : &it->second;
}

Book ParseBook(std::string_view text, const std::string& fileName) {
    Book book;
    book.fileName = fileName;
    // Editors that save UTF-8 may start the file with a byte order mark. The
    // runtime shows 8-bit text in the reader's code page, not UTF-8.
    constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
    if (text.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
        text.remove_prefix(kUtf8Mark.size());
        if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
            book.warnings.push_back(fileName +
                                    ": warning: the file is saved as UTF-8, so its accented letters will show "
                                    "wrongly; save it in the Windows code page (Windows-1252)");
    }
    std::string section;
    bool sectionKnown = false;
    int lineNumber = 0;
    int menusLine = 0;
    MenuBuilder menus;
    const auto fail = [&](const std::string& message) {
        book.errors.emplace_back(Where(fileName, lineNumber) + message, lineNumber);
    };
    bool inActions = false;  // inside [ACOES] of a verbatim menu definition
    for (const RawLine& raw : SplitRawLines(text)) {
        ++lineNumber;
        if (book.hasMenuDefinition) {
            book.menuLines.push_back(raw.text);
            NoteMenuCommandLine(Trim(raw.text), lineNumber, inActions, book.menuCommandLines);
            continue;
        }
        const std::string line = Trim(raw.text);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (SameText(line, kMenuDefinitionMarker)) {
            book.hasMenuDefinition = true;
            continue;
        }
        if (IsMenuDefinitionHeader(line)) {
            book.hasMenuDefinition = true;
            book.menuLines.push_back(raw.text);
            NoteMenuCommandLine(line, lineNumber, inActions, book.menuCommandLines);
            continue;
        }
        if (line[0] == '[') {
            // Until a good header comes, the keys below a bad one belong to
            // no section and are skipped without a message of their own.
            sectionKnown = false;
            if (line.back() != ']') {
                fail("a section header ends with \"]\"");
                continue;
            }
            section = LowerCase(Trim(line.substr(1, line.size() - 2)));
            if (!IsKnownSection(section)) {
                std::string known;
                for (const auto& s : BookSections()) known += (known.empty() ? "" : ", ") + ("[" + s + "]");
                const std::string suggestion = DidYouMean(section, KnownSections());
                fail("unknown section [" + EscapeText(section) + "]" +
                     (suggestion.empty() ? " (sections: " + known +
                                               ", [menus], and the menu definition [GERAL], [MENU], [SUBMENUS], [ACOES])"
                                         : suggestion));
                continue;
            }
            sectionKnown = true;
            continue;
        }
        if (!section.empty() && !sectionKnown) continue;
        try {
            if (section == "menus") {
                menus.Add(raw.text, fileName, lineNumber);
                if (menusLine == 0) menusLine = lineNumber;
                continue;
            }
            const auto equals = line.find('=');
            if (equals == std::string::npos) {
                fail("expected \"key = value\", found \"" + EscapeText(line, false) + "\"");
                continue;
            }
            const std::string key = LowerCase(Trim(line.substr(0, equals)));
            if (section.empty()) {
                fail("key \"" + EscapeText(key, false) + "\" comes before any section");
                continue;
            }
            if (!IsKnownKey(section, key)) {
                const std::string suggestion = DidYouMean(key, KnownKeys(section));
                fail("unknown key \"" + EscapeText(key, false) + "\" in section [" + section + "]" +
                     (suggestion.empty() ? " (see docs/authoring.md)" : suggestion));
                continue;
            }
            // The value is cut from the untrimmed line so that the quoted form
            // can keep blanks at its ends.
            const auto rawEquals = raw.text.find('=');
            BookValue value = ReadValue(std::string_view(raw.text).substr(rawEquals + 1), fileName, lineNumber);
            const std::string id = section + "/" + key;
            if (const auto it = book.values.find(id); it != book.values.end()) {
                fail("[" + section + "] " + key + " is given twice (first on line " +
                     std::to_string(it->second.lineNumber) + ")");
                continue;
            }
            book.values.emplace(id, std::move(value));
        } catch (const PackError& e) {
            book.errors.push_back(e);
        }
    }
    if (!menus.Empty()) {
        if (book.hasMenuDefinition)
            book.errors.emplace_back(Where(fileName, menusLine) +
                                         "the menu is given twice: in [menus] and as a verbatim menu definition",
                                     menusLine);
        book.hasMenuDefinition = true;
        book.menuLines = menus.Lines(book.menuCommandLines);
    }
    return book;
}

}  // namespace vc::pack
