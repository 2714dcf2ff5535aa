#pragma once
// The frame a live window has, read from its styles, class and placement:
// the one reading shared by the form, the gradient caption and the skinned
// frame.
#include <windows.h>

#include "common/frame_style.h"

namespace vc::ui {

// border: no full caption (WS_CAPTION) gives NoCaption; WS_EX_TOOLWINDOW a
// tool window (sizable with WS_THICKFRAME); WS_EX_DLGMODALFRAME, the dialog
// style DS_MODALFRAME or a standard dialog class ("#32770", "TMessageForm")
// a dialog frame; then WS_THICKFRAME Sizable, else Fixed. Boxes from
// WS_MAXIMIZEBOX, WS_MINIMIZEBOX, WS_EX_CONTEXTHELP; the close box from
// WS_SYSMENU or a system menu present. State from the window placement.
FrameStyle ReadFrameStyle(HWND window);

// Whether the window is one of the standard dialogs of the thread (message
// boxes and their like), which are framed as dialogs whatever their style.
bool IsStandardDialog(HWND window);

}  // namespace vc::ui
