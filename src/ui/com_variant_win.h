#pragma once
// Owners for automation strings and variants, and the conversions between
// them and the runtime's 8-bit text. Texts cross in the system code page
// (CP_ACP), both ways, like every other text of the runtime.
#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <string>
#include <vector>

namespace vc::ui {

// Wide text for the W functions, always ending in a null character. Not
// std::wstring: the library's ready-made wide string would bring every one of
// its members into the runtime for the two or three used.
using WideText = std::vector<wchar_t>;
WideText WideFromText(const std::string& text);
std::string TextFromWide(const wchar_t* text, std::size_t length);
// A null string reads as empty text.
std::string TextFromBstr(BSTR text);

// One BSTR, freed with SysFreeString.
class Bstr {
public:
    Bstr() noexcept = default;
    // Raises std::bad_alloc when the string cannot be allocated.
    explicit Bstr(const std::string& text);
    ~Bstr() { Reset(); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept;
    Bstr& operator=(Bstr&& other) noexcept;
    // Takes a string that the caller owns already.
    static Bstr Attach(BSTR text) noexcept;

    BSTR Get() const noexcept { return text_; }
    // For out-parameters: frees what is held and hands the slot over.
    BSTR* Put() noexcept {
        Reset();
        return &text_;
    }
    BSTR Release() noexcept;
    void Reset() noexcept;
    std::string Text() const { return TextFromBstr(text_); }

private:
    BSTR text_ = nullptr;
};

// One VARIANT, cleared with VariantClear (which releases the string or the
// object it holds).
class Variant {
public:
    Variant() noexcept { ::VariantInit(&value_); }
    // A string variant (VT_BSTR) holding the text.
    explicit Variant(const std::string& text);
    ~Variant() { ::VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant&& other) noexcept;

    VARIANT* Get() noexcept { return &value_; }
    const VARIANT& Value() const noexcept { return value_; }
    // For out-parameters: clears what is held and hands the slot over.
    VARIANT* Put() noexcept {
        ::VariantClear(&value_);
        return &value_;
    }

private:
    VARIANT value_;
};

// The value a variant stands for: a variant passed by reference
// (VT_VARIANT | VT_BYREF) is followed to the one it points to.
const VARIANT& Dereferenced(const VARIANT& value) noexcept;

// The variant as text, converted as automation converts (numbers become
// digits); empty when it has no text form.
std::string VariantText(const VARIANT& value);
// The variant as a 32-bit integer or a boolean; `fallback` when it has none.
long VariantLong(const VARIANT& value, long fallback) noexcept;
bool VariantBool(const VARIANT& value, bool fallback) noexcept;

}  // namespace vc::ui
