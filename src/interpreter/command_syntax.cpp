#include "interpreter/command_syntax.h"

#include "common/text.h"

namespace vc {

namespace {

bool IsPrintable(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 33 && code <= 126;
}

}  // namespace

std::string TrimCommand(std::string_view piece) {
    std::size_t first = 0;
    while (first < piece.size() && !IsPrintable(piece[first])) ++first;
    std::string_view core = piece.substr(first, kMaxCommandLength);
    while (!core.empty() && !IsPrintable(core.back())) core.remove_suffix(1);
    return std::string(core);
}

std::string QuotedText(std::string_view field) {
    const auto open = field.find('"');
    if (open == std::string_view::npos) return std::string(field);
    const auto close = field.rfind('"');
    if (close == open) return std::string();
    return std::string(field.substr(open + 1, close - open - 1));
}

std::string CommandKeyword(std::string_view command) {
    return UpperCase(NthField(1, " ", command));
}

std::string CommandParameter(int n, std::string_view command) {
    return QuotedText(NthField(n, kFieldSeparator, command));
}

std::optional<std::string> CommandFromNavigation(std::string_view url) {
    if (FindText(url, "ACTION:") == std::string::npos) return std::nullopt;
    const std::string_view rest = url.size() > 7 ? url.substr(7) : std::string_view();
    return ReplaceAll(ReplaceAll(rest, "%20", " "), "%", "\"");
}

}  // namespace vc
