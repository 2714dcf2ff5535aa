#include "runtime_search.h"

namespace vc::pack {

std::filesystem::path ThisProgram() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
}

}  // namespace vc::pack
