#pragma once
// UTF-8, the encoding of every text the search index holds.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vc::search {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The character at text[at] and how many bytes it takes. A byte that does not
// start a well-formed sequence (overlong, surrogate, past U+10FFFF, cut off)
// reads as U+FFFD one byte long, so that scanning always moves on.
inline char32_t DecodeUtf8(std::string_view text, std::size_t at, std::size_t& length) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    length = 1;
    if (lead < 0x80) return lead;
    std::size_t count;
    char32_t value, minimum;
    if (lead >= 0xC2 && lead <= 0xDF) { count = 2; value = lead & 0x1F; minimum = 0x80; }
    else if (lead >= 0xE0 && lead <= 0xEF) { count = 3; value = lead & 0x0F; minimum = 0x800; }
    else if (lead >= 0xF0 && lead <= 0xF4) { count = 4; value = lead & 0x07; minimum = 0x10000; }
    else return kReplacementCharacter;
    if (text.size() - at < count) return kReplacementCharacter;
    for (std::size_t i = 1; i < count; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return kReplacementCharacter;
        value = (value << 6) | (byte(i) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return kReplacementCharacter;
    length = count;
    return value;
}

inline void AppendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacementCharacter;
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

}  // namespace vc::search
