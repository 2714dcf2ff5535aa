#pragma once
// vellumcast-skin generate: draws a whole skin from its theme. The same
// theme always gives the same bytes, so the built-in skins are made during
// the build and never kept as files.
#include <cstdint>
#include <string>
#include <vector>

#include "skin_container_writer.h"
#include "theme.h"

namespace vc::theme {

struct GeneratedSkin {
    std::string name;                  // SkinName
    std::vector<SkinMember> members;   // the definition first, then the bitmaps
    std::vector<std::uint8_t> stream;  // the compressed skin stream
    std::size_t decompressed = 0;      // size of the container inside it
};

// `source` names the theme in the definition's heading comment.
GeneratedSkin GenerateSkin(const Theme& theme, const std::string& source);

}  // namespace vc::theme
