// The sixteen skins the runtime carries, as the build drew them from
// skins/NN-name.theme into SkinItemN.vcskin.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "common/text.h"
#include "skin/quick_ini.h"
#include "skin/skin_data.h"
#include "skin/skin_preview.h"
#include "skin/skin_reader.h"
#include "skin_generator.h"

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

std::uint32_t DeclaredSize(const std::vector<std::uint8_t>& stream) {
    return stream.size() < 4 ? 0
                             : stream[0] | (stream[1] << 8) | (stream[2] << 16) | (std::uint32_t(stream[3]) << 24);
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

bool HasMagenta(const Bitmap& image) {
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x)
            if (SameRgb(image.At(x, y), MakePixel(255, 0, 255))) return true;
    return false;
}

// The state images of an object are side by side (stacked for `stacked`),
// as many as its frame count, and its fixed margins fit inside one of them.
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
}

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
        EXPECT_GE(stream.size(), 25'000u) << "skin " << n;
        EXPECT_LE(stream.size(), 100'000u) << "skin " << n;
        EXPECT_GE(DeclaredSize(stream), 180'000u) << "skin " << n;
        EXPECT_LE(DeclaredSize(stream), 820'000u) << "skin " << n;
        TSkinData data;
        data.SkinStream() = stream;
        ASSERT_TRUE(data.LoadSkin()) << "skin " << n;
        EXPECT_FALSE(data.SkinName().empty());
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
    for (int n = 0; n < kBuiltInSkins; ++n) {
        const auto stream = ReadBytes(SkinFile(n));
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

        TDataSkinButton& buttons = data.Buttons();
        ExpectSlicesFit(buttons, skin);
        ASSERT_FALSE(buttons.CheckMap.Empty());
        ASSERT_FALSE(buttons.RadioMap.Empty());
        ASSERT_GE(buttons.CheckFrame, 4);
        ASSERT_GE(buttons.RadioFrame, 4);
        EXPECT_EQ(buttons.CheckMap.Width() % buttons.CheckFrame, 0);
        EXPECT_EQ(buttons.RadioMap.Width() % buttons.RadioFrame, 0);

        EXPECT_NE(data.Title().ActiveTextColour, clNone);
        EXPECT_NE(data.Title().InactiveTextColour, clNone);
        EXPECT_FALSE(IsSystemColour(data.Colours().ButtonFace)) << "every named colour comes from the skin";
        EXPECT_FALSE(IsSystemColour(data.Colours().TitleTextNoActive));
        EXPECT_GE(data.Palette().size(), 4u);
    }
}

// A side holding the key colour is drawn transparent; at least one skin
// shapes the window and one keeps it square; every preview tells an active
// title bar from an inactive one.
TEST(BuiltInSkins, TransparentSidesShapesAndPreviews) {
    int shaped = 0, rectangular = 0;
    for (int n = 0; n < kBuiltInSkins; ++n) {
        TSkinData data;
        data.SkinStream() = ReadBytes(SkinFile(n));
        ASSERT_TRUE(data.LoadSkin()) << "skin " << n;
        SCOPED_TRACE(std::to_string(n) + " " + data.SkinName());
        bool any_trans = false, any_magenta = false;
        for (TDataSkinBorder* side : {&data.Left(), &data.Right(), &data.Top(), &data.Bottom()}) {
            const bool magenta = HasMagenta(side->Map);
            any_trans |= side->Trans != 0;
            any_magenta |= magenta;
            EXPECT_TRUE(!magenta || side->Trans != 0) << side->Name << " would paint the key colour";
        }
        shaped += data.Top().Trans != 0 && SameRgb(data.Top().Map.At(0, 0), MakePixel(255, 0, 255));
        rectangular += !any_trans && !any_magenta;

        const Bitmap active = RenderSkinPreview(data, SkinPreviewArgs{480, 360, true});
        const Bitmap inactive = RenderSkinPreview(data, SkinPreviewArgs{480, 360, false});
        ASSERT_EQ(std::make_pair(active.Width(), active.Height()), std::make_pair(480, 360));
        const int title = data.Top().Map.Height() / 2;
        bool differs = false;
        for (int x = 0; x < 480 && !differs; ++x) differs = !SameRgb(active.At(x, title / 2), inactive.At(x, title / 2));
        EXPECT_TRUE(differs) << "the inactive title bar looks active";
    }
    EXPECT_GE(shaped, 1) << "no skin shapes the window";
    EXPECT_GE(rectangular, 1) << "no skin is free of transparency";
}

TEST(BuiltInSkins, TheGeneratorGivesTheSameBytesForTheSameTheme) {
    const auto themes = ThemeFiles();
    ASSERT_FALSE(themes.empty());
    for (int n : {0, kBuiltInSkins - 1}) {
        if (n >= static_cast<int>(themes.size())) continue;
        const theme::Theme theme = theme::LoadTheme(themes[n]);
        const auto source = themes[n].filename().string();
        const auto first = theme::GenerateSkin(theme, source);
        const auto second = theme::GenerateSkin(theme, source);
        EXPECT_TRUE(first.stream == second.stream) << themes[n];
        EXPECT_TRUE(first.stream == ReadBytes(SkinFile(n))) << "another process drew " << themes[n] << " differently";
    }
}

}  // namespace
}  // namespace vc
