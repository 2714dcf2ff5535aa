#pragma once
// The harbour theme from the source tree, with some of its keys given other values.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "theme.h"

namespace vc {
namespace skintest {

inline std::string HarbourText() {
    std::ifstream in(std::string(VC_SOURCE_DIR) + "/skins/00-harbour.theme", std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// Each change replaces the whole line of its key; a key the theme lacks fails the test.
inline theme::Theme Variant(const std::vector<std::pair<std::string, std::string>>& changes) {
    std::string text = HarbourText();
    for (const auto& [key, value] : changes) {
        const std::size_t at = text.find("\n" + key + "=");
        EXPECT_NE(at, std::string::npos) << "no key " << key;
        if (at == std::string::npos) continue;
        const std::size_t end = text.find('\n', at + 1);
        text.replace(at + 1, (end == std::string::npos ? text.size() : end) - at - 1, key + "=" + value);
    }
    return theme::ParseTheme(text, "variant.theme");
}

}  // namespace skintest
}  // namespace vc
