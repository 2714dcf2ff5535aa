#include "common/temp_directory_win.h"

#include <windows.h>

#include <vector>

namespace vc {

std::string GetTempDirectory() {
    std::vector<char> buffer(MAX_PATH + 1);
    DWORD length = ::GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
    // A longer path than the usual buffer is asked for again at its size
    // rather than read from a buffer the platform left untouched.
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = ::GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length >= buffer.size()) return {};
    }
    return std::string(buffer.data(), length);
}

}  // namespace vc
