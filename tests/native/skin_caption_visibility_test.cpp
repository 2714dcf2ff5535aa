#include <gtest/gtest.h>

#include <string>

#include "skin/look/caption_visibility.h"
#include "skin/look/skin_data.h"
#include "skin_data_fixture.h"

namespace vc {
namespace {

// Skin file numbers: the reader names them, the rule decides on the names.
constexpr int kClose = 0, kMaximise = 1, kMinimise = 2, kIcon = 3, kInert = 4;

bool Shown(int action, int v, int v1, const CaptionWindowState& w) {
    TSkinData data;
    data.SkinStream() = skintest::Pack("[ButtonX]\nAction=" + std::to_string(action) + "\nVisibility=" +
                                       std::to_string(v) + "\nVisibility1=" + std::to_string(v1) + "\n");
    if (!data.LoadSkin() || data.CaptionButtons().empty()) {
        ADD_FAILURE() << "the skin did not load";
        return false;
    }
    return CaptionButtonVisible(*data.CaptionButtons().front(), w);
}

TEST(CaptionVisibility, TheTwoColumnsDifferOnlyWhereTheRuleSaysSoAndTheActionVetoes) {
    const CaptionWindowState normal;  // active, restored, every box, sizable
    EXPECT_TRUE(Shown(kInert, -1, 0, normal)) << "-1 as Visibility: shown";
    EXPECT_FALSE(Shown(kInert, 0, -1, normal)) << "-1 as Visibility1: hidden";
    EXPECT_FALSE(Shown(kInert, 5, 0, normal));

    CaptionWindowState no_close = normal;
    no_close.close_allowed = false;
    EXPECT_FALSE(Shown(kInert, 6, 0, no_close)) << "6 as Visibility needs close too";
    EXPECT_TRUE(Shown(kInert, 0, 6, no_close)) << "6 as Visibility1 needs the maximise box only";
    EXPECT_TRUE(Shown(kInert, 0, 8, no_close));

    CaptionWindowState asked = normal;
    EXPECT_FALSE(Shown(kInert, 1500, 0, asked)) << "the window answers 0 to the query";
    EXPECT_TRUE(Shown(kInert, 0, 1500, asked)) << "as Visibility1 the range is always shown";
    asked.window_agrees = true;
    EXPECT_TRUE(Shown(kInert, 1500, 0, asked));
    EXPECT_TRUE(Shown(kInert, 201, 999, normal));
    EXPECT_FALSE(Shown(kInert, 2001, 0, normal));
    EXPECT_TRUE(Shown(kInert, 999, 1000, normal)) << "the ends of both ranges";
    EXPECT_TRUE(Shown(kInert, 0, 2000, normal));
    EXPECT_FALSE(Shown(kInert, 0, 2001, normal));
    EXPECT_FALSE(Shown(kInert, 10, 0, normal)) << "a number between the listed ones hides";
    EXPECT_FALSE(Shown(kInert, 0, 199, normal));

    CaptionWindowState w;  // maximise and restore on every skin: the frame test
    w.maximised = true;

    CaptionWindowState boxless;
    boxless.maximise_box = false;
    boxless.minimise_box = false;
    EXPECT_FALSE(Shown(kMaximise, 0, 0, boxless)) << "no maximise box: no maximise button, whatever its visibility";
    EXPECT_FALSE(Shown(kMinimise, 0, 0, boxless));
    EXPECT_TRUE(Shown(kInert, 7, 9, boxless));
    EXPECT_FALSE(Shown(kInert, 7, 0, w));

    CaptionWindowState dialog;
    dialog.border = FrameBorder::DialogFrame;
    EXPECT_FALSE(Shown(kIcon, 0, 0, dialog)) << "no system-menu button on a dialog frame";
    EXPECT_TRUE(Shown(kClose, 200, 200, dialog));
    dialog.standard_dialog = true;
    EXPECT_FALSE(Shown(kClose, 200, 0, dialog));

    CaptionWindowState inactive;
    inactive.active = false;
    EXPECT_TRUE(Shown(kInert, 4, 4, inactive));
    EXPECT_FALSE(Shown(kInert, 3, 0, inactive));
    EXPECT_FALSE(Shown(kInert, 100, 100, inactive)) << "child buttons only while a maximised child shows them";
    inactive.child_buttons_in_menu_bar = true;
    EXPECT_TRUE(Shown(kInert, 100, 100, inactive));
}

}  // namespace
}  // namespace vc
