#pragma once
// TFormFrame: the skinned frame and shape of one window. It knows the
// frame's sizes and the menu band's height at the window's scale, keeps the
// fonts the title bar and the menus are drawn with, blits the frame picture
// the portable painter makes, cuts the window to the skin's shape, fits the
// window around its client area when the frame changes and gives it its
// own frame size back, and answers what the frame decides of the system's
// non-client questions (the client rectangle, the hit test).
#include <windows.h>

#include "common/geometry.h"
#include "common/scale.h"
#include "skin/look/skin_data.h"
#include "skin/look/skin_frame.h"
#include "skin/win/skinned_menu_win.h"
#include "ui/handles_win.h"

namespace vc {

class TSkinnedForm;
class TSkinManager;
class TCaptionButtons;

class TFormFrame {
public:
    TFormFrame(TSkinnedForm& form, TSkinData& data, TSkinManager& manager, const TCaptionButtons& buttons) noexcept;

    // The window's scale, its frame sizes and the menu band's height; the
    // band takes the system's menu height when the window has a caption
    // and a menu.
    Scale FrameScale() const;
    void MeasureBand(bool hasMenu);
    int MenuBandHeight() const noexcept { return menuBandHeight_; }
    FrameLayout Layout() const;
    FrameLayout Layout(int width, int height) const;
    Point WindowPoint(POINT screen) const;

    void RefreshFonts();
    MenuFonts Fonts() const noexcept { return MenuFonts{menuFont_.Get(), menuBoldFont_.Get()}; }

    // The system's frame around the client area as the skin starts, for
    // RestoreSystemFrame.
    void SaveSystemFrame();
    // The window under the skin's frame: a maximised one over its work
    // area, a normal one with its client size kept (`client`).
    void Fit(const RECT& client);
    // A new skin: the client size stays, the frame around it changes.
    void KeepClientSize();
    // The skin leaves: no shape, and the client area keeps its size under
    // the system's frame again. `window` is no longer subclassed.
    void RestoreSystemFrame(HWND window, const RECT& client) const;
    // The system asks for the non-client sizes again.
    void Changed() const;

    // The window region from the skin, again only when the size changed
    // unless forced.
    void RebuildRegion(bool force);
    // A maximised window fills its monitor's work area.
    void LimitMaximised(MINMAXINFO& info) const;

    // The whole frame (null: a device context of our own).
    void Paint(HDC dc);
    // The title picture again, for a caption button's new look.
    void PaintTitle(int button);

    // The client rectangle inside `proposed`, the window rectangle.
    void ClientArea(RECT& proposed) const;
    // The system's answer to the hit test, corrected for the skin's title
    // bar and menu band.
    LRESULT HitTest(LRESULT system, POINT screen) const;

private:
    void FitWindowToSkin(int clientWidth, int clientHeight);
    void WidenForCaption(int& width);
    FramePicture PaintPicture(const FrameLayout& layout) const;
    void DrawTitle(HDC dc, const FrameLayout& layout, const Bitmap& title);
    void DrawMenuBand(HDC dc, const FrameLayout& layout);
    HWND Window() const noexcept;

    TSkinnedForm& form_;
    TSkinData& data_;
    TSkinManager& manager_;
    const TCaptionButtons& buttons_;
    int menuBandHeight_ = 0;
    SIZE savedSystemFrame_{};
    SIZE regionSize_{};
    ui::UniqueFont captionFont_;
    ui::UniqueFont menuFont_;
    ui::UniqueFont menuBoldFont_;
};

}  // namespace vc
