#include "common/code_page_win.h"

#include <limits>

namespace vc {
namespace {

class AnsiCodePage : public CodePage {
public:
    std::optional<std::u16string> ToUtf16(std::string_view text) const override {
        if (text.empty()) return std::u16string();
        if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
        const int size = static_cast<int>(text.size());
        const int length = ::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
        if (length <= 0) return std::nullopt;
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        if (::MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(), length) != length)
            return std::nullopt;
        return std::u16string(wide.begin(), wide.end());
    }

    std::optional<std::string> FromUtf16(std::u16string_view text) const override {
        if (text.empty()) return std::string();
        if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
        const std::wstring wide(text.begin(), text.end());
        const int size = static_cast<int>(wide.size());
        // A UTF-8 system code page has no best fit and refuses the
        // replacement flag: unpaired surrogates are its only failures.
        const bool utf8 = ::GetACP() == CP_UTF8;
        const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
        BOOL replaced = FALSE;
        BOOL* replacedFlag = utf8 ? nullptr : &replaced;
        const int bytes = ::WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, replacedFlag);
        if (bytes <= 0 || replaced) return std::nullopt;
        std::string result(static_cast<std::size_t>(bytes), '\0');
        if (::WideCharToMultiByte(CP_ACP, flags, wide.data(), size, result.data(), bytes, nullptr, replacedFlag) !=
                bytes ||
            replaced)
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
