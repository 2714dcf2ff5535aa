#pragma once
// The automation error: what a COM object or the browser control answered
// with a failure code. Its text is what the standard error dialog shows.
#include <cstdint>
#include <string>

#include "common/errors.h"

namespace vc {

class EOleError : public Exception {
public:
    // `description` is what the object or the system said about the code;
    // without one the text is "Automation error (0x80004005)".
    explicit EOleError(std::uint32_t code, const std::string& description = {});

    std::uint32_t Code() const noexcept { return code_; }

private:
    std::uint32_t code_;
};

}  // namespace vc
