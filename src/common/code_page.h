#pragma once
// The system code page as the file system reads it: 8-bit text turned into
// UTF-16 and back, strictly. Names are compared, and separators found, only
// in UTF-16, so that the second byte of a double-byte character is never
// read as a letter or a backslash.
#include <optional>
#include <string>
#include <string_view>

namespace vc {

class CodePage {
public:
    virtual ~CodePage() = default;
    // Nothing when a byte sequence has no character of the code page.
    virtual std::optional<std::u16string> ToUtf16(std::string_view text) const = 0;
    // Nothing when a character has no exact equivalent in the code page: no
    // look-alike stands in for it and no default character replaces it.
    virtual std::optional<std::string> FromUtf16(std::u16string_view text) const = 0;
};

// An address the browser reported, in the code page; empty when it does not
// convert exactly. An empty address is never a page of the book.
std::string AddressFromBrowser(std::u16string_view address, const CodePage& codePage);

}  // namespace vc
