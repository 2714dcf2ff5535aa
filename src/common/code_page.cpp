#include "common/code_page.h"

namespace vc {

std::string AddressFromBrowser(std::u16string_view address, const CodePage& codePage) {
    auto text = codePage.FromUtf16(address);
    return text ? std::move(*text) : std::string();
}

}  // namespace vc
