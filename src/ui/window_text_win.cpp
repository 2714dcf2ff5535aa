#include "ui/window_text_win.h"

#include <algorithm>

namespace vc::ui {

std::string ClassName(HWND window) {
    // Class names are at most 256 characters long.
    char name[257] = {};
    const int length = ::GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<std::size_t>(std::max(length, 0)));
}

std::string WindowText(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    text.resize(static_cast<std::size_t>(std::max(::GetWindowTextA(window, text.data(), length + 1), 0)));
    return text;
}

}  // namespace vc::ui
