#pragma once
// TSkinnedForm: one top-level window wearing the skin. It subclasses the
// window, takes over its whole non-client area (the four sides, the title bar
// with its caption buttons and caption text, the menu band), cuts the window
// to the skin's shape, and gives the window back its own frame, client size
// and region when skinning stops. The pixels come from the portable frame
// painter; this side only blits them, sets regions and answers messages.
//
// The form keeps the window's state and the skin's start and stop; its
// collaborators do the rest: TFormFrame the frame and the shape,
// TCaptionButtons the caption buttons and the hover check, TSkinnedMenuBar
// the menu band, TFormControls the control skinners and a standard dialog's
// colours. Its window procedure hands each message to one On handler.
#include <windows.h>

#include <memory>
#include <string>

#include "common/frame_style.h"
#include "skin/look/skin_data.h"
#include "skin/look/skin_frame.h"
#include "skin/win/caption_buttons_win.h"
#include "skin/win/form_controls_win.h"
#include "skin/win/form_frame_win.h"
#include "skin/win/skinned_menu_win.h"
#include "ui/handles_win.h"
#include "ui/subclass_win.h"

namespace vc {

class TSkinManager;
class TSkinControl;

// Skin states of a skinned window.
enum class SkinState { NotStarted, Running, Reloading, Fitting, Gone };

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

    // The control skinners of the window's controls (TFormControls).
    void Register(std::unique_ptr<TSkinControl> control);
    void Unregister(TSkinControl& control);
    std::size_t ControlCount() const noexcept { return controls_.Count(); }
    // The control under the mouse; the hover check ends its hot look when
    // the mouse has left it without telling it.
    void SetHotControl(TSkinControl* control) noexcept { buttons_.SetHotControl(control); }

    SkinState State() const noexcept { return state_; }
    TSkinData& Data() const noexcept { return data_; }
    const FrameStyle& Style() const noexcept { return style_; }
    bool Active() const noexcept { return active_; }
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
    friend class TCaptionButtons;
    friend class TFormFrame;

    // Messages answered from the moment the window is subclassed.
    LRESULT OnSkinStart();
    LRESULT OnFrameRepaint(WPARAM dc);
    LRESULT OnFrameRepaintRequest(WPARAM dc, LPARAM magic);
    LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
    LRESULT OnScrollBarReskin(WPARAM child);
    LRESULT OnEraseBackground(WPARAM dc, LPARAM lParam);
    LRESULT OnControlColour(UINT message, WPARAM dc, LPARAM control);
    // A message the handlers above leave: before the skin starts nothing of
    // the system's frame is painted, afterwards the subclass base has it.
    LRESULT Pass(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT BeforeStart(UINT message, WPARAM wParam, LPARAM lParam);
    // Messages of the running skin.
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcRightButtonDown(WPARAM hitTest, LPARAM lParam);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnMeasureItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnMenuBarPress(LPARAM screenPoint);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetMinMaxInfo(WPARAM wParam, LPARAM lParam);
    LRESULT OnSize(WPARAM kind, LPARAM lParam);
    LRESULT OnWindowPosChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnLeftButton(NcClick click, int hitTest, POINT screen);

    void Start();
    void ReadWindow();
    const TFormFrame& Frame() const noexcept { return frame_; }
    // The title picture again, for a caption button's new look.
    void PaintButton(int button);

    // The system menu and the menu band.
    void OpenSystemMenu(POINT screen);
    TSkinnedMenuBar* MenuBand() const noexcept { return menuBar_.get(); }
    int BandItemAt(Point p) const;
    void OpenBandMenu(int item, bool byKey);
    bool OpenBandMenuByKey(char key);

    TSkinManager& manager_;
    TSkinData& data_;
    SkinState state_ = SkinState::NotStarted;
    FrameStyle style_;
    bool standardDialog_ = false;
    bool active_ = false;
    bool installed_ = false;
    TCaptionButtons buttons_;
    TFormFrame frame_;
    // The author's menu drawn in the band; null for a window without one.
    std::unique_ptr<TSkinnedMenuBar> menuBar_;
    TFormControls controls_;
};

}  // namespace vc
