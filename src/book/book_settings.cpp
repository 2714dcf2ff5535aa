#include "book/book_settings.h"

namespace vc {

namespace {

constexpr std::string_view kButtonKey = "search.button";
constexpr std::string_view kHintKey = "search.hint";

std::string_view TrimLineEnd(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

SearchButtonSettings ReadSearchButtonSettings(std::string_view text) {
    SearchButtonSettings settings;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = TrimLineEnd(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (key == kButtonKey) settings.shown = value != "no";
        else if (key == kHintKey) settings.hint = std::string(value);
    }
    return settings;
}

std::string WriteSearchButtonSettings(const SearchButtonSettings& settings) {
    std::string hint = settings.hint;
    for (char& c : hint)
        if (c == '\r' || c == '\n') c = ' ';
    std::string text;
    text.append(kButtonKey).append(settings.shown ? "=yes\n" : "=no\n");
    text.append(kHintKey).append("=").append(hint).append("\n");
    return text;
}

}  // namespace vc
