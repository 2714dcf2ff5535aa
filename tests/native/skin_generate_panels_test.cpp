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

bool Near(Pixel a, Pixel b, int tolerance = 2) {
    return std::abs(PixelRed(a) - PixelRed(b)) <= tolerance && std::abs(PixelGreen(a) - PixelGreen(b)) <= tolerance &&
           std::abs(PixelBlue(a) - PixelBlue(b)) <= tolerance;
}

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

TEST(SkinGeneratePanels, DropDownButtonLeavesTheFieldsBorderVisible) {
    for (const auto& [label, theme] : Themes()) {
        SCOPED_TRACE(label);
        auto data = Load(theme);
        const TDataSkinObject* combo = data->FindObject("ComboButton");
        ASSERT_NE(combo, nullptr);
        ASSERT_EQ(combo->Style, 2);
        ASSERT_EQ(combo->Map.Width(), 50 * 4);
        const Bitmap& strip = combo->Map;
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(k + 1);
            const int x0 = 50 * k;
            // The button stands in columns 31 to 49; the field is symmetric,
            // so what shows beside the button matches the field's left end.
            for (int y : {0, 1, 19, 20}) {
                EXPECT_EQ(strip.At(x0 + 40, y), strip.At(x0 + 10, y)) << "row " << y;
                EXPECT_FALSE(IsKey(strip.At(x0 + 40, y))) << "row " << y;
            }
            EXPECT_EQ(strip.At(x0 + 48, 10), strip.At(x0 + 1, 10));
            EXPECT_FALSE(IsKey(strip.At(x0 + 49, 10)));
            // The button itself fills the middle of its place.
            EXPECT_FALSE(IsKey(strip.At(x0 + 33, 10)));
            EXPECT_NE(strip.At(x0 + 33, 10), strip.At(x0 + 48, 10));
        }
    }
}

TEST(SkinGeneratePanels, ExtraImagesHoldTheGlyphsAndASizeGripInTheCorner) {
    auto data = Load(Variant({}));
    const TDataSkinObject* extra = data->FindObject("ExtraImages");
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->Trans, 1);
    const int w = extra->Map.Width() / 5, h = extra->Map.Height();
    ASSERT_EQ(w, 19);
    ASSERT_EQ(h, 21);
    for (int k = 0; k < 4; ++k) {
        // Only the glyph: the button under it shows everywhere else.
        EXPECT_TRUE(IsKey(extra->Map.At(w * k + 1, 3))) << k + 1;
        EXPECT_TRUE(IsKey(extra->Map.At(w * k + 8, 17))) << k + 1;
        EXPECT_FALSE(IsKey(extra->Map.At(w * k + 8, 10))) << k + 1;
    }
    int grip = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (IsKey(extra->Map.At(4 * w + x, y))) continue;
            // Below the diagonal from the bottom left to the top right.
            EXPECT_GE(x + y, (w + h) / 2) << x << "," << y;
            ++grip;
        }
    }
    EXPECT_GE(grip, 12);
}

TEST(SkinGeneratePanels, GroupBoxFrameIsEmptyInsideAndDrawnAtItsEdge) {
    for (const auto& [label, theme] : Themes()) {
        SCOPED_TRACE(label);
        auto data = Load(theme);
        const TDataSkinObject* edge = data->FindObject("GroupBoxEdge");
        ASSERT_NE(edge, nullptr);
        EXPECT_EQ(edge->Trans, 1);
        const int w = edge->Map.Width() / 2, h = edge->Map.Height();
        const Pixel face = PixelFromColour(data->ButtonFaceColour());
        for (int k = 0; k < 2; ++k) {
            EXPECT_TRUE(IsKey(edge->Map.At(k * w + w / 2, h / 2))) << k + 1;
            EXPECT_FALSE(IsKey(edge->Map.At(k * w, h / 2))) << k + 1;
            EXPECT_FALSE(IsKey(edge->Map.At(k * w + w / 2, 0))) << k + 1;
        }
        // Disabled recedes towards the dialog's colour.
        EXPECT_GT(Gap(edge->Map.At(0, h / 2), face), Gap(edge->Map.At(w, h / 2), face) + 0.05);

        // A group box of 200 x 120 as the runtime composes it on the dialog.
        Bitmap box(200, 120, face);
        DrawNineSlice(box, box.Bounds(), edge->Map, false, false, true, 2, 1, edge->GetMargins());
        EXPECT_EQ(box.At(100, 60), face);
        EXPECT_EQ(box.At(5, 60), face);
        EXPECT_GT(Gap(box.At(0, 60), face), 0.1);
        EXPECT_GT(Gap(box.At(100, 0), face), 0.1);
        EXPECT_NE(box.At(199, 60), face);
        EXPECT_NE(box.At(100, 119), face);

        const auto* label_box = data->Find<TDataSkinBoxLabel>("GroupBox");
        ASSERT_NE(label_box, nullptr);
        EXPECT_FALSE(label_box->Map.Empty());
        EXPECT_EQ(label_box->FrameCount(), 1);
    }
}

TEST(SkinGeneratePanels, StatusTextIsReadableOnEveryPanel) {
    auto themes = Themes();
    // A palette whose button text nearly matches the dialog's colour.
    themes.emplace_back("faint text", Variant({{"FaceText", "#CFCBC2"}}));
    for (const auto& [label, theme] : themes) {
        SCOPED_TRACE(label);
        auto data = Load(theme);
        const TDataSkinObject* status = data->FindObject("StatusBarEdges");
        ASSERT_NE(status, nullptr);
        ASSERT_EQ(status->Frame, 3);
        const Pixel text = PixelFromColour(status->NormalColour2);
        const int w = status->Map.Width() / 3, h = status->Map.Height();
        for (int k = 0; k < 3; ++k) EXPECT_GE(Gap(text, status->Map.At(k * w + w / 2, h / 2)), 0.4) << k + 1;
        EXPECT_EQ(status->Trans, 0);
    }
    // A readable palette keeps its own text colour, #1E2328.
    auto data = Load(Variant({}));
    EXPECT_EQ(data->FindObject("StatusBarEdges")->NormalColour2, 0x28231Eu);
}

TEST(SkinGeneratePanels, SelectedTabRisesAboveTheOthersAndOpensIntoThePage) {
    for (const auto& [label, theme] : Themes()) {
        SCOPED_TRACE(label);
        auto data = Load(theme);
        const auto* tabs = data->Find<TDataSkinBorder>("Tabs");
        const TDataSkinObject* pane = data->FindObject("Tab.Pane");
        ASSERT_NE(tabs, nullptr);
        ASSERT_NE(pane, nullptr);
        ASSERT_FALSE(tabs->Map2.Empty());
        EXPECT_EQ(tabs->Trans, 1);
        const Bitmap& map = tabs->Map;
        const int w = map.Width() / 5, h = map.Height();
        const auto column = [&](int k, int x) {
            std::vector<Pixel> pixels;
            for (int y = 0; y < h; ++y) pixels.push_back(map.At(k * w + x, y));
            return pixels;
        };
        EXPECT_NE(column(0, w / 2), column(2, w / 2));
        EXPECT_NE(column(2, w / 2), column(4, w / 2));
        EXPECT_NE(column(0, w / 2), column(1, w / 2));
        // Unselected tabs stand lower than the selected ones.
        for (int k : {0, 1, 3}) EXPECT_TRUE(IsKey(map.At(k * w + w / 2, 0))) << k + 1;
        for (int k : {2, 4}) EXPECT_FALSE(IsKey(map.At(k * w + w / 2, 0))) << k + 1;
        // A selected tab ends in the page's colour; the others on the page's
        // border line, the line the border image continues.
        const Pixel page = pane->Map.At(pane->Map.Width() / 2, pane->Map.Height() / 2);
        for (int k : {2, 4}) EXPECT_TRUE(Near(map.At(k * w + w / 2, h - 1), page)) << k + 1;
        for (int k : {0, 1, 3}) {
            EXPECT_GT(Gap(map.At(k * w + w / 2, h - 1), page), 0.1) << k + 1;
            EXPECT_EQ(map.At(k * w + w / 2, h - 1), tabs->Map2.At(0, 0)) << k + 1;
        }
        // Margins that keep the corners crisp at any width; the page's stay
        // within the four pixels the runtime honours.
        EXPECT_GE(tabs->LeftWidth, 2);
        EXPECT_LT(tabs->LeftWidth + tabs->RightWidth, w);
        for (int m : {pane->LeftWidth, pane->TopHeight, pane->RightWidth, pane->BottomHeight}) {
            EXPECT_GE(m, 2);
            EXPECT_LE(m, 4);
        }
    }
}

TEST(SkinGeneratePanels, ToolButtonsShowASurfaceOnlyWhenHotPressedOrChecked) {
    for (const auto& [label, theme] : Themes()) {
        SCOPED_TRACE(label);
        auto data = Load(theme);
        const TDataSkinObject* tools = data->FindObject("ToolBars");
        ASSERT_NE(tools, nullptr);
        EXPECT_EQ(tools->Trans, 1);
        const int w = tools->Map.Width() / 5, h = tools->Map.Height();
        const auto blank = [&](int k) {
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (!IsKey(tools->Map.At(k * w + x, y))) return false;
            return true;
        };
        EXPECT_TRUE(blank(0));
        EXPECT_TRUE(blank(3));
        const Pixel hot = tools->Map.At(w + w / 2, h / 2);
        const Pixel pressed = tools->Map.At(2 * w + w / 2, h / 2);
        const Pixel checked = tools->Map.At(4 * w + w / 2, h / 2);
        for (Pixel p : {hot, pressed, checked}) EXPECT_FALSE(IsKey(p));
        EXPECT_NE(hot, pressed);
        EXPECT_NE(hot, checked);
        EXPECT_NE(pressed, checked);

        // Headers lie side by side on the list: nothing of them is keyed.
        const TDataSkinObject* header = data->FindObject("Headerbar");
        ASSERT_NE(header, nullptr);
        EXPECT_EQ(header->Frame, 5);
        EXPECT_EQ(header->Trans, 0);
        const int hw = header->Map.Width() / 5, hh = header->Map.Height();
        for (int y = 0; y < hh; ++y)
            for (int x = 0; x < header->Map.Width(); ++x) ASSERT_FALSE(IsKey(header->Map.At(x, y))) << x << "," << y;
        const Pixel normal = header->Map.At(hw / 2, hh / 2);
        for (int k = 1; k < 5; ++k) EXPECT_NE(header->Map.At(k * hw + hw / 2, hh / 2), normal) << k + 1;
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
