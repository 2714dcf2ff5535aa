#include "window/browser_emulation_win.h"

#include <windows.h>

namespace vc {

namespace {

// The key, opened for reading and writing, created when missing; closed
// when the owner goes.
class EmulationKey {
public:
    EmulationKey() {
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, TBrowserEmulation::kKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                              nullptr, &key_, nullptr) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~EmulationKey() {
        if (key_) ::RegCloseKey(key_);
    }
    EmulationKey(const EmulationKey&) = delete;
    EmulationKey& operator=(const EmulationKey&) = delete;
    HKEY Get() const noexcept { return key_; }

private:
    HKEY key_ = nullptr;
};

}  // namespace

TBrowserEmulation::TBrowserEmulation(std::string program) : program_(std::move(program)) {
    EmulationKey key;
    if (!key.Get() || program_.empty()) return;
    if (::RegQueryValueExA(key.Get(), program_.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) return;
    const DWORD mode = kStandardsWhereDeclared;
    wrote_ = ::RegSetValueExA(key.Get(), program_.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&mode),
                              sizeof mode) == ERROR_SUCCESS;
}

TBrowserEmulation::~TBrowserEmulation() {
    if (!wrote_) return;
    EmulationKey key;
    if (key.Get()) ::RegDeleteValueA(key.Get(), program_.c_str());
}

std::string TBrowserEmulation::ThisProgram() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, length);
    const std::size_t slash = full.find_last_of("\\/");
    return slash == std::string::npos ? full : full.substr(slash + 1);
}

}  // namespace vc
