#include "common/ole_error.h"

#include <cstdio>

#include "common/text.h"

namespace vc {
namespace {

std::string OleErrorText(std::uint32_t code, const std::string& description) {
    // System messages end in a line break, which the dialog would show as
    // an empty line.
    std::string text = Trim(description);
    if (!text.empty()) return text;
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "Automation error (0x%08X)", static_cast<unsigned>(code));
    return buffer;
}

}  // namespace

EOleError::EOleError(std::uint32_t code, const std::string& description)
    : Exception(OleErrorText(code, description)), code_(code) {}

}  // namespace vc
