#include "skin/look/caption_visibility.h"

namespace vc {
namespace {

bool Holds(CaptionShow condition, const CaptionWindowState& w) {
    switch (condition) {
        case CaptionShow::Always: return true;
        case CaptionShow::Never: return false;
        case CaptionShow::Maximised: return w.maximised;
        case CaptionShow::NotMaximised: return !w.maximised;
        case CaptionShow::Active: return w.active;
        case CaptionShow::Inactive: return !w.active;
        case CaptionShow::MaximiseBox: return w.maximise_box;
        case CaptionShow::MaximiseBoxAndClose: return w.maximise_box && w.close_allowed;
        case CaptionShow::NoMaximiseBox: return !w.maximise_box;
        case CaptionShow::MinimiseBox: return w.minimise_box;
        case CaptionShow::MinimiseBoxAndClose: return w.minimise_box && w.close_allowed;
        case CaptionShow::NoMinimiseBox: return !w.minimise_box;
        case CaptionShow::ChildWindowButton: return w.child_buttons_in_menu_bar;
        case CaptionShow::DialogFrame: return !w.standard_dialog && w.border == FrameBorder::DialogFrame;
        case CaptionShow::WindowAgrees: return w.window_agrees;
    }
    return false;
}

bool ActionAllows(CaptionAction action, const CaptionWindowState& w) {
    switch (action) {
        case CaptionAction::Close: return w.close_allowed;
        case CaptionAction::Maximise: return w.maximise_box;
        case CaptionAction::Minimise: return w.minimise_box;
        case CaptionAction::SystemMenuIcon: case CaptionAction::SystemMenu: return w.border != FrameBorder::DialogFrame;
        default: return true;
    }
}

}  // namespace

bool CaptionButtonVisible(const TDataSkinSysButton& button, const CaptionWindowState& window) {
    return Holds(button.Visibility, window) && Holds(button.Visibility1, window) &&
           ActionAllows(button.Action, window);
}

}  // namespace vc
