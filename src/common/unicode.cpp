#include "common/unicode.h"

#include <cstdint>

namespace vc {

bool DecodeUtf8At(std::string_view text, std::size_t at, char32_t& c, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text[at]);
    length = 1;
    c = lead;
    if (lead < 0x80) return true;
    std::size_t extra = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) { extra = 1; c = lead & 0x1F; least = 0x80; }
    else if ((lead & 0xF0) == 0xE0) { extra = 2; c = lead & 0x0F; least = 0x800; }
    else if ((lead & 0xF8) == 0xF0) { extra = 3; c = lead & 0x07; least = 0x10000; }
    else return false;
    if (text.size() - at <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto next = static_cast<unsigned char>(text[at + k]);
        if ((next & 0xC0) != 0x80) return false;
        c = (c << 6) | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    length = extra + 1;
    return true;
}

std::optional<std::u32string> DecodeUtf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0, length = 0; i < text.size(); i += length) {
        char32_t c;
        if (!DecodeUtf8At(text, i, c, length)) return std::nullopt;
        out.push_back(c);
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0, length = 0; i < text.size(); i += length) {
        char32_t c;
        if (!DecodeUtf8At(text, i, c, length)) c = 0xFFFD;
        if (c < 0x10000) {
            out.push_back(static_cast<char16_t>(c));
        } else {
            out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        AppendUtf8(out, c);  // an unpaired surrogate becomes U+FFFD
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string out;
    for (char32_t c : text) AppendUtf8(out, c);
    return out;
}

char32_t UpperCaseOrdinal(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 0x20;
    if (c < 0xE0) return c;
    // Latin-1: à..þ except the division sign; ÿ has its capital in Extended-A.
    if (c <= 0xFE) return c == 0xF7 ? c : c - 0x20;
    if (c == 0xFF) return 0x178;
    // Latin Extended-A: capital and small letters alternate, the capital
    // even from U+0100 to U+0137 and from U+014A to U+0177, odd in between.
    if (c == 0x131) return c;  // the dotless i keeps its own letter
    if (c >= 0x100 && c <= 0x137) return c & ~char32_t{1};
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? c : c - 1;
    if (c >= 0x14A && c <= 0x177) return c & ~char32_t{1};
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c : c - 1;
    // Greek and Cyrillic small letters sit at a fixed distance from capitals.
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 0x20;
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    if (c >= 0x460 && c <= 0x481) return c & ~char32_t{1};
    if (c >= 0x48A && c <= 0x4BF) return c & ~char32_t{1};
    if (c >= 0x561 && c <= 0x586) return c - 0x30;
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
    return c;
}

namespace {

template <typename Text>
bool SameLetters(Text a, Text b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperCaseOrdinal(a[i]) != UpperCaseOrdinal(b[i])) return false;
    return true;
}

}  // namespace

bool SameTextOrdinal(std::u32string_view a, std::u32string_view b) { return SameLetters(a, b); }
bool SameTextOrdinal(std::u16string_view a, std::u16string_view b) { return SameLetters(a, b); }

}  // namespace vc
