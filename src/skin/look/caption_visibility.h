#pragma once
// Whether a caption button shows, from its Visibility and Visibility1 and
// the state of its window: the rule the skinned frame lays its buttons out
// by and the skin preview draws them by.
#include "common/frame_style.h"
#include "skin/look/skin_objects.h"

namespace vc {

struct CaptionWindowState {
    bool maximised = false;
    bool active = true;
    bool maximise_box = true;
    bool minimise_box = true;
    bool close_allowed = true;
    bool standard_dialog = false;
    // One of the skin's four borders: tool windows wear Fixed or Sizable.
    FrameBorder border = FrameBorder::Sizable;
    // A multiple-document frame whose active child is maximised, with a
    // skinned menu bar: the child's buttons show in the band.
    bool child_buttons_in_menu_bar = false;
    // Whether the window answered 1 or more to the caption button
    // visibility query.
    bool window_agrees = false;
};

bool CaptionButtonVisible(const TDataSkinSysButton& button, const CaptionWindowState& window);

}  // namespace vc
