#pragma once
// TSkinControl and its family: the controls of a skinned window wearing the
// skin. Each skinner subclasses one control window (never its class or user
// data), lets the control do everything it does (value, selection, check
// state, text, notifications, keyboard) and paints over it from the portable
// control painters. The frame skinner chooses, creates, owns and frees them;
// a skinner leaves on its own at WM_NCDESTROY and tells its form.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "common/bitmap.h"
#include "skin/look/control_painter.h"
#include "skin/look/skin_data.h"
#include "ui/subclass_win.h"

namespace vc {

class TSkinnedForm;

class TSkinControl : public ui::TWindowSubclass {
public:
    TSkinControl(TSkinnedForm& form, TSkinData& data);
    ~TSkinControl() override;

    // Attaches to the control and repaints it; false when the window is
    // skinned already or cannot be subclassed.
    bool SkinWindow(HWND window);
    // Gives the control its own look back.
    void Stop();
    // The form's hover check: the mouse has left a hot control.
    bool Hot() const noexcept { return hot_; }
    // A new skin: paint again.
    virtual void RefreshColours();
    // A notification the control sent its skinned parent (tool-bar custom
    // drawing); true with `result` set when the skinner answered it.
    virtual bool ParentNotify(NMHDR& header, LRESULT& result);
    // False once the window is gone or the skin left it.
    bool Live() const noexcept { return Attached(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDetached() noexcept override;

    // True lets the message reach the control; false answers it with `result`.
    virtual bool BeforeMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // After the control handled the message.
    virtual void AfterMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Composes the client area: the background is laid already (the face
    // colour, or the control's own picture when OwnPictureFirst()).
    virtual void Compose(Bitmap& /*picture*/) {}
    // GDI work over the composed picture (text, focus rectangles), in client
    // coordinates, before it goes to the screen in one copy.
    virtual void DrawText(HDC /*dc*/, const Rect& /*client*/) {}
    // Whether Compose draws over the control's own painting.
    virtual bool OwnPictureFirst() const { return false; }
    // Whether the skinner paints the client area at all.
    virtual bool PaintsClient() const { return true; }
    // Leaves parts of the client area to what lies under the control.
    virtual void ClipClient(HDC /*dc*/, const Rect& /*client*/) {}

    // Paints the client area into `dc` (or the window's own when null).
    void PaintClient(HDC dc = nullptr);
    // The whole control again, now.
    void Repaint();
    ControlState StateNow() const;
    void SetHot(bool hot);
    void TrackLeave();
    void RecheckHot();
    HFONT Font() const;
    // What the control paints of itself (WM_PRINTCLIENT), as pixels.
    Bitmap OwnPicture(int width, int height);
    // The control's own scroll bars, skinned over the system's.
    bool ScrollBarsChanged();
    void PaintScrollBars(HDC dc);

    TSkinnedForm& form_;
    TSkinData& data_;
    bool painting_ = true;
    bool hot_ = false;
    bool mousePressed_ = false;
    bool scrollBars_ = false;
    std::uint64_t scrollKey_ = 0;  // what the scroll bars showed when last painted
};

// What the skinners are, by what they skin.
enum class ControlKind {
    None, PushButton, CheckBox, RadioButton, GroupBox, Edit, ComboBox, Progress, StatusBar, ToolBar, Tab, Header,
    TrackBar, UpDown, ScrollBars
};
// Null when the skin lacks what that skinner paints with: the control then
// keeps its own look.
std::unique_ptr<TSkinControl> MakeControlSkinner(ControlKind kind, TSkinnedForm& form, TSkinData& data);

// The skinner a window class asks for (the built-in rules), or None. Styles
// are the window's; the skin data says which kinds of control are skinned.
ControlKind ControlKindOf(const std::string& lowerClass, LONG_PTR style, LONG_PTR exStyle, const TSkinData& data);
// A Skin3rd kind ("button", "checkbox", ...) for a window; None for "nil",
// a kind without a skinner and a kind whose control type is switched off.
ControlKind ControlKindOfName(const std::string& kind, LONG_PTR style, const TSkinData& data);

}  // namespace vc
