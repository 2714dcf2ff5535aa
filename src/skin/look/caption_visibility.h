#pragma once
// Whether a caption button shows, from its Visibility and Visibility1 and
// the state of its window: the rule the skinned frame lays its buttons out
// by and the skin preview draws them by.
#include "skin/look/skin_objects.h"

namespace vc {

struct CaptionWindowState {
    bool maximised = false;
    bool active = true;
    bool maximise_box = true;
    bool minimise_box = true;
    bool close_allowed = true;
    bool standard_dialog = false;
    // 0 sizable, 1 fixed, 2 no caption, 3 dialog frame.
    int border = 0;
    // A multiple-document frame whose active child is maximised, with a
    // skinned menu bar: the child's buttons show in the band.
    bool child_buttons_in_menu_bar = false;
    // What the window answers to the caption button visibility query.
    int visibility_answer = 0;
};

bool CaptionButtonVisible(const TDataSkinSysButton& button, const CaptionWindowState& window);

}  // namespace vc
