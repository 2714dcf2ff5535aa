#include "book/book_address.h"

#include <array>

#include "common/text.h"
#include "common/unicode.h"

namespace vc {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsUnreserved(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

std::optional<std::string> PercentDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        if (text.size() - i < 3) return std::nullopt;
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        out.push_back(static_cast<char>(high * 16 + low));
        i += 2;
    }
    return out;
}

bool IsDeviceName(std::string_view step) {
    const std::string base = UpperCase(step.substr(0, step.find('.')));
    static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    for (auto device : kPlain)
        if (base == device) return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

std::string StepProblem(std::string_view step) {
    if (step.empty()) return "a name cannot have an empty folder step";
    if (step == "." || step == "..") return "a name cannot step to \".\" or \"..\"";
    for (char c : step) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F) return "a name cannot hold control characters";
        if (std::string_view("\\:*?\"<>|").find(c) != std::string_view::npos)
            return std::string("a name cannot hold \"") + c + "\"";
    }
    if (step.back() == '.' || step.back() == ' ') return "a name cannot end a step with a dot or a blank";
    if (IsDeviceName(step)) return "\"" + std::string(step) + "\" is a device name";
    return {};
}

}  // namespace

std::string PageNameProblem(std::string_view name) {
    if (name.empty()) return "a name cannot be empty";
    if (name.front() == '/') return "a name cannot start at the root";
    std::size_t start = 0;
    while (true) {
        const std::size_t slash = name.find('/', start);
        const auto step = name.substr(start, slash == std::string_view::npos ? std::string_view::npos : slash - start);
        std::string problem = StepProblem(step);
        if (!problem.empty()) return problem;
        if (slash == std::string_view::npos) return {};
        start = slash + 1;
    }
}

bool SamePageName(std::string_view a, std::string_view b) {
    if (a == b) return true;
    const auto wideA = DecodeUtf8(a);
    const auto wideB = DecodeUtf8(b);
    if (!wideA || !wideB) return SameText(a, b);
    return SameTextOrdinal(*wideA, *wideB);
}

std::optional<BookAddress> ReadBookAddress(std::string_view url) {
    const std::size_t colon = url.find(':');
    if (colon == std::string_view::npos || !SameText(url.substr(0, colon), kBookScheme)) return std::nullopt;
    std::string_view rest = url.substr(colon + 1);
    if (rest.substr(0, 2) != "//") return std::nullopt;
    rest.remove_prefix(2);
    rest = rest.substr(0, rest.find_first_of("?#"));
    const std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos || slash == 0) return std::nullopt;

    BookAddress address;
    for (char c : rest.substr(0, slash)) {
        const bool digit = c >= '0' && c <= '9';
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        if (!digit && !letter) return std::nullopt;
        address.host.push_back(static_cast<char>(letter && c <= 'Z' ? c + 0x20 : c));
    }
    auto name = PercentDecode(rest.substr(slash + 1));
    if (!name || !PageNameProblem(*name).empty()) return std::nullopt;
    address.name = std::move(*name);
    return address;
}

std::string MakeBookAddress(std::string_view host, std::string_view name) {
    std::string url = std::string(kBookScheme) + "://" + LowerCase(host) + "/";
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (IsUnreserved(u) || c == '/') {
            url.push_back(c);
        } else {
            url.push_back('%');
            url.push_back(kHexDigits[u >> 4]);
            url.push_back(kHexDigits[u & 15]);
        }
    }
    return url;
}

}  // namespace vc
