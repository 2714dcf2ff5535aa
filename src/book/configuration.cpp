#include "book/configuration.h"

#include "common/errors.h"

namespace vc {

bool IsShownTextLine(int index) {
    return index == line::kTitle || index == line::kAboutCaption || index == line::kAboutAppName ||
           (index >= line::kHintHome && index <= line::kHintAbout);
}

std::string ConfigurationLines::ShownText(int index) const {
    const std::string& text = Line(index);
    if (!IsShownTextLine(index) || text.size() <= kMaxShownText) return text;
    return text.substr(0, kMaxShownText);
}

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
