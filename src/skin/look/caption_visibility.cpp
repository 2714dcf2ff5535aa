#include "skin/look/caption_visibility.h"

namespace vc {
namespace {

// One of the two conditions; `second` selects the Visibility1 column,
// which differs from the Visibility column in a few rows.
bool Condition(int value, const CaptionWindowState& w, bool second) {
    switch (value) {
        case -1: return !second;
        case 0: return true;
        case 1: return w.maximised;
        case 2: return !w.maximised;
        case 3: return w.active;
        case 4: return !w.active;
        case 5: return false;
        case 6: return w.maximise_box && (second || w.close_allowed);
        case 7: return !w.maximise_box;
        case 8: return w.minimise_box && (second || w.close_allowed);
        case 9: return !w.minimise_box;
        case 100: return w.child_buttons_in_menu_bar;
        case 200: return !w.standard_dialog && w.border == 3;
        default: break;
    }
    if (value >= 201 && value <= 999) return true;
    if (value >= 1000 && value <= 2000) return second || w.visibility_answer >= 1;
    return false;
}

bool ActionAllows(int action, const CaptionWindowState& w) {
    switch (action) {
        case 0: return w.close_allowed;
        case 1: return w.maximise_box;
        case 2: return w.minimise_box;
        case 3: case 11: case 12: return w.border != 3;
        default: return true;
    }
}

}  // namespace

bool CaptionButtonVisible(const TDataSkinSysButton& button, const CaptionWindowState& window) {
    return Condition(button.Visibility, window, false) && Condition(button.Visibility1, window, true) &&
           ActionAllows(button.Action, window);
}

}  // namespace vc
