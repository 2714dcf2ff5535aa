// The sixteen skins the build drew from skins/NN-name.theme, and what the generator guarantees of each.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "common/text.h"
#include "skin/look/composition.h"
#include "skin/look/skin_data.h"
#include "skin/look/skin_preview.h"
#include "skin/format/skin_reader.h"
#include "skin_generator.h"
#include "skin_builtin_fixture.h"
#include "skin_paint.h"

namespace vc {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> ThemeFiles() {
    std::vector<fs::path> themes;
    for (const auto& entry : fs::directory_iterator(fs::path(VC_SOURCE_DIR) / "skins")) {
        if (entry.path().extension() == ".theme") themes.push_back(entry.path());
    }
    std::sort(themes.begin(), themes.end());
    return themes;
}

// The skin definition's text, in lower case.
std::string Definition(const std::vector<std::uint8_t>& stream) {
    TSkinReader reader;
    EXPECT_TRUE(reader.Load(stream));
    std::vector<std::uint8_t> text;
    std::string name;
    reader.FindFile(".ini", text, name);
    return LowerCase(std::string(text.begin(), text.end()));
}

int KeyCount(const Bitmap& image) {
    int n = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) n += SameRgb(image.At(x, y), kKeyPixel);
    return n;
}

double Lightness(Pixel p) { return (0.299 * PixelRed(p) + 0.587 * PixelGreen(p) + 0.114 * PixelBlue(p)) / 255; }

// State image k (1-based) of n side by side.
Bitmap Cell(const Bitmap& image, int n, int k) { return CopyRect(image, StateImageRect(image, false, n, k)); }

int Distance(Pixel a, Pixel b) {
    return std::abs(PixelRed(a) - PixelRed(b)) + std::abs(PixelGreen(a) - PixelGreen(b)) +
           std::abs(PixelBlue(a) - PixelBlue(b));
}

Pixel ThemePixel(theme::Colour c) {
    const art::Pixel p = theme::ArtPixel(c);
    return MakePixel(p.r, p.g, p.b);
}

// How far from the centre, along x or y, lies the glyph of `a` that `b` (the opposite arrow) has not.
double OwnInkOffset(const Bitmap& a, const Bitmap& b, Pixel glyph, bool horizontal) {
    double sum = 0, total = 0;
    for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) {
            const int plain = Distance(b.At(x, y), glyph);
            if (plain < 40) continue;
            const double w = std::max(0.0, double(plain - Distance(a.At(x, y), glyph)) / plain);
            sum += w * ((horizontal ? x : y) + 0.5);
            total += w;
        }
    }
    EXPECT_GT(total, 3) << "no glyph to tell the arrows apart";
    return sum / total - (horizontal ? a.Width() : a.Height()) / 2.0;
}

// The state images divide the image (stacked for `stacked`), the fixed
// margins fit one, and Trans is set exactly where the key colour appears.
void ExpectSlicesFit(const TDataSkinObject& o, bool stacked = false) {
    SCOPED_TRACE(o.Name);
    ASSERT_FALSE(o.Map.Empty());
    ASSERT_GE(o.Frame, 1);
    const int along = stacked ? o.Map.Height() : o.Map.Width();
    EXPECT_EQ(along % o.Frame, 0) << along << " pixels do not divide into " << o.Frame << " state images";
    const int w = stacked ? o.Map.Width() : o.Map.Width() / o.Frame;
    const int h = stacked ? o.Map.Height() / o.Frame : o.Map.Height();
    EXPECT_LE(o.LeftWidth + o.RightWidth, w);
    EXPECT_LE(o.TopHeight + o.BottomHeight, h);
    const bool magenta = KeyCount(o.Map) > 0;
    EXPECT_TRUE(o.Keyed() || !magenta) << "the key colour would be painted";
    EXPECT_TRUE(!o.Keyed() || magenta) << "Trans without the key colour";
}

const char* const kGenericObjects[] = {
    "Progress", "Progress.Chunk", "Tabs", "ComboButton", "UpDown.Horz", "UpDown.Vert", "GroupBox", "GroupBoxEdge",
    "StatusBarEdges", "Tab.Pane", "ToolBars", "SunkEdge", "ExtraImages", "Headerbar", "MenuItem", "MenuBackground",
    "Scrollbar", "HorzScroll", "VertScroll", "HorzScrollThumb", "VertScrollThumb", "Trackbar.ThumbHorz",
    "Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight", "Trackbar.ThumbUp", "Trackbar.ThumbDown",
    "Track", "TRACKVERT"};

class BuiltInSkins : public skintest::EachBuiltInSkin {
protected:
    const std::vector<fs::path> themes = ThemeFiles();
    const theme::Theme theme = theme::LoadTheme(themes.at(static_cast<std::size_t>(GetParam())));
};
INSTANTIATE_TEST_SUITE_P(, BuiltInSkins, skintest::AllBuiltInSkins(), skintest::SkinNumber);

TEST_P(BuiltInSkins, IsWhatTheThemeDrawsHereOfTheStoresSizes) {
    EXPECT_EQ(themes.size(), static_cast<std::size_t>(skintest::kBuiltInSkins));
    const auto& stream = data.SkinStream();
    const auto& theme_file = themes.at(static_cast<std::size_t>(GetParam()));
    EXPECT_TRUE(theme::GenerateSkin(theme, theme_file.filename().string()).stream == stream) << "drawn differently";
    EXPECT_TRUE(stream.size() >= 25'000u && stream.size() <= 100'000u);
    const std::uint32_t declared = stream[0] | (stream[1] << 8) | (stream[2] << 16) | (stream[3] << 24);
    EXPECT_TRUE(declared >= 180'000u && declared <= 820'000u);
}

TEST_P(BuiltInSkins, DefinesTheSectionsTheEngineWouldFillFromItsOwnResources) {
    const std::string ini = Definition(data.SkinStream());
    for (const char* name : {"personality", "buttons", "colours", "customcolors", "mdicontrols", "fonts"})
        EXPECT_NE(ini.find(std::string("[") + name + "]"), std::string::npos) << name;
    EXPECT_FALSE(IsSystemColour(data.Colours().ButtonFace)) << "every named colour comes from the skin";
}

TEST_P(BuiltInSkins, EveryObjectsStateImagesAndMarginsFit) {
    for (const char* name : kGenericObjects) {
        const TDataSkinObject* o = data.FindObject(name);
        ASSERT_NE(o, nullptr) << name;
        ExpectSlicesFit(*o);
    }
    ExpectSlicesFit(data.Left());
    ExpectSlicesFit(data.Right());
    ExpectSlicesFit(data.Top(), true);
    ExpectSlicesFit(data.Bottom(), true);
    ASSERT_NE(data.MenuBar(), nullptr);
    ExpectSlicesFit(*data.MenuBar());
    EXPECT_TRUE(data.MenuBar()->Tiled()) << "a stretched band is sliced into stacked states, these lie side by side";
    ExpectSlicesFit(data.Buttons());
}

TEST_P(BuiltInSkins, CaptionButtonsHaveFourStatesCentredOnTheTitle) {
    const int title = data.Top().Map.Height() / 2;
    for (const auto& b : data.CaptionButtons()) {
        if (b->Action > CaptionAction::Minimise) continue;  // the system menu's icon
        ASSERT_EQ(b->Frame, 4) << b->Name;
        for (int k = 1; k < 4; ++k) EXPECT_NE(Cell(b->Map, 4, k), Cell(b->Map, 4, k + 1)) << b->Name << " " << k;
        EXPECT_EQ(b->Ycoord, (title - b->Map.Height()) / 2) << b->Name;
    }
}

TEST_P(BuiltInSkins, PushButtonsAreRoundedAsTheThemeSaysAndTheirStatesAndTextsTellApart) {
    TDataSkinButton& buttons = data.Buttons();
    // Round corners (a radius of 1 cuts no pixel) are keyed inside the fixed margins.
    const Bitmap face = Cell(buttons.Map, 5, 1);
    EXPECT_EQ(SameRgb(face.At(0, 0), kKeyPixel), theme.shape.control_radius > 1);
    EXPECT_FALSE(SameRgb(face.At(face.Width() / 2, face.Height() / 2), kKeyPixel));
    EXPECT_GE(std::min(buttons.LeftWidth, buttons.TopHeight), theme.shape.control_radius);
    EXPECT_EQ(SameRgb(buttons.RadioMap.At(0, 0), kKeyPixel), theme.shape.control_radius > 1);
    // The check and radio strips share the push buttons' Trans.
    EXPECT_TRUE(buttons.Keyed() || KeyCount(buttons.CheckMap) + KeyCount(buttons.RadioMap) == 0);
    for (int i = 1; i <= 5; ++i)
        for (int j = i + 1; j <= 5; ++j) EXPECT_NE(Cell(buttons.Map, 5, i), Cell(buttons.Map, 5, j)) << i << j;
    for (const auto& [k, text] : {std::make_pair(1, buttons.NormalColour2),
                                  std::make_pair(4, buttons.MouseOverColour2),
                                  std::make_pair(2, buttons.PressedColour2)}) {
        const Bitmap cell = Cell(buttons.Map, 5, k);
        const Pixel under = cell.At(cell.Width() / 2, cell.Height() / 2 + 2);
        EXPECT_GT(std::abs(Lightness(PixelFromColour(text)) - Lightness(under)), 0.4) << k;
    }
    // A normal menu item lets the pop-up's background through.
    const Bitmap& items = data.FindObject("MenuItem")->Map;
    EXPECT_EQ(KeyCount(Cell(items, 5, 1)), items.Width() / 5 * items.Height());
}

TEST_P(BuiltInSkins, ThePreviewTellsAnActiveTitleBarFromAnInactiveOneInTheSkinsColours) {
    const int title = data.Top().Map.Height() / 2;
    const SkinPreview active = ComposeSkinPreview(data, SkinPreviewArgs{480, 360, true});
    const SkinPreview inactive = ComposeSkinPreview(data, SkinPreviewArgs{480, 360, false});
    bool differs = false;
    for (int x = 0; x < 480; ++x) differs |= !SameRgb(active.image.At(x, title / 2), inactive.image.At(x, title / 2));
    EXPECT_TRUE(differs) << "the inactive title bar looks active";
    ASSERT_FALSE(active.labels.empty() || inactive.labels.empty());
    EXPECT_EQ(active.labels.front().text, "Tour of Vellumcast");
    EXPECT_EQ(active.labels.front().colour, data.Title().ActiveTextColour);
    EXPECT_EQ(inactive.labels.front().colour, data.Title().InactiveTextColour);
}

// A triangle's own ink lies at its base.
TEST_P(BuiltInSkins, ScrollArrowsPointTheirWay) {
    const Pixel glyph = ThemePixel(theme.palette.face_text);
    const Bitmap& bar = data.FindObject("Scrollbar")->Map;
    // The normal states (1, 5, 9, 13) of left, right, up and down.
    for (const bool horizontal : {true, false}) {
        const Bitmap first = Cell(bar, 23, horizontal ? 1 : 9), second = Cell(bar, 23, horizontal ? 5 : 13);
        EXPECT_GT(OwnInkOffset(first, second, glyph, horizontal), 0.5) << "left or up arrow";
        EXPECT_LT(OwnInkOffset(second, first, glyph, horizontal), -0.5) << "right or down arrow";
    }
}

}  // namespace
}  // namespace vc
