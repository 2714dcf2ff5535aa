#pragma once
// Code pages as the conversion seam gives them, for tests: a Western one
// (ASCII and Latin-1, 0x80-0x9F without characters) and a Japanese
// double-byte one with a few characters whose second byte is "\" or an ASCII
// letter, and full-width look-alikes. Neither has a best fit.
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/code_page.h"

namespace vc::testing {

class TableCodePage : public CodePage {
public:
    // `pairs`: the double-byte characters; `singleLimit`: bytes below it are their own code point.
    TableCodePage(std::u16string pairs, std::string bytes, unsigned singleLimit)
        : pairs_(std::move(pairs)), bytes_(std::move(bytes)), singleLimit_(singleLimit) {}

    std::optional<std::u16string> ToUtf16(std::string_view text) const override {
        std::u16string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            std::size_t at = std::string::npos;
            for (std::size_t k = 0; i + 1 < text.size() && k < pairs_.size() && at == std::string::npos; ++k)
                if (bytes_.compare(2 * k, 2, text.substr(i, 2)) == 0) at = k;
            if (byte < singleLimit_ && (byte < 0x80 || byte >= 0xA0)) out += static_cast<char16_t>(byte);
            else if (at != std::string::npos) out += pairs_[at], ++i;
            else return std::nullopt;
        }
        return out;
    }
    std::optional<std::string> FromUtf16(std::u16string_view text) const override {
        std::string out;
        for (char16_t c : text) {
            const auto at = pairs_.find(c);
            if (c < singleLimit_ && (c < 0x80 || c >= 0xA0)) out += static_cast<char>(c);
            else if (at != std::u16string::npos) out += bytes_.substr(2 * at, 2);
            else return std::nullopt;  // no look-alike: U+FF0F is no "/"
        }
        return out;
    }

private:
    std::u16string pairs_;
    std::string bytes_;
    unsigned singleLimit_;
};

inline const CodePage& Western() {
    static const TableCodePage codePage(u"", "", 0x100);
    return codePage;
}
// katakana SO and "table" (second byte "\"), katakana A and small YA (second bytes "A" and "a"),
// full-width "\", "/", "A" and "a".
inline const CodePage& Japanese() {
    static const TableCodePage codePage(u"\u30BD\u8868\u30A2\u30E3\uFF3C\uFF0F\uFF21\uFF41",
                                        "\x83\x5C\x95\x5C\x83\x41\x83\x61\x81\x5F\x81\x5E\x82\x60\x82\x81", 0x80);
    return codePage;
}

}  // namespace vc::testing
