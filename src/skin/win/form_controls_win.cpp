#include "skin/win/form_controls_win.h"

#include <algorithm>
#include <optional>
#include <string>

#include "common/text.h"
#include "skin/look/control_choice.h"
#include "skin/win/caption_buttons_win.h"
#include "skin/win/skin_bitmap_win.h"
#include "skin/win/skin_control_win.h"
#include "skin/win/skinned_form_win.h"
#include "ui/application_win.h"
#include "ui/controls_win.h"
#include "ui/private_messages.h"
#include "ui/window_text_win.h"

namespace vc {

TFormControls::TFormControls(TSkinnedForm& form, TSkinData& data, TCaptionButtons& hover) noexcept
    : form_(form), data_(data), hover_(hover) {}

TFormControls::~TFormControls() { StopAll(); }

void TFormControls::SkinAll() {
    controls_.erase(std::remove_if(controls_.begin(), controls_.end(), [](const auto& c) { return !c->Live(); }),
                    controls_.end());
    std::vector<HWND> children;
    ::EnumChildWindows(
        form_.Window(),
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    for (HWND child : children) Skin(child);
}

// A control the program or the skin data keeps out, and all it holds, keep
// their own look.
void TFormControls::Skin(HWND child) {
    if (ui::TWindowSubclass::Find(child, ui::kControlSkinnerSubclassId) || ui::AnswersSkinQuery(child)) return;
    for (HWND w = child; w && w != form_.Window(); w = ::GetParent(w)) {
        const ui::TControl* control = ui::TControl::FromHandle(w);
        if (control && (control->Tag == data_.DisableTag || control->Tag == kNeverSkinnedTag)) return;
    }
    const std::string className = ui::ClassName(child);
    const LONG_PTR style = ::GetWindowLongPtrA(child, GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrA(child, GWL_EXSTYLE);
    const std::optional<std::string> named = Skin3rdKind(data_.Skin3rd(), className);
    const ControlKind kind =
        named ? ControlKindOfName(*named, style, data_) : ControlKindOf(LowerCase(className), style, exStyle, data_);
    std::unique_ptr<TSkinControl> control = MakeControlSkinner(kind, form_, data_);
    if (control && control->SkinWindow(child)) Register(std::move(control));
}

void TFormControls::StopAll() noexcept {
    std::vector<std::unique_ptr<TSkinControl>> controls = std::move(controls_);
    controls_.clear();
    for (auto& control : controls) {
        hover_.ForgetControl(*control);
        ui::RunGuarded([&] { control->Stop(); });
    }
}

void TFormControls::Reskin(HWND child) {
    if (TSkinControl* old = Find(child)) Unregister(*old);
    if (::IsWindow(child) && ::IsChild(form_.Window(), child)) Skin(child);
}

void TFormControls::RefreshColours() {
    for (const auto& control : controls_)
        if (control->Live()) control->RefreshColours();
}

void TFormControls::Register(std::unique_ptr<TSkinControl> control) {
    if (!control) return;
    for (const auto& c : controls_)
        if (c.get() == control.get()) {
            control.release();  // kept once: the list owns it already
            return;
        }
    controls_.push_back(std::move(control));
}

void TFormControls::Unregister(TSkinControl& control) {
    hover_.ForgetControl(control);
    for (auto it = controls_.begin(); it != controls_.end(); ++it) {
        if (it->get() != &control) continue;
        std::unique_ptr<TSkinControl> gone = std::move(*it);
        controls_.erase(it);
        gone->Stop();
        return;
    }
}

std::size_t TFormControls::Count() const noexcept {
    return static_cast<std::size_t>(
        std::count_if(controls_.begin(), controls_.end(), [](const auto& c) { return c->Live(); }));
}

bool TFormControls::ParentNotify(NMHDR& header, LRESULT& result) {
    TSkinControl* control = Find(header.hwndFrom);
    return control && control->ParentNotify(header, result);
}

TSkinControl* TFormControls::Find(HWND child) const noexcept {
    if (!child) return nullptr;
    ui::TWindowSubclass* found = ui::TWindowSubclass::Find(child, ui::kControlSkinnerSubclassId);
    for (const auto& c : controls_)
        if (c.get() == found) return c.get();
    return nullptr;
}

void TFormControls::EraseBackground(HDC dc) {
    RECT client{};
    ::GetClientRect(form_.Window(), &client);
    ::FillRect(dc, &client, FaceBrush());
}

LRESULT TFormControls::ControlColour(HDC dc, HWND control) {
    // The dialog has answered first: a text colour it chose stays, text it
    // left in the system's colour takes the skin's (light on a dark skin).
    const COLORREF text = ::GetTextColor(dc);
    if (text == ::GetSysColor(COLOR_WINDOWTEXT) || text == ::GetSysColor(COLOR_BTNTEXT))
        ::SetTextColor(dc, Gdi(data_.ResolveColour(data_.Colours().ButtonText)));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetBkColor(dc, Gdi(data_.ButtonFaceColour()));
    if (ui::ClassName(control) == "SysLink") {
        // A link control may delete the brush it is given once it has
        // painted (seen under Wine), and its own background is the window
        // colour: it gets the stock null brush, which cannot be deleted, and
        // its background is laid here, in the device context it paints in.
        RECT client{};
        ::GetClientRect(control, &client);
        ::FillRect(dc, &client, FaceBrush());
        return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    }
    return reinterpret_cast<LRESULT>(FaceBrush());
}

HBRUSH TFormControls::FaceBrush() {
    if (!faceBrush_) faceBrush_.Reset(::CreateSolidBrush(Gdi(data_.ButtonFaceColour())));
    return static_cast<HBRUSH>(faceBrush_.Get());
}

}  // namespace vc
