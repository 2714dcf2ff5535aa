#include "book_file.h"

#include <algorithm>

#include "book_keys.h"
#include "common/text.h"

namespace vc::pack {

namespace {

constexpr const char* kMenuSections[] = {"GERAL", "MENU", "SUBMENUS", "ACOES"};

// The payload keys that are not configuration lines.
constexpr const char* kPayloadKeys[] = {"line-break", "final-line-break", "lines", "text"};

bool IsBlankByte(char c) { return static_cast<unsigned char>(c) <= 32; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

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
            throw PackError(Where(fileName, lineNumber) + "the quoted value has no closing quote");
        const char c = trimmed[i];
        if (c == '"') break;
        if (c != '\\') {
            value.text.push_back(c);
            continue;
        }
        if (++i >= trimmed.size())
            throw PackError(Where(fileName, lineNumber) + "the quoted value has no closing quote");
        const char e = trimmed[i];
        if (e == '\\' || e == '"') {
            value.text.push_back(e);
        } else if (e == 'x' && i + 2 < trimmed.size() && HexDigit(trimmed[i + 1]) >= 0 &&
                   HexDigit(trimmed[i + 2]) >= 0) {
            value.text.push_back(static_cast<char>(HexDigit(trimmed[i + 1]) * 16 + HexDigit(trimmed[i + 2])));
            i += 2;
        } else {
            throw PackError(Where(fileName, lineNumber) + "unknown escape \"\\" + std::string(1, e) +
                            "\" in a quoted value (use \\\\, \\\" or \\xHH)");
        }
    }
    if (i + 1 != trimmed.size())
        throw PackError(Where(fileName, lineNumber) + "text after the closing quote: \"" + trimmed.substr(i + 1) +
                        "\"");
    return value;
}

bool IsKnownSection(std::string_view name) {
    const auto& sections = BookSections();
    return std::any_of(sections.begin(), sections.end(), [&](const std::string& s) { return SameText(s, name); });
}

bool IsKnownKey(const std::string& section, const std::string& key) {
    if (SameText(section, "payload"))
        return std::any_of(std::begin(kPayloadKeys), std::end(kPayloadKeys),
                           [&](const char* k) { return SameText(k, key); });
    if (const KeyEntry* entry = FindKey(section, key)) return entry != nullptr;
    for (const auto& entry : KeyTable())
        if (entry.form == Form::kPage && SameText(section, entry.section) && SameText(key, RecordedKey(entry)))
            return true;
    return false;
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
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out = "\"";
    for (char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (byte < 32 || byte == 127) {
            out += "\\x";
            out.push_back(kHex[byte >> 4]);
            out.push_back(kHex[byte & 15]);
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
    return out;
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
    std::string section;
    int lineNumber = 0;
    for (const RawLine& raw : SplitRawLines(text)) {
        ++lineNumber;
        if (book.hasMenuDefinition) {
            book.menuLines.push_back(raw.text);
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
            continue;
        }
        if (line[0] == '[') {
            if (line.back() != ']') throw PackError(Where(fileName, lineNumber) + "a section header ends with \"]\"");
            section = LowerCase(Trim(line.substr(1, line.size() - 2)));
            if (!IsKnownSection(section)) {
                std::string known;
                for (const auto& s : BookSections()) known += (known.empty() ? "" : ", ") + ("[" + s + "]");
                throw PackError(Where(fileName, lineNumber) + "unknown section [" + section + "] (sections: " + known +
                                ", and the menu definition [GERAL], [MENU], [SUBMENUS], [ACOES])");
            }
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            throw PackError(Where(fileName, lineNumber) + "expected \"key = value\", found \"" + line + "\"");
        const std::string key = LowerCase(Trim(line.substr(0, equals)));
        if (section.empty())
            throw PackError(Where(fileName, lineNumber) + "key \"" + key + "\" comes before any section");
        if (!IsKnownKey(section, key))
            throw PackError(Where(fileName, lineNumber) + "unknown key \"" + key + "\" in section [" + section +
                            "] (see docs/authoring.md)");
        // The value is cut from the untrimmed line so that the quoted form
        // can keep blanks at its ends.
        const auto rawEquals = raw.text.find('=');
        BookValue value = ReadValue(std::string_view(raw.text).substr(rawEquals + 1), fileName, lineNumber);
        const std::string id = section + "/" + key;
        if (const auto it = book.values.find(id); it != book.values.end())
            throw PackError(Where(fileName, lineNumber) + "[" + section + "] " + key + " is given twice (first on line " +
                            std::to_string(it->second.lineNumber) + ")");
        book.values.emplace(id, std::move(value));
    }
    return book;
}

}  // namespace vc::pack
