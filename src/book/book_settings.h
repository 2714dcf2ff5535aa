#pragma once
// The book's settings that have no configuration line (the configuration
// lines are fixed), carried in the archive as "key=value" lines. Keys are
// ASCII; values are the description's bytes, which, like every text of the
// book, are 8-bit text in the readers' code page, shown unconverted. A key
// the runtime does not know is skipped, so newer books still open.
#include <string>
#include <string_view>

namespace vc {

struct SearchButtonSettings {
    bool shown = true;
    std::string hint = "Search this book";
};

// The settings a text gives; what it does not give keeps its default, and a
// button value that is not "yes" or "no" leaves the button shown.
SearchButtonSettings ReadSearchButtonSettings(std::string_view text);
// The text that reads back as `settings`; line breaks in the hint become
// spaces, as a line holds one value.
std::string WriteSearchButtonSettings(const SearchButtonSettings& settings);

}  // namespace vc
