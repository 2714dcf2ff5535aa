#include "common/values.h"

#include <cstdlib>
#include <iterator>

#include "common/errors.h"
#include "common/text.h"

namespace vc {

namespace {

struct NamedColour {
    const char* name;
    Colour value;
};

constexpr Colour Sys(int index) { return kSystemColourFlag + static_cast<Colour>(index); }

constexpr NamedColour kColourNames[] = {
    {"clBlack", 0x000000},       {"clMaroon", 0x000080},
    {"clGreen", 0x008000},       {"clOlive", 0x008080},
    {"clNavy", 0x800000},        {"clPurple", 0x800080},
    {"clTeal", 0x808000},        {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},      {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},        {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},        {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},        {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0},  {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF},       {"clMedGray", 0xA4A0A0},
    {"clScrollBar", Sys(0)},     {"clBackground", Sys(1)},
    {"clActiveCaption", Sys(2)}, {"clInactiveCaption", Sys(3)},
    {"clMenu", Sys(4)},          {"clWindow", Sys(5)},
    {"clWindowFrame", Sys(6)},   {"clMenuText", Sys(7)},
    {"clCaptionText", Sys(9)},   {"clActiveBorder", Sys(10)},
    {"clInactiveBorder", Sys(11)}, {"clAppWorkSpace", Sys(12)},
    {"clHighlight", Sys(13)},    {"clHighlightText", Sys(14)},
    {"clBtnFace", Sys(15)},      {"clBtnShadow", Sys(16)},
    {"clGrayText", Sys(17)},     {"clBtnText", Sys(18)},
    {"clInactiveCaptionText", Sys(19)}, {"clBtnHighlight", Sys(20)},
    {"cl3DDkShadow", Sys(21)},   {"cl3DLight", Sys(22)},
    {"clInfoText", Sys(23)},     {"clInfoBk", Sys(24)},
    {"clHotLight", Sys(26)},     {"clGradientActiveCaption", Sys(27)},
    {"clGradientInactiveCaption", Sys(28)}, {"clMenuHighlight", Sys(29)},
    {"clMenuBar", Sys(30)},      {"clNone", clNone},
    {"clDefault", clDefault},
};
static_assert(std::size(kColourNames) == 51, "the colour table has 51 names");

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A floating-point number as the platform's float reader takes it: blanks
// around it, a sign, digits with an optional fraction, an optional exponent.
bool ReadsAsFloat(std::string_view text, double& value) {
    const std::string trimmed = Trim(text);
    std::size_t i = 0;
    const std::size_t n = trimmed.size();
    if (i < n && (trimmed[i] == '+' || trimmed[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && IsDigit(trimmed[i])) ++i, ++digits;
    if (i < n && trimmed[i] == '.') {
        ++i;
        while (i < n && IsDigit(trimmed[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < n && (trimmed[i] == 'e' || trimmed[i] == 'E')) {
        ++i;
        if (i < n && (trimmed[i] == '+' || trimmed[i] == '-')) ++i;
        std::size_t exponentDigits = 0;
        while (i < n && IsDigit(trimmed[i])) ++i, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    if (i != n) return false;
    value = std::strtod(trimmed.c_str(), nullptr);
    return true;
}

}  // namespace

std::optional<std::uint32_t> ReadDigits(std::string_view digits, int base, std::uint32_t limit) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        int digit;
        if (IsDigit(c)) digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return std::nullopt;
        value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::uint32_t>(value);
}

bool StrToBool(std::string_view text) {
    double number = 0;
    if (ReadsAsFloat(text, number)) return number != 0;
    if (SameText(text, "True")) return true;
    if (SameText(text, "False")) return false;
    throw EConvertError("'" + std::string(text) + "' is not a valid boolean value");
}

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const std::uint32_t largest = negative ? 0x80000000u : 0x7FFFFFFFu;
    const auto magnitude = ReadDigits(text, 10, largest);
    if (!magnitude) return std::nullopt;
    const std::int64_t value = negative ? -static_cast<std::int64_t>(*magnitude) : *magnitude;
    return static_cast<std::int32_t>(value);
}

std::int32_t StrToInt(std::string_view text) {
    if (const auto value = TryStrToInt(text)) return *value;
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

Colour StrToColour(std::string_view text) {
    if (const auto named = ColourByName(text)) return *named;
    std::string_view digits = text;
    if (!digits.empty() && digits[0] == '$') digits.remove_prefix(1);
    else if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) digits.remove_prefix(2);
    if (digits.size() != text.size()) {
        if (const auto value = ReadDigits(digits, 16, 0xFFFFFFFFu)) return *value;
    } else if (const auto value = TryStrToInt(text)) {
        return static_cast<Colour>(*value);
    }
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

Colour ResolveColour(Colour colour, const std::function<Colour(int index)>& systemColour) {
    if (!IsSystemColour(colour)) return colour & 0x00FFFFFFu;
    return systemColour(SystemColourIndex(colour)) & 0x00FFFFFFu;
}

std::vector<std::string> ColourNames() {
    std::vector<std::string> names;
    for (const auto& entry : kColourNames) names.emplace_back(entry.name);
    return names;
}

std::optional<std::string> ColourName(Colour colour) {
    for (const auto& entry : kColourNames)
        if (entry.value == colour) return std::string(entry.name);
    return std::nullopt;
}

std::optional<Colour> ColourByName(std::string_view name) {
    for (const auto& entry : kColourNames)
        if (SameText(name, entry.name)) return entry.value;
    return std::nullopt;
}

}  // namespace vc
