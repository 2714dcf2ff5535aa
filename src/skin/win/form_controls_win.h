#pragma once
// TFormControls: the controls of one skinned window and the colours a
// standard dialog stands on. Every child window, grandchildren included,
// gets the control skinner its class asks for; the skinners are owned here
// and freed when their control goes or the skin leaves. A standard dialog
// and its texts, links and buttons stand on the skin's face colour.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "skin/look/skin_data.h"
#include "ui/handles_win.h"

namespace vc {

class TSkinnedForm;
class TSkinControl;
class TCaptionButtons;

class TFormControls {
public:
    TFormControls(TSkinnedForm& form, TSkinData& data, TCaptionButtons& hover) noexcept;
    ~TFormControls();
    TFormControls(const TFormControls&) = delete;
    TFormControls& operator=(const TFormControls&) = delete;

    // Skins every child window that has no skinner yet.
    void SkinAll();
    // Gives every control its own look back and frees its skinner.
    void StopAll() noexcept;
    // A control that made its window anew gets a new skinner for it.
    void Reskin(HWND child);
    // A new skin: the dialog's brush goes first, the controls take their
    // new colours once the frame has changed.
    void DropBrush() { faceBrush_.Reset(); }
    void RefreshColours();

    // Register keeps a skinner once; Unregister gives its control back its
    // own look and frees it (not from inside that skinner's own message
    // handling).
    void Register(std::unique_ptr<TSkinControl> control);
    void Unregister(TSkinControl& control);
    std::size_t Count() const noexcept;
    // A notification of a skinned control to the window (tool bars ask how
    // to draw themselves); true with `result` set when its skinner answered.
    bool ParentNotify(NMHDR& header, LRESULT& result);

    // The dialog's client area on the face colour.
    void EraseBackground(HDC dc);
    // After the dialog has answered WM_CTLCOLORSTATIC or WM_CTLCOLORBTN: the
    // colours and the brush the control paints with.
    LRESULT ControlColour(HDC dc, HWND control);

private:
    void Skin(HWND child);
    TSkinControl* Find(HWND child) const noexcept;
    // Controls keep the brush they are given for as long as they paint, so
    // it lives with the window, made anew when the skin changes.
    HBRUSH FaceBrush();

    TSkinnedForm& form_;
    TSkinData& data_;
    TCaptionButtons& hover_;
    std::vector<std::unique_ptr<TSkinControl>> controls_;
    ui::UniqueGdiObject faceBrush_;
};

}  // namespace vc
