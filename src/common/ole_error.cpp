#include "common/ole_error.h"

#include "common/text.h"

namespace vc {
namespace {

std::string OleErrorText(std::uint32_t code, const std::string& description) {
    // System messages end in a line break, which the dialog would show as
    // an empty line.
    std::string text = Trim(description);
    if (!text.empty()) return text;
    // Eight upper-case hexadecimal digits, by hand: a printf would bring the
    // C library's whole formatter, floating point included, into the runtime.
    std::string digits(8, '0');
    for (int i = 7; i >= 0; --i, code >>= 4) digits[static_cast<std::size_t>(i)] = "0123456789ABCDEF"[code & 0xF];
    return "Automation error (0x" + digits + ")";
}

}  // namespace

EOleError::EOleError(std::uint32_t code, const std::string& description)
    : Exception(OleErrorText(code, description)), code_(code) {}

}  // namespace vc
