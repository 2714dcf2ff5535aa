#include "common/code_page_win.h"

#include <limits>

namespace vc {
namespace {

// wchar_t is UTF-16 on Windows: the conversions write straight into the
// char16_t strings.
class AnsiCodePage : public CodePage {
public:
    std::optional<std::u16string> ToUtf16(std::string_view text) const override {
        std::u16string wide;
        if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
        const int size = static_cast<int>(text.size());
        const int length = size ? ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0) : 0;
        if (size && length <= 0) return std::nullopt;
        wide.resize(static_cast<std::size_t>(length));
        if (size && ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size,
                                          reinterpret_cast<wchar_t*>(wide.data()), length) != length)
            return std::nullopt;
        return wide;
    }

    std::optional<std::string> FromUtf16(std::u16string_view text) const override {
        std::string result;
        if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
        const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
        const int size = static_cast<int>(text.size());
        // A UTF-8 system code page has no best fit and refuses the
        // replacement flag: unpaired surrogates are its only failures.
        const bool utf8 = ::GetACP() == CP_UTF8;
        const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
        BOOL replaced = FALSE;
        BOOL* replacedFlag = utf8 ? nullptr : &replaced;
        const int bytes = size ? ::WideCharToMultiByte(CP_ACP, flags, wide, size, nullptr, 0, nullptr, replacedFlag) : 0;
        if ((size && bytes <= 0) || replaced) return std::nullopt;
        result.resize(static_cast<std::size_t>(bytes));
        if (size && (::WideCharToMultiByte(CP_ACP, flags, wide, size, result.data(), bytes, nullptr, replacedFlag) !=
                         bytes ||
                     replaced))
            return std::nullopt;
        return result;
    }
};

}  // namespace

const CodePage& SystemCodePage() {
    static const AnsiCodePage codePage;
    return codePage;
}

}  // namespace vc
