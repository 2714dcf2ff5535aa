#pragma once
// The two texts every window has: the name of its class and its own text
// (a caption, a control's label).
#include <windows.h>

#include <string>

namespace vc::ui {

std::string ClassName(HWND window);
std::string WindowText(HWND window);

}  // namespace vc::ui
