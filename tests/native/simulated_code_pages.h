#pragma once
// Code pages as the conversion seam would give them, for tests: a Western
// single-byte one, and a double-byte Japanese one with the characters whose
// second byte is 0x5C ("\") or an ASCII letter, and full-width look-alikes.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/code_page.h"

namespace vc::testing {

// ASCII, the euro sign at 0x80 and Latin-1 from 0xA0; the other bytes of
// 0x81-0x9F have no character.
class WesternCodePage : public CodePage {
public:
    std::optional<std::u16string> ToUtf16(std::string_view text) const override {
        std::u16string out;
        for (char c : text) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte == 0x80) out += u'\u20AC';
            else if (byte > 0x80 && byte < 0xA0) return std::nullopt;
            else out += static_cast<char16_t>(byte);
        }
        return out;
    }
    std::optional<std::string> FromUtf16(std::u16string_view text) const override {
        std::string out;
        for (char16_t c : text) {
            if (c == u'\u20AC') out += '\x80';
            else if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) out += static_cast<char>(c);
            else return std::nullopt;  // no best fit: U+FF0F is no "/"
        }
        return out;
    }
};

// ASCII, half-width katakana at 0xA1-0xDF, and a few double-byte characters.
class JapaneseCodePage : public CodePage {
public:
    std::optional<std::u16string> ToUtf16(std::string_view text) const override {
        std::u16string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte < 0x80) out += static_cast<char16_t>(byte);
            else if (byte >= 0xA1 && byte <= 0xDF) out += static_cast<char16_t>(0xFF61 + byte - 0xA1);
            else if (i + 1 < text.size() && Lookup(text.substr(i, 2))) out += *Lookup(text.substr(i++, 2));
            else return std::nullopt;
        }
        return out;
    }
    std::optional<std::string> FromUtf16(std::u16string_view text) const override {
        std::string out;
        for (char16_t c : text) {
            if (c < 0x80) { out += static_cast<char>(c); continue; }
            if (c >= 0xFF61 && c <= 0xFF9F) { out += static_cast<char>(c - 0xFF61 + 0xA1); continue; }
            bool found = false;
            for (const auto& [bytes, unit] : kTable)
                if (unit == c) { out += bytes; found = true; }
            if (!found) return std::nullopt;
        }
        return out;
    }

private:
    static std::optional<char16_t> Lookup(std::string_view bytes) {
        for (const auto& [pair, unit] : kTable)
            if (pair == bytes) return unit;
        return std::nullopt;
    }
    inline static const std::vector<std::pair<std::string, char16_t>> kTable = {
        {"\x83\x5C", u'\u30BD'},  // katakana SO: second byte "\"
        {"\x95\x5C", u'\u8868'},  // "table": second byte "\"
        {"\x83\x41", u'\u30A2'},  // katakana A: second byte "A"
        {"\x83\x61", u'\u30E3'},  // small katakana YA: second byte "a"
        {"\x81\x5F", u'\uFF3C'},  // full-width reverse solidus
        {"\x81\x5E", u'\uFF0F'},  // full-width solidus
        {"\x82\x60", u'\uFF21'},  // full-width A
        {"\x82\x81", u'\uFF41'},  // full-width a
    };
};

inline const CodePage& Western() {
    static const WesternCodePage codePage;
    return codePage;
}
inline const CodePage& Japanese() {
    static const JapaneseCodePage codePage;
    return codePage;
}

}  // namespace vc::testing
