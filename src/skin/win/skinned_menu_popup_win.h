#pragma once
// TSkinnedPopupMenu: one pop-up menu window ("#32768") of the thread, found
// by the skin manager's hook as it is created. While the engine's menus are
// open it paints the pop-up's frame from the skin and keeps the composed
// background that the owner-drawn items are drawn over; other pop-ups (the
// browser control's own context menu) only answer the skin query and keep
// the system's look.
#include <windows.h>

#include "common/bitmap.h"
#include "skin/look/skin_data.h"
#include "ui/subclass_win.h"

namespace vc {

class TSkinnedPopupMenu final : public ui::TWindowSubclass {
public:
    // `skinning`: the manager's pop-up flag when the window was created.
    TSkinnedPopupMenu(TSkinData& data, bool skinning) noexcept;

    bool Skinning() const noexcept { return skinning_; }
    // The frame and background composed at the window's size, in window
    // coordinates.
    const Bitmap& Background();
    // Where the client area's origin lies in window coordinates.
    Point ClientOffset() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintFrame(HDC dc);

    TSkinData& data_;
    bool skinning_;
    Bitmap buffer_;
};

}  // namespace vc
