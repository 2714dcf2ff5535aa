// Generated tabs, status bar, combo box, group box, tool buttons and list
// headers, loaded the way the runtime loads them and judged by what a user
// would see of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skin/composition.h"
#include "skin/skin_data.h"
#include "skin_generator.h"
#include "skin_theme_fixture.h"

namespace vc {
namespace {

using skintest::Variant;

// Light and bevelled with small corners; dark glass with round ones; light
// and flat with the roundest corners a theme may ask for.
std::vector<std::pair<std::string, theme::Theme>> Themes() {
    return {
        {"harbour", Variant({})},
        {"dark glass",
         Variant({{"Finish", "glass"}, {"ControlRadius", "8"}, {"Face", "#2B2F36"}, {"FaceText", "#E6E8EB"},
                  {"Light", "#5A616C"}, {"Shadow", "#16181C"}, {"DarkShadow", "#0A0B0D"}, {"Window", "#1E2126"},
                  {"WindowText", "#E6E8EB"}, {"Accent", "#4C9AFF"}, {"ControlTop", "#454B55"},
                  {"ControlBottom", "#353A42"}, {"ControlBorder", "#121418"}})},
        {"flat round", Variant({{"Finish", "flat"}, {"ControlRadius", "10"}, {"Accent", "#2E9E6A"}})},
    };
}

std::unique_ptr<TSkinData> Load(const theme::Theme& t) {
    auto data = std::make_unique<TSkinData>();
    data->SkinStream() = theme::GenerateSkin(t, "test.theme").stream;
    EXPECT_TRUE(data->LoadSkin());
    return data;
}

bool IsKey(Pixel p) { return SameRgb(p, kKeyPixel); }

double Brightness(Pixel p) {
    return (0.299 * PixelRed(p) + 0.587 * PixelGreen(p) + 0.114 * PixelBlue(p)) / 255;
}

double Gap(Pixel a, Pixel b) { return std::abs(Brightness(a) - Brightness(b)); }

// Pixels of row y of an arrow button's square, columns 3 to 13, that stand
// out from column 2 of the same row (the button's surface beside the glyph).
int Ink(const Bitmap& image, int x0, int y, int from = 3, int to = 13) {
    int ink = 0;
    for (int x = x0 + from; x <= x0 + to; ++x) ink += Gap(image.At(x, y), image.At(x0 + 2, y)) > 0.06 ? 1 : 0;
    return ink;
}

TEST(SkinGeneratePanels, DerivedArrowButtonShowsADownArrowInEveryState) {
    for (const auto& [label, theme] : Themes()) {
        SCOPED_TRACE(label);
        auto data = Load(theme);
        const TDataSkinObject* arrow = data->FindObject("ComboxArrow");
        ASSERT_NE(arrow, nullptr);
        ASSERT_EQ(arrow->Map.Width(), 17 * 4);
        ASSERT_EQ(arrow->Map.Height(), 17);
        EXPECT_EQ(arrow->Frame, 4);
        double contrast[4] = {};
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(k + 1);
            const int x0 = 17 * k;
            const Pixel ink = arrow->Map.At(x0 + 8, 8);
            const Pixel body = arrow->Map.At(x0 + 8, 14);
            EXPECT_FALSE(IsKey(ink));
            EXPECT_FALSE(IsKey(body));
            contrast[k] = Gap(ink, body);
            // It points down: its first row of ink is wider than its last.
            int first = -1, last = -1;
            for (int y = 4; y < 14; ++y) {
                if (Ink(arrow->Map, x0, y) == 0) continue;
                if (first < 0) first = y;
                last = y;
            }
            ASSERT_GE(first, 0);
            EXPECT_GT(last - first, 1);
            EXPECT_GE(Ink(arrow->Map, x0, first), 6);
            EXPECT_GT(Ink(arrow->Map, x0, first), Ink(arrow->Map, x0, last) + 2);
            // Centred on column 8: as much ink left of it as right of it.
            EXPECT_EQ(Ink(arrow->Map, x0, first, 3, 7), Ink(arrow->Map, x0, first, 9, 13));
        }
        for (int k = 0; k < 3; ++k) EXPECT_GE(contrast[k], 0.3) << "state " << k + 1;
        // Disabled: still there, but fainter than at rest.
        EXPECT_GT(contrast[3], 0.08);
        EXPECT_LT(contrast[3], contrast[0] - 0.1);
    }
}

TEST(SkinGeneratePanels, PanelImagesStayWithinTheirShareOfTheSkin) {
    const char* names[] = {"tabs.bmp",        "tabborder.bmp", "tabpane.bmp",  "statusbar.bmp",
                           "extraimages.bmp", "combobutton.bmp", "sunkedge.bmp", "groupboxedge.bmp",
                           "groupbox.bmp",    "toolbars.bmp",  "headerbar.bmp"};
    for (const auto& [label, theme] : Themes()) {
        SCOPED_TRACE(label);
        const theme::GeneratedSkin skin = theme::GenerateSkin(theme, "test.theme");
        std::size_t bytes = 0;
        for (const char* name : names) {
            const auto member = std::find_if(skin.members.begin(), skin.members.end(),
                                             [&](const SkinMember& m) { return m.name == name; });
            ASSERT_NE(member, skin.members.end()) << name;
            bytes += member->data.size();
        }
        EXPECT_GE(bytes, 40u * 1024);
        EXPECT_LE(bytes, 200u * 1024);
    }
}

}  // namespace
}  // namespace vc
