#include "ui/frame_style_win.h"

#include "common/text.h"
#include "ui/window_text_win.h"

namespace vc::ui {

namespace {

FrameBorder BorderOf(HWND window, LONG_PTR style, LONG_PTR exStyle) {
    if ((style & WS_CAPTION) != WS_CAPTION) return FrameBorder::NoCaption;
    const bool sizing = (style & WS_THICKFRAME) != 0;
    if (exStyle & WS_EX_TOOLWINDOW) return sizing ? FrameBorder::SizableToolWindow : FrameBorder::ToolWindow;
    if ((exStyle & WS_EX_DLGMODALFRAME) || (style & DS_MODALFRAME) || IsStandardDialog(window))
        return FrameBorder::DialogFrame;
    return sizing ? FrameBorder::Sizable : FrameBorder::Fixed;
}

FrameState StateOf(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!::GetWindowPlacement(window, &placement)) return FrameState::Normal;
    switch (placement.showCmd) {
    case SW_SHOWMAXIMIZED: return FrameState::Maximised;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: return FrameState::Minimised;
    default: return FrameState::Normal;
    }
}

}  // namespace

bool IsStandardDialog(HWND window) {
    const std::string className = ClassName(window);
    return className == "#32770" || SameText(className, "TMessageForm");
}

FrameStyle ReadFrameStyle(HWND window) {
    const LONG_PTR style = ::GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrA(window, GWL_EXSTYLE);
    FrameStyle frame;
    frame.border = BorderOf(window, style, exStyle);
    frame.maximiseBox = (style & WS_MAXIMIZEBOX) != 0;
    frame.minimiseBox = (style & WS_MINIMIZEBOX) != 0;
    frame.closeBox = (style & WS_SYSMENU) != 0 || ::GetSystemMenu(window, FALSE) != nullptr;
    frame.helpBox = (exStyle & WS_EX_CONTEXTHELP) != 0;
    frame.state = StateOf(window);
    return frame;
}

}  // namespace vc::ui
