#include "skin/look/control_choice.h"

namespace vc {

std::optional<std::string> Skin3rdKind(const StringList& lines, const std::string& className) {
    constexpr std::size_t kMaxKind = 50;
    const std::string prefix = LowerCase(className) + "=";
    for (const std::string& line : lines) {
        const std::string lower = LowerCase(line);
        if (lower.compare(0, prefix.size(), prefix) != 0) continue;
        return lower.substr(prefix.size(), kMaxKind);
    }
    return std::nullopt;
}

}  // namespace vc
