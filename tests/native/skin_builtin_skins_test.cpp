// The sixteen skins the runtime carries, as the build drew them from
// skins/NN-name.theme into SkinItemN.vcskin, and what the generator
// guarantees of every one of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "common/text.h"
#include "skin/composition.h"
#include "skin/quick_ini.h"
#include "skin/skin_data.h"
#include "skin/skin_frame.h"
#include "skin/skin_preview.h"
#include "skin/skin_reader.h"
#include "skin_generator.h"
#include "skin_paint.h"

namespace vc {
namespace {

namespace fs = std::filesystem;

constexpr int kBuiltInSkins = 16;

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

fs::path SkinFile(int number) {
    return fs::path(VC_BUILTIN_SKINS_DIR) / ("SkinItem" + std::to_string(number) + ".vcskin");
}

std::vector<fs::path> ThemeFiles() {
    std::vector<fs::path> themes;
    for (const auto& entry : fs::directory_iterator(fs::path(VC_SOURCE_DIR) / "skins")) {
        if (entry.path().extension() == ".theme") themes.push_back(entry.path());
    }
    std::sort(themes.begin(), themes.end());
    return themes;
}

// The definition's section names, in lower case.
std::set<std::string> Sections(const std::vector<std::uint8_t>& stream) {
    TSkinReader reader;
    EXPECT_TRUE(reader.Load(stream));
    std::vector<std::uint8_t> text;
    std::string name;
    reader.FindFile(".ini", text, name);
    TQuickIni ini;
    ini.LoadFromStream(text);
    StringList sections;
    ini.ReadSections(sections);
    std::set<std::string> lower;
    for (const std::string& s : sections) lower.insert(LowerCase(s));
    return lower;
}

int KeyCount(const Bitmap& image) {
    int n = 0;
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) n += SameRgb(image.At(x, y), kKeyPixel);
    return n;
}

bool HasMagenta(const Bitmap& image) { return KeyCount(image) > 0; }

double Lightness(Pixel p) { return (0.299 * PixelRed(p) + 0.587 * PixelGreen(p) + 0.114 * PixelBlue(p)) / 255; }

// Whether each pixel of a window of this size is kept by the region the
// runtime cuts the window to, row by row.
std::vector<std::vector<bool>> Kept(const TSkinData& data, int width, int height) {
    FrameWindow window;
    window.width = width;
    window.height = height;
    const FrameRegion region = BuildFrameRegion(data, FrameLayout(data, window));
    std::vector<std::vector<bool>> kept(height, std::vector<bool>(width, region.whole));
    for (const Rect& r : region.rects)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) kept[y][x] = true;
    return kept;
}

// State image k (1-based) of n side by side.
Bitmap Cell(const Bitmap& image, int n, int k) { return CopyRect(image, StateImageRect(image, false, n, k)); }

// How close the closest pixel of `image` comes to the theme's `colour`.
int Nearest(const Bitmap& image, theme::Colour colour) {
    const art::Pixel c = theme::ArtPixel(colour);
    int best = 1 << 20;
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Pixel p = image.At(x, y);
            best = std::min(best, std::abs(PixelRed(p) - c.r) + std::abs(PixelGreen(p) - c.g) +
                                      std::abs(PixelBlue(p) - c.b));
        }
    }
    return best;
}

// The state images of an object are side by side (stacked for `stacked`),
// as many as its frame count, and its fixed margins fit inside one of them.
// Trans is set wherever the image holds the key colour, or the runtime
// paints magenta; and only there (but the tab pane, whose Trans follows the
// theme's corner radius, even where a small radius cuts nothing away).
void ExpectSlicesFit(const TDataSkinObject& o, const std::string& skin, bool stacked = false) {
    SCOPED_TRACE(skin + ", " + o.Name);
    ASSERT_FALSE(o.Map.Empty());
    ASSERT_GE(o.Frame, 1);
    const int along = stacked ? o.Map.Height() : o.Map.Width();
    EXPECT_EQ(along % o.Frame, 0) << along << " pixels do not divide into " << o.Frame << " state images";
    const int w = stacked ? o.Map.Width() : o.Map.Width() / o.Frame;
    const int h = stacked ? o.Map.Height() / o.Frame : o.Map.Height();
    EXPECT_LE(o.LeftWidth + o.RightWidth, w);
    EXPECT_LE(o.TopHeight + o.BottomHeight, h);
    const bool magenta = HasMagenta(o.Map);
    EXPECT_TRUE(o.Trans != 0 || !magenta) << "the key colour would be painted";
    EXPECT_TRUE(o.Trans == 0 || magenta) << "Trans without the key colour";
}

// The build's skins are what this process draws from the themes, byte for
// byte, and of the sizes the runtime's store was made for.
TEST(BuiltInSkins, SixteenThemesGiveSixteenSkinsOfTheStoreSizes) {
    const auto themes = ThemeFiles();
    ASSERT_EQ(themes.size(), static_cast<std::size_t>(kBuiltInSkins));
    std::set<std::string> names;
    for (int n = 0; n < kBuiltInSkins; ++n) {
        char prefix[4];
        std::snprintf(prefix, sizeof prefix, "%02d-", n);
        EXPECT_EQ(themes[n].filename().string().rfind(prefix, 0), 0u) << themes[n] << " is not skin " << n;
        const auto stream = ReadBytes(SkinFile(n));
        ASSERT_FALSE(stream.empty()) << SkinFile(n) << " was not built";
        const theme::Theme theme = theme::LoadTheme(themes[n]);
        const auto drawn = theme::GenerateSkin(theme, themes[n].filename().string());
        EXPECT_TRUE(drawn.stream == stream) << "another process drew " << themes[n] << " differently";
        if (n == 0) {
            EXPECT_TRUE(theme::GenerateSkin(theme, themes[n].filename().string()).stream == drawn.stream);
        }
        EXPECT_GE(stream.size(), 25'000u) << "skin " << n;
        EXPECT_LE(stream.size(), 100'000u) << "skin " << n;
        const std::uint32_t declared = stream[0] | (stream[1] << 8) | (stream[2] << 16) | (stream[3] << 24);
        EXPECT_GE(declared, 180'000u) << "skin " << n;
        EXPECT_LE(declared, 820'000u) << "skin " << n;
        TSkinData data;
        data.SkinStream() = stream;
        ASSERT_TRUE(data.LoadSkin()) << "skin " << n;
        EXPECT_TRUE(names.insert(data.SkinName()).second) << "two skins are named " << data.SkinName();
    }
}

TEST(BuiltInSkins, EverySkinDefinesEveryObjectWithConsistentStateImages) {
    const char* generic[] = {"Progress",           "Progress.Chunk",     "Tabs",
                             "ComboButton",        "UpDown.Horz",        "UpDown.Vert",
                             "GroupBox",           "GroupBoxEdge",       "StatusBarEdges",
                             "Tab.Pane",           "ToolBars",           "SunkEdge",
                             "ExtraImages",        "Headerbar",          "MenuItem",
                             "MenuBackground",     "Scrollbar",          "HorzScroll",
                             "VertScroll",         "HorzScrollThumb",    "VertScrollThumb",
                             "Trackbar.ThumbHorz", "Trackbar.ThumbVert", "Trackbar.ThumbLeft",
                             "Trackbar.ThumbRight", "Trackbar.ThumbUp",  "Trackbar.ThumbDown",
                             "Track",              "TRACKVERT"};
    int shaped = 0, rectangular = 0;
    for (int n = 0; n < kBuiltInSkins; ++n) {
        const auto stream = ReadBytes(SkinFile(n));
        const theme::Theme theme = theme::LoadTheme(ThemeFiles()[n]);
        TSkinData data;
        data.SkinStream() = stream;
        ASSERT_TRUE(data.LoadSkin()) << "skin " << n;
        const std::string skin = std::to_string(n) + " " + data.SkinName();
        SCOPED_TRACE(skin);

        // Sections the engine would otherwise fill from its own resources
        // must come from the skin itself.
        const auto sections = Sections(stream);
        for (const char* name : generic) EXPECT_EQ(sections.count(LowerCase(name)), 1u) << name;
        for (const char* name : {"personality", "buttons", "colours", "customcolors", "mdicontrols", "fonts"})
            EXPECT_EQ(sections.count(name), 1u) << name;

        for (const char* name : generic) {
            const TDataSkinObject* o = data.FindObject(name);
            ASSERT_NE(o, nullptr) << name;
            ExpectSlicesFit(*o, skin);
        }
        for (const char* derived : {"Toolbar", "ComboxArrow"}) ASSERT_NE(data.FindObject(derived), nullptr) << derived;
        EXPECT_EQ(data.FindObject("Scrollbar")->Frame, 23);

        ExpectSlicesFit(data.Left(), skin);
        ExpectSlicesFit(data.Right(), skin);
        ExpectSlicesFit(data.Top(), skin, true);
        ExpectSlicesFit(data.Bottom(), skin, true);
        EXPECT_EQ(data.Top().Frame, 2) << "an active and an inactive title bar";
        EXPECT_GE(data.Top().Map.Height() / 2, 16) << "title bar height";
        ASSERT_NE(data.MenuBar(), nullptr);
        ExpectSlicesFit(*data.MenuBar(), skin);
        shaped += data.Top().Trans != 0 && SameRgb(data.Top().Map.At(0, 0), MakePixel(255, 0, 255));
        // The window's shape is symmetric left to right, its corners cut to
        // quarter circles of the theme's radii.
        const int title = data.Top().Map.Height() / 2;
        const auto kept = Kept(data, 400, 300);
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 200; ++x) ASSERT_EQ(kept[y][x], kept[y][399 - x]) << x << "," << y;
        for (const auto& [radius, row, down] : {std::tuple{theme.shape.corner_radius, 0, 1},
                                                std::tuple{theme.shape.bottom_radius, 299, -1}}) {
            EXPECT_EQ(kept[row][0], radius == 0) << "radius " << radius;
            // The pixel at (1, 1) lies inside a circle of radius 4, outside one of 6.
            EXPECT_EQ(kept[row + down][1], radius < 5) << "radius " << radius;
            EXPECT_TRUE(kept[row + down * radius][0] && kept[row][radius]) << "radius " << radius;
        }
        // The caption buttons: four distinct states each, centred in the
        // title, inside the window's shape, a theme's gap apart, each shown
        // only with its box (Visibility1 6: maximise, 8: minimise); restore
        // takes maximise's place.
        std::vector<int> lefts;
        for (const auto& b : data.CaptionButtons()) {
            if (b->Action > 2) continue;  // the system menu's icon
            SCOPED_TRACE(b->Name);
            ASSERT_EQ(b->Frame, 4);
            for (int k = 1; k < 4; ++k) EXPECT_NE(Cell(b->Map, 4, k), Cell(b->Map, 4, k + 1)) << k;
            EXPECT_EQ(b->Ycoord, (title - b->Map.Height()) / 2);
            EXPECT_EQ(b->Visibility1, b->Action == 1 ? 6 : b->Action == 2 ? 8 : 0);
            const Rect r = CaptionButtonBounds(*b, 400);
            for (const auto& [x, y] : {std::pair{r.left, r.top}, {r.right - 1, r.top}, {r.left, r.bottom - 1},
                                       {r.right - 1, r.bottom - 1}})
                EXPECT_TRUE(kept[y][x]) << x << "," << y;
            if (b->Visibility != 1) lefts.push_back(r.left);
        }
        ASSERT_EQ(lefts.size(), 3u);
        std::sort(lefts.begin(), lefts.end());
        EXPECT_EQ(lefts[1] - lefts[0], theme.shape.caption_button_width + theme.shape.caption_button_gap);
        EXPECT_EQ(lefts[2] - lefts[1], theme.shape.caption_button_width + theme.shape.caption_button_gap);
        rectangular += data.Left().Trans == 0 && data.Right().Trans == 0 && data.Top().Trans == 0 &&
                       data.Bottom().Trans == 0;

        TDataSkinButton& buttons = data.Buttons();
        ExpectSlicesFit(buttons, skin);
        EXPECT_EQ(buttons.CheckFrame, 12);
        EXPECT_EQ(buttons.RadioFrame, 12);
        EXPECT_EQ(buttons.CheckMap.Width(), 12 * buttons.CheckMap.Height());
        EXPECT_EQ(buttons.RadioMap.Width(), 12 * buttons.RadioMap.Height());
        // The check and radio strips share the push buttons' Trans.
        EXPECT_TRUE(buttons.Trans != 0 || (!HasMagenta(buttons.CheckMap) && !HasMagenta(buttons.RadioMap)));
        // What a user tells apart: the push buttons' five states (normal,
        // pressed, disabled, hot, focused), and boxes and radio buttons
        // (1 unchecked, 5 checked, 8 checked disabled) by their accent mark.
        for (int i = 1; i <= 5; ++i)
            for (int j = i + 1; j <= 5; ++j) EXPECT_NE(Cell(buttons.Map, 5, i), Cell(buttons.Map, 5, j)) << i << j;
        // The text of each state reads on its face.
        for (const auto& [k, text] : {std::make_pair(1, buttons.NormalColour2), std::make_pair(4, buttons.MouseOverColour2),
                                      std::make_pair(2, buttons.PressedColour2)}) {
            const Bitmap cell = Cell(buttons.Map, 5, k);
            EXPECT_GT(std::abs(Lightness(PixelFromColour(text)) - Lightness(cell.At(cell.Width() / 2, cell.Height() / 2 + 2))), 0.4) << k;
        }
        for (const Bitmap* strip : {&buttons.CheckMap, &buttons.RadioMap}) {
            const int checked = Nearest(Cell(*strip, 12, 5), theme.palette.accent);
            EXPECT_LT(checked, 40);
            EXPECT_GT(Nearest(Cell(*strip, 12, 1), theme.palette.accent), checked + 50);
            EXPECT_GT(Nearest(Cell(*strip, 12, 8), theme.palette.accent), checked + 30);
        }
        // A normal menu item lets the pop-up's background through; the
        // separator's rule lies in its bottom eight rows, so that an
        // eight-pixel separator item shows it.
        const Bitmap& items = data.FindObject("MenuItem")->Map;
        const Bitmap separator = Cell(items, 5, 2);
        const int w = separator.Width(), h = separator.Height();
        EXPECT_EQ(KeyCount(Cell(items, 5, 1)), w * h);
        EXPECT_EQ(KeyCount(CopyRect(separator, Rect{0, 0, w, h - 8})), w * (h - 8));
        EXPECT_LT(KeyCount(CopyRect(separator, Rect{0, h - 8, w, h})), w * 8);
        EXPECT_LT(Nearest(Cell(items, 5, 4), theme.palette.highlight), 30) << "the selected item";
        const Bitmap& popup = data.FindObject("MenuBackground")->Map;
        EXPECT_EQ(Nearest(CopyRect(popup, Rect{3, 3, 4, 4}), theme.palette.menu), 0) << "a frame 3 pixels wide";
        EXPECT_GT(Nearest(CopyRect(popup, Rect{0, 3, 1, 4}), theme.palette.menu), 0);
        EXPECT_EQ(data.MenuBar()->FrameCount(), 2);
        EXPECT_NE(data.MenuBar()->Tile, 1) << "a band with Tile 1 is sliced into stacked states, these lie side by side";

        EXPECT_NE(data.Title().ActiveTextColour, clNone);
        EXPECT_NE(data.Title().InactiveTextColour, clNone);
        EXPECT_FALSE(IsSystemColour(data.Colours().ButtonFace)) << "every named colour comes from the skin";
        EXPECT_FALSE(IsSystemColour(data.Colours().TitleTextNoActive));
        EXPECT_GE(data.Palette().size(), 4u);

        // Every preview tells an active title bar from an inactive one.
        const Bitmap active = RenderSkinPreview(data, SkinPreviewArgs{480, 360, true});
        const Bitmap inactive = RenderSkinPreview(data, SkinPreviewArgs{480, 360, false});
        ASSERT_EQ(std::make_pair(active.Width(), active.Height()), std::make_pair(480, 360));
        bool differs = false;
        for (int x = 0; x < 480 && !differs; ++x) differs = !SameRgb(active.At(x, title / 2), inactive.At(x, title / 2));
        EXPECT_TRUE(differs) << "the inactive title bar looks active";
    }
    EXPECT_GE(shaped, 1) << "no skin shapes the window";
    EXPECT_GE(rectangular, 1) << "no skin is free of transparency";
}

}  // namespace
}  // namespace vc
