#pragma once
// TCaptionButtons: the caption buttons of one skinned window and the hover
// check of everything hot in its frame. It keeps which button is hot and
// which pressed, runs a clicked button's action, and watches the mouse on a
// timer, since a frame is not told when the mouse leaves it: a hot button,
// menu-band item or control goes back to normal once the mouse has left.
#include <windows.h>

#include "common/geometry.h"
#include "ui/timer_win.h"

namespace vc {

class TSkinnedForm;
class TSkinControl;

class TCaptionButtons {
public:
    explicit TCaptionButtons(TSkinnedForm& form);

    int Hot() const noexcept { return hot_; }
    int Pressed() const noexcept { return pressed_; }
    // The button under the mouse, -1 for none; a hot button repaints.
    void SetHot(int button);
    // The left button goes down on a button: it shows pressed.
    void Press(int button);
    // The left button comes up over `button`: a button released where it
    // was pressed runs its action. `at` is the window point of the release.
    void Release(int button, Point at);

    // The control under the mouse, null for none.
    void SetHotControl(TSkinControl* control) noexcept;
    // The control's skinner goes: the hover check forgets it.
    void ForgetControl(const TSkinControl& control) noexcept;
    // A menu-band item turned hot: the hover check takes it back to normal.
    void WatchBand() { hoverTimer_.SetEnabled(true); }
    // The window is gone or the skin leaves it.
    void Stop() noexcept;

private:
    void Run(int button, Point at);
    void HoverCheck();

    TSkinnedForm& form_;
    int hot_ = -1;
    int pressed_ = -1;
    DWORD lastSystemMenuOpen_ = 0;
    ui::TTimer hoverTimer_;
    TSkinControl* hotControl_ = nullptr;
};

}  // namespace vc
