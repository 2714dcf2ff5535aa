#include "ui/com_variant_win.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

namespace vc::ui {

WideText WideFromText(const std::string& text) {
    if (text.empty()) return WideText(1, L'\0');
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) throw std::bad_alloc();
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    WideText wide(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    if (length > 0) ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string TextFromWide(const wchar_t* text, std::size_t length) {
    if (!text || length == 0) return {};
    if (length > static_cast<std::size_t>(std::numeric_limits<int>::max())) throw std::bad_alloc();
    const int size = static_cast<int>(length);
    const int bytes = ::WideCharToMultiByte(CP_ACP, 0, text, size, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(bytes), '\0');
    if (bytes > 0) ::WideCharToMultiByte(CP_ACP, 0, text, size, result.data(), bytes, nullptr, nullptr);
    return result;
}

// The length is the string's own: a BSTR may hold zero characters inside.
std::string TextFromBstr(BSTR text) { return TextFromWide(text, text ? ::SysStringLen(text) : 0); }

Bstr::Bstr(const std::string& text) {
    const WideText wide = WideFromText(text);
    text_ = ::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size() - 1));
    if (!text_) throw std::bad_alloc();
}

Bstr::Bstr(Bstr&& other) noexcept : text_(other.Release()) {}

Bstr& Bstr::operator=(Bstr&& other) noexcept {
    if (this != &other) {
        Reset();
        text_ = other.Release();
    }
    return *this;
}

Bstr Bstr::Attach(BSTR text) noexcept {
    Bstr owner;
    owner.text_ = text;
    return owner;
}

BSTR Bstr::Release() noexcept { return std::exchange(text_, nullptr); }

void Bstr::Reset() noexcept {
    if (BSTR old = std::exchange(text_, nullptr)) ::SysFreeString(old);
}

Variant::Variant(const std::string& text) {
    ::VariantInit(&value_);
    Bstr string(text);
    V_VT(&value_) = VT_BSTR;
    V_BSTR(&value_) = string.Release();
}

// A VARIANT owns what it holds by value, so handing the bytes over and
// emptying the source moves it.
Variant::Variant(Variant&& other) noexcept : value_(other.value_) { ::VariantInit(&other.value_); }

Variant& Variant::operator=(Variant&& other) noexcept {
    if (this != &other) {
        ::VariantClear(&value_);
        value_ = other.value_;
        ::VariantInit(&other.value_);
    }
    return *this;
}

const VARIANT& Dereferenced(const VARIANT& value) noexcept {
    if (V_VT(&value) == (VT_VARIANT | VT_BYREF) && V_VARIANTREF(&value)) return *V_VARIANTREF(&value);
    return value;
}

namespace {

// A copy of the value in the type asked for; false when it has none.
bool ChangedType(const VARIANT& value, VARTYPE type, Variant& result) noexcept {
    VARIANT& source = const_cast<VARIANT&>(Dereferenced(value));
    return SUCCEEDED(::VariantChangeType(result.Put(), &source, 0, type));
}

}  // namespace

std::string VariantText(const VARIANT& value) {
    const VARIANT& source = Dereferenced(value);
    if (V_VT(&source) == VT_BSTR) return TextFromBstr(V_BSTR(&source));
    Variant text;
    if (!ChangedType(source, VT_BSTR, text)) return {};
    return TextFromBstr(V_BSTR(text.Get()));
}

long VariantLong(const VARIANT& value, long fallback) noexcept {
    Variant number;
    if (!ChangedType(value, VT_I4, number)) return fallback;
    return V_I4(number.Get());
}

bool VariantBool(const VARIANT& value, bool fallback) noexcept {
    Variant flag;
    if (!ChangedType(value, VT_BOOL, flag)) return fallback;
    return V_BOOL(flag.Get()) != VARIANT_FALSE;
}

}  // namespace vc::ui
