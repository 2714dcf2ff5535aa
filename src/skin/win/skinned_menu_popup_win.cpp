#include "skin/win/skinned_menu_popup_win.h"

#include "skin/look/menu_painter.h"
#include "skin/win/skin_bitmap_win.h"
#include "ui/handles_win.h"
#include "ui/private_messages.h"

namespace vc {

TSkinnedPopupMenu::TSkinnedPopupMenu(TSkinData& data, bool skinning) noexcept
    : ui::TWindowSubclass(ui::kPopupMenuSkinnerSubclassId), data_(data), skinning_(skinning) {}

const Bitmap& TSkinnedPopupMenu::Background() {
    RECT r{};
    if (!Window() || !::GetWindowRect(Window(), &r)) return buffer_;
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w > 0 && h > 0 && (buffer_.Width() != w || buffer_.Height() != h)) {
        buffer_ = Bitmap(w, h);
        PaintMenuBackground(buffer_, buffer_.Bounds(), data_);
    }
    return buffer_;
}

Point TSkinnedPopupMenu::ClientOffset() const {
    RECT r{};
    POINT origin{0, 0};
    ::GetWindowRect(Window(), &r);
    ::ClientToScreen(Window(), &origin);
    return Point{origin.x - r.left, origin.y - r.top};
}

// The ring of the frame, whether the system keeps it outside the client area
// or paints its own edge inside it: the items cover the rest.
void TSkinnedPopupMenu::PaintFrame(HDC dc) {
    const Bitmap& background = Background();
    if (background.Empty()) return;
    ui::WindowDc own(dc ? nullptr : Window(), ui::WindowDc::Area::Whole);
    HDC target = dc ? dc : own.Get();
    if (!target) return;
    const int saved = ::SaveDC(target);
    ::ExcludeClipRect(target, kPopupFrame, kPopupFrame, background.Width() - kPopupFrame,
                      background.Height() - kPopupFrame);
    DrawBitmap(target, 0, 0, background);
    ::RestoreDC(target, saved);
}

LRESULT TSkinnedPopupMenu::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ui::kSkinQueryMessage) return ui::kSkinQueryAnswer;
    if (!skinning_) return DefaultProc(message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        if (!InSet(data_.Options, xoMenuBG)) DefaultProc(message, wParam, lParam);
        return 1;
    case WM_NCPAINT:
        DefaultProc(message, wParam, lParam);
        PaintFrame(nullptr);
        return 0;
    case WM_PAINT: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        PaintFrame(nullptr);
        return result;
    }
    case WM_PRINT: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        PaintFrame(reinterpret_cast<HDC>(wParam));
        return result;
    }
    default: return DefaultProc(message, wParam, lParam);
    }
}

}  // namespace vc
