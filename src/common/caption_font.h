#pragma once
// A title-bar font as the configuration writes it and the gradient caption
// draws with it: face, size in points, colour and style.
#include <string>

#include "common/values.h"

namespace vc {

struct CaptionFont {
    std::string name;
    int size = 0;
    Colour colour = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

}  // namespace vc
