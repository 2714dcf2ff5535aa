#pragma once
// TSkinnedForm: one top-level window wearing the skin. It subclasses the
// window, takes over its whole non-client area (the four sides, the title bar
// with its caption buttons and caption text, the menu band), cuts the window
// to the skin's shape, and gives the window back its own frame, client size
// and region when skinning stops. The pixels come from the portable frame
// painter; this side only blits them, sets regions and answers messages.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "common/bitmap.h"
#include "common/frame_style.h"
#include "skin/look/skin_data.h"
#include "skin/look/skin_frame.h"
#include "skin/win/skinned_menu_win.h"
#include "ui/handles_win.h"
#include "ui/subclass_win.h"
#include "ui/timer_win.h"

namespace vc {

class TSkinManager;
class TSkinControl;

// Skin states of a skinned window.
enum class SkinState { NotStarted = 0, Running = 1, Reloading = 3, Destroying = 4, Fitting = 5, Gone = 6 };

class TSkinnedForm final : public ui::TWindowSubclass {
public:
    TSkinnedForm(TSkinManager& manager, TSkinData& data);
    ~TSkinnedForm() override;

    // Subclasses the window and reads its frame; the skinned look starts
    // with the skin start message the manager posts next.
    bool Install(HWND window);
    // Gives the window its own procedure, frame, client size and region back.
    void Stop();
    // After the skin data changed: new frame sizes, colours and region.
    void ReloadSkin();
    // Paints the whole frame now (null: a device context of our own).
    void PaintFrame(HDC dc = nullptr);

    // The control skinners of the window's controls, owned here. Register
    // keeps a skinner once; Unregister gives its control back its own look
    // and frees it (not from inside that skinner's own message handling).
    void Register(std::unique_ptr<TSkinControl> control);
    void Unregister(TSkinControl& control);
    std::size_t ControlCount() const noexcept;
    // The control under the mouse; the hover check ends its hot look when
    // the mouse has left it without telling it.
    void SetHotControl(TSkinControl* control) noexcept;

    SkinState State() const noexcept { return state_; }
    TSkinData& Data() const noexcept { return data_; }
    const FrameStyle& Style() const noexcept { return style_; }
    bool StandardDialog() const noexcept { return standardDialog_; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDetached() noexcept override;
    LRESULT OnNcPaint(HRGN update) override;
    LRESULT OnNcCalcSize(RECT& proposed, NCCALCSIZE_PARAMS* full) override;
    LRESULT OnNcHitTest(POINT screen) override;
    LRESULT OnNcActivate(bool active, HRGN update) override;
    LRESULT OnNcMouseMove(int hitTest, POINT screen) override;
    LRESULT OnNcMouseButton(NcButton button, NcClick click, int hitTest, POINT screen) override;

private:
    void Start();
    void ReadWindow();
    // The scale of the screen the window is on: the skin's lengths are
    // 96-DPI ones.
    Scale FrameScale() const;
    FrameLayout Layout() const;
    FrameLayout Layout(int width, int height) const;
    void FitWindowToSkin(int clientWidth, int clientHeight);
    void WidenForCaption(int& width);
    void RebuildRegion(bool force);
    void RefreshFonts();

    // Control skinners: one per child window the skin dresses.
    void SkinControls();
    void SkinControl(HWND child);
    void StopControls() noexcept;
    void ReskinControl(HWND child);
    TSkinControl* ControlOf(HWND child) const noexcept;

    LRESULT OnLeftButton(NcClick click, int hitTest, POINT screen);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void OnGetMinMaxInfo(MINMAXINFO& info);

    // Caption buttons.
    Point WindowPoint(POINT screen) const;
    void SetHot(int button);
    void PaintButton(int button);
    void RunButtonAction(int button, Point at);
    void HoverCheck();

    // The system menu and the menu band.
    void OpenSystemMenu(POINT screen);
    int BandItemAt(Point p) const;
    void OpenBandMenu(int item, bool byKey);
    bool OpenBandMenuByKey(char key);
    bool OnMenuMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    MenuFonts Fonts() const noexcept { return MenuFonts{menuFont_.Get(), menuBoldFont_.Get()}; }

    // The brush a standard dialog and its texts stand on: the skin's face
    // colour. Controls keep the brush they are given for as long as they
    // paint, so it lives with the window, made anew when the skin changes.
    HBRUSH FaceBrush();
    // Texts, links and buttons of a standard dialog stand on the face colour.
    LRESULT OnControlColour(HDC dc, HWND control);

    // Drawing helpers.
    void DrawTitle(HDC dc, const FrameLayout& layout, const Bitmap& title);
    void DrawMenuBand(HDC dc, const FrameLayout& layout);

    TSkinManager& manager_;
    TSkinData& data_;
    SkinState state_ = SkinState::NotStarted;
    FrameStyle style_;
    bool standardDialog_ = false;
    bool active_ = false;
    bool installed_ = false;
    std::string className_;
    int menuBarHeight_ = 0;
    int hot_ = -1;
    int pressed_ = -1;
    SIZE savedSystemFrame_{};
    SIZE regionSize_{};
    DWORD lastSystemMenuOpen_ = 0;
    ui::TTimer hoverTimer_;
    ui::UniqueFont captionFont_;
    ui::UniqueFont menuFont_;
    ui::UniqueFont menuBoldFont_;
    ui::UniqueGdiObject faceBrush_;
    // The author's menu drawn in the band; null for a window without one.
    std::unique_ptr<TSkinnedMenuBar> menuBar_;
    std::vector<std::unique_ptr<TSkinControl>> controls_;
    TSkinControl* hotControl_ = nullptr;
};

// Turns the system's own non-client rendering of a window off (desktop
// composition would otherwise draw its frame over ours) and back on.
// dwmapi.dll is loaded at run time, so the program starts where it is missing.
using NcRenderingSwitch = void (*)(HWND window, bool systemRendering);
void SetNcRenderingSwitch(NcRenderingSwitch change) noexcept;
void SetSystemNcRendering(HWND window, bool systemRendering) noexcept;

}  // namespace vc
