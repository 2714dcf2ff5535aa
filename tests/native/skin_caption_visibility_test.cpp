#include <gtest/gtest.h>

#include "skin/look/caption_visibility.h"

namespace vc {
namespace {

bool Shown(int action, int v, int v1, const CaptionWindowState& w) {
    TDataSkinSysButton b;
    b.Action = action;
    b.Visibility = v;
    b.Visibility1 = v1;
    return CaptionButtonVisible(b, w);
}

TEST(CaptionVisibility, TheTwoColumnsDifferOnlyWhereTheRuleSaysSoAndTheActionVetoes) {
    const CaptionWindowState normal;  // active, restored, every box, sizable
    EXPECT_TRUE(Shown(5, -1, 0, normal)) << "-1 as Visibility: shown";
    EXPECT_FALSE(Shown(5, 0, -1, normal)) << "-1 as Visibility1: hidden";
    EXPECT_FALSE(Shown(5, 5, 0, normal));

    CaptionWindowState no_close = normal;
    no_close.close_allowed = false;
    EXPECT_FALSE(Shown(5, 6, 0, no_close)) << "6 as Visibility needs close too";
    EXPECT_TRUE(Shown(5, 0, 6, no_close)) << "6 as Visibility1 needs the maximise box only";
    EXPECT_TRUE(Shown(5, 0, 8, no_close));

    CaptionWindowState asked = normal;
    EXPECT_FALSE(Shown(5, 1500, 0, asked)) << "the window answers 0 to the query";
    EXPECT_TRUE(Shown(5, 0, 1500, asked)) << "as Visibility1 the range is always shown";
    asked.visibility_answer = 1;
    EXPECT_TRUE(Shown(5, 1500, 0, asked));
    EXPECT_TRUE(Shown(5, 201, 999, normal));
    EXPECT_FALSE(Shown(5, 2001, 0, normal));

    CaptionWindowState w;  // maximise and restore on every skin: the frame test
    w.maximised = true;

    CaptionWindowState boxless;
    boxless.maximise_box = false;
    boxless.minimise_box = false;
    EXPECT_FALSE(Shown(1, 0, 0, boxless)) << "no maximise box: no action-1 button, whatever its visibility";
    EXPECT_FALSE(Shown(2, 0, 0, boxless));
    EXPECT_TRUE(Shown(5, 7, 9, boxless));
    EXPECT_FALSE(Shown(5, 7, 0, w));

    CaptionWindowState dialog;
    dialog.border = 3;
    EXPECT_FALSE(Shown(3, 0, 0, dialog)) << "no system-menu button on a dialog frame";
    EXPECT_TRUE(Shown(0, 200, 200, dialog));
    dialog.standard_dialog = true;
    EXPECT_FALSE(Shown(0, 200, 0, dialog));

    CaptionWindowState inactive;
    inactive.active = false;
    EXPECT_TRUE(Shown(5, 4, 4, inactive));
    EXPECT_FALSE(Shown(5, 3, 0, inactive));
    EXPECT_FALSE(Shown(8, 100, 100, inactive)) << "child buttons only while a maximised child shows them";
    inactive.child_buttons_in_menu_bar = true;
    EXPECT_TRUE(Shown(8, 100, 100, inactive));
}

}  // namespace
}  // namespace vc
