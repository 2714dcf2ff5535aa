#pragma once
// Unicode text as the file system reads names: UTF-8 decoded strictly, and
// letters compared as Windows compares file names, by a simple one-to-one
// upper-case mapping of each code point (no locale, no expansion).
#include <optional>
#include <string>
#include <string_view>

namespace vc {

// The code points of well-formed UTF-8; nothing for an overlong form, a
// surrogate, a code point past U+10FFFF or a cut sequence.
std::optional<std::u32string> DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);

// One code point of UTF-8 at text[at] (at < text.size()) into c, and its
// length in bytes; false, with a length of 1, for a byte that does not start
// a well-formed sequence, so that a scan always moves on.
bool DecodeUtf8At(std::string_view text, std::size_t at, char32_t& c, std::size_t& length);
// Appends a code point; a surrogate or a value past U+10FFFF becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t c);

// Text for the wide controls and back. A byte that starts no well-formed
// sequence, or an unpaired surrogate, becomes U+FFFD: what is shown or typed
// is never refused.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// The upper-case letter of a code point where the file system has one
// (Latin, Greek, Cyrillic and Armenian letters, the full-width Latin letters
// of the East Asian code pages); every other code point is its own.
char32_t UpperCaseOrdinal(char32_t c);

// Two texts equal letter for letter after UpperCaseOrdinal.
bool SameTextOrdinal(std::u32string_view a, std::u32string_view b);
// The same over UTF-16 code units, as the file system compares names: each
// unit folded on its own, surrogates left as they are.
bool SameTextOrdinal(std::u16string_view a, std::u16string_view b);

}  // namespace vc
