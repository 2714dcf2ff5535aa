#include "runtime/configuration.h"

#include "common/errors.h"

namespace vc {

std::string ConfigurationLines::Text() const {
    std::string text;
    for (const auto& l : lines_) {
        text += l;
        text += "\r\n";
    }
    return text;
}

const std::string& ConfigurationLines::Line(int index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= lines_.size()) throw EListError(index);
    return lines_[static_cast<std::size_t>(index)];
}

void ConfigurationLines::SetLine(int index, std::string value) {
    if (index < 0 || static_cast<std::size_t>(index) >= lines_.size()) throw EListError(index);
    lines_[static_cast<std::size_t>(index)] = std::move(value);
}

}  // namespace vc
