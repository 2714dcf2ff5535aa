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

// A system metric (SM_CYMENU, SM_CXSMICON, ...) as the system gives it to a
// window at `dpi`: asked for that DPI from Windows 10 on, scaled from the
// system's DPI before.
int SystemMetricForDpi(int index, int dpi) noexcept;
// The system's fonts and bar sizes for windows (caption, menu, message
// fonts) at `dpi`: the system reports them at its own DPI, and a window on a
// screen of another scale needs them scaled.
NONCLIENTMETRICSA NonClientMetricsForDpi(int dpi) noexcept;

}  // namespace vc
