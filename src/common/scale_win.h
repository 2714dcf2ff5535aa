#pragma once
// The DPI of a window and of the system, on every Windows the runtime runs
// on: the per-window query exists only from Windows 10 on, so it is looked
// up at run time and the screen's DPI stands in for it before that.
#include <windows.h>

#include "common/scale.h"

namespace vc {

// The DPI the system gives windows before they reach a monitor.
int SystemDpi() noexcept;
// The DPI of the monitor the window is on, as far as the process is aware
// of it; the system's DPI for a null window or an older system.
int WindowDpi(HWND window) noexcept;
inline Scale WindowScale(HWND window) noexcept { return Scale(WindowDpi(window)); }

}  // namespace vc
