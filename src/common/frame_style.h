#pragma once
// The one model of a window frame shared by the window, the gradient caption
// and the skin engine: what kind of border the window has, which title-bar
// buttons it allows and whether it is maximised or minimised. The shell reads
// it from a live window (ui/frame_style_win.h); portable code only computes
// with it.
namespace vc {

// The numbering of the first four is the skin engine's border byte.
enum class FrameBorder {
    Sizable = 0,
    Fixed = 1,
    NoCaption = 2,
    DialogFrame = 3,
    // Small caption and small buttons; the gradient caption measures them.
    ToolWindow = 4,
    SizableToolWindow = 5,
};

enum class FrameState { Normal = 0, Maximised = 1, Minimised = 2 };

struct FrameStyle {
    FrameBorder border = FrameBorder::Sizable;
    bool maximiseBox = true;
    bool minimiseBox = true;
    // The system menu and its close button come and go together.
    bool closeBox = true;
    FrameState state = FrameState::Normal;
    // The context-help button of a caption without minimise and maximise.
    bool helpBox = false;
};

inline bool HasCaption(FrameBorder border) noexcept { return border != FrameBorder::NoCaption; }
inline bool IsToolWindow(FrameBorder border) noexcept {
    return border == FrameBorder::ToolWindow || border == FrameBorder::SizableToolWindow;
}
// Borders the user can drag to size the window.
inline bool IsSizable(FrameBorder border) noexcept {
    return border == FrameBorder::Sizable || border == FrameBorder::SizableToolWindow;
}

}  // namespace vc
