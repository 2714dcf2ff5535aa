#pragma once
// The platform's temporary directory.
#include <string>

namespace vc {

// The temporary directory as the platform reports it, ending with a
// backslash; empty when it reports none.
std::string GetTempDirectory();

}  // namespace vc
