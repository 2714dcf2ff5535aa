#include "common/text.h"

namespace vc {

namespace {

char ToUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
char ToLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

StringList SplitLines(std::string_view text) {
    const auto zero = text.find('\0');
    if (zero != std::string_view::npos) text = text.substr(0, zero);
    StringList lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        if (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

StringList SplitList(std::string_view text, std::string_view separator) {
    StringList pieces;
    if (separator.empty()) {
        if (!text.empty()) pieces.emplace_back(text);
        return pieces;
    }
    std::string::size_type start = 0;
    for (auto at = text.find(separator); at != std::string_view::npos; at = text.find(separator, start)) {
        pieces.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
    if (start < text.size()) pieces.emplace_back(text.substr(start));
    return pieces;
}

std::string NthField(int n, std::string_view separator, std::string_view text) {
    std::string joined;
    if (separator.empty()) {
        joined = text;
    } else {
        joined.reserve(text.size());
        std::string::size_type start = 0;
        for (auto at = FindText(text, separator); at != std::string::npos;) {
            joined.append(text.substr(start, at - start));
            joined.push_back('\n');
            start = at + separator.size();
            const auto next = FindText(text.substr(start), separator);
            at = next == std::string::npos ? next : start + next;
        }
        joined.append(text.substr(start));
    }
    const StringList lines = SplitLines(joined);
    if (n < 1 || static_cast<std::size_t>(n) > lines.size()) return std::string();
    return lines[static_cast<std::size_t>(n) - 1];
}

std::string UpperCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = ToUpper(c);
    return result;
}

std::string LowerCase(std::string_view text) {
    std::string result(text);
    for (char& c : result) c = ToLower(c);
    return result;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (ToUpper(a[i]) != ToUpper(b[i])) return false;
    return true;
}

std::string::size_type FindText(std::string_view haystack, std::string_view needle) {
    if (needle.empty() || needle.size() > haystack.size()) return std::string::npos;
    for (std::size_t i = 0; i + needle.size() <= haystack.size(); ++i)
        if (SameText(haystack.substr(i, needle.size()), needle)) return i;
    return std::string::npos;
}

std::string Trim(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return std::string(text.substr(first, last - first));
}

std::string ExtractFileName(std::string_view path) {
    const auto at = path.find_last_of("\\:");
    return std::string(at == std::string_view::npos ? path : path.substr(at + 1));
}

std::string ExtractFilePath(std::string_view path) {
    const auto at = path.find_last_of("\\:");
    return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at + 1));
}

std::string WithTrailingBackslash(std::string_view path) {
    std::string result(path);
    if (result.empty() || result.back() != '\\') result.push_back('\\');
    return result;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return std::string(text);
    std::string result;
    std::string::size_type start = 0;
    for (auto at = text.find(from); at != std::string_view::npos; at = text.find(from, start)) {
        result.append(text.substr(start, at - start));
        result.append(to);
        start = at + from.size();
    }
    result.append(text.substr(start));
    return result;
}

std::string EscapeText(std::string_view text, bool quotesAndBackslashes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (quotesAndBackslashes && (c == '"' || c == '\\')) {
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
    return out;
}

}  // namespace vc
