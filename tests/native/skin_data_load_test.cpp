#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <tuple>
#include <utility>

#include "skin/format/skin_builtin.h"
#include "skin/look/skin_data.h"
#include "skin/format/skin_store.h"
#include "skin_data_fixture.h"
#include "error_text.h"

namespace vc {
namespace {

using skintest::Pack;
using skintest::Solid;

TSkinData& Load(TSkinData& data, const std::string& ini, const std::vector<skintest::Image>& images = {}) {
    data.SkinStream() = Pack(ini, images);
    EXPECT_TRUE(data.LoadSkin());
    return data;
}

struct RecordingManager : ISkinManagerLink {
    std::vector<std::string> calls;
    bool activated = false;
    void SetCurrentSkinData(TSkinData&) override { calls.push_back("current"); }
    void DropCaptionButtons(TSkinData&) override { calls.push_back("drop"); }
    bool EverActivated() const override { return activated; }
    void MarkActivated() override {
        activated = true;
        calls.push_back("activated");
    }
    void RequestAction(SkinAction action, int delay) override {
        calls.push_back("action " + std::to_string(static_cast<int>(action)) + " after " + std::to_string(delay));
    }
};

TEST(SkinDataLoad, SectionsFrameBordersCaptionTextMenuBarAndProgressTakeTheirValuesOrDefaults) {
    TSkinData data;
    Load(data,
         "[Colour1]\ncolor=1 1 1\n[Colours]\nButtonFace=10 20 30\nButtonText=5 5 5\n[Colour0]\ncolor=0 0 0\n"
         "[Colour2]\n[Customcolors]\nColor3=7 8 9\n"
         "[Buttons]\nBitmap=b.bmp\nCheckButton=c.bmp\nRadioButton=r.bmp\nCheckButtonFrame=0\nTile=1\n"
         "NormalColour2=200 0 0\nPressedColour2=\nMouseOverColour=4\n"
         "[MENUITEM]\nImage=skins\\item.bmp\nFrame=9\nTile=2\nLeftWidth=4\nNormalColour=2\n"
         "[MenuBackground]\nImage=missing.bmp\nTile=1\n[Headerbar]\nImage=item.bmp\n[HorzScrollThumb]\nImage=item.bmp\n"
         "[VertScrollThumb]\nImage=item.bmp\nFrameCount=2\nFrame=8\n"
         "[Tab.Pane]\nImage=item.bmp\nTrans=2\nLeftWidth=7\nTopHeight=4\nRightWidth=2\nBottomHeight=5\n"
         "[Scrollbar]\nImage=item.BMP\n"
         "[SunkEdge]\nImage=\n",
         {{"item.bmp", Solid(10, 6, 1, 2, 3)}, {"b.bmp", Solid(50, 20, 1, 1, 1)}, {"c.bmp", Solid(52, 13, 1, 1, 1)},
          {"r.bmp", Solid(96, 16, 1, 1, 1)}});
    auto* item = data.FindObject("MenuItem");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(skintest::Shape(*item), "frame 5 stretch key painted margins 4,0,0,0");
    EXPECT_EQ(std::make_tuple(item->NormalColour, item->MouseOverColour), std::make_tuple(2, -1));
    EXPECT_EQ(item->NormalColour2, 0x050505u);  // the definition's ButtonText
    EXPECT_TRUE(data.FindObject("MenuBackground")->Map.Empty());
    for (const auto& [name, frame] : std::vector<std::pair<const char*, int>>{
             {"Headerbar", 5}, {"HorzScrollThumb", 3}, {"VertScrollThumb", 2}, {"Scrollbar", 23}}) {
        ASSERT_NE(data.FindObject(name), nullptr) << name;
        EXPECT_EQ(data.FindObject(name)->Frame, frame) << name;
    }
    EXPECT_EQ(skintest::Shape(*data.FindObject("Tab.Pane")), "frame 1 stretch key clear margins 4,4,2,4");
    EXPECT_EQ(data.FindObject("SunkEdge"), nullptr);  // no image, no object

    const TDataSkinButton& b = data.Buttons();
    EXPECT_EQ(std::make_tuple(b.Frame, b.Tiled(), b.CheckFrame, b.RadioFrame, b.MouseOverColour),
              std::make_tuple(5, true, 4, 6, 4));
    EXPECT_EQ(std::make_tuple(b.HasNormalColour2, b.HasPressedColour2, b.HasMouseOverColour2),
              std::make_tuple(true, false, false));
    EXPECT_EQ(b.NormalColour2, 0x0000C8u);
    EXPECT_EQ(b.PressedColour2, 0x050505u);

    EXPECT_EQ(data.Colours().Menubar, 0x1E140Au);  // the face colour when not given
    EXPECT_EQ(data.CustomColours()[3], 0x090807u);

    TSkinData tiny;
    Load(tiny, "[Buttons]\nRadioButton=r.bmp\nRadioButtonFrame=7\n", {{"r.bmp", Solid(20, 20, 1, 1, 1)}});
    EXPECT_EQ(tiny.Buttons().RadioFrame, 7);
    EXPECT_EQ(tiny.Buttons().CheckFrame, 4);  // no image: at least four

    TSkinData borders;
    Load(borders,
         "[Progress]\nBitmap=p.bmp\nStyle=0\nTile=5\nTrans=1\nNormalColour=3\n[Tabs]\nImage=p.bmp\nBorder=g.bmp\n"
         "[UpDown.Vert]\nImage=p.bmp\nGlyphImage=g.bmp\n[ComboButton]\nImage=c.bmp\n"
         "[Personality]\nLeft=l.bmp\nLeftTopHeight=7\nLeftBotHeight=3\n"
         "Top=t.bmp\nTopTopHeight=11\nTopBotHeight=12\nTopFrame=2\nTopStretch=4\nTopTrans=0\n"
         "TextBack=l.bmp\nTextShift=5\nTextShiftVert=6\nTextRightClip=7\nTextAlignment=1\nTXTBackRight=4\n"
         "ActiveTextR=255\nActiveTextG=128\nActiveTextB=0\nInActiveTextR=1\nInActiveTextG=2\n"
         "menuBar=m.bmp\nTileMenu=3\nTileRightMenu=9\n",
         {{"l.bmp", Solid(4, 30, 1, 1, 1)}, {"t.bmp", Solid(60, 20, 2, 2, 2)}, {"m.bmp", Solid(8, 8, 3, 3, 3)},
          {"p.bmp", Solid(4, 4, 9, 9, 9)}, {"g.bmp", Solid(3, 3, 1, 1, 1)}, {"c.bmp", skintest::States(2, 2, 2)}});
    EXPECT_EQ(skintest::Shape(borders.Left()), "frame 1 stretch key shapes margins 0,7,0,3");
    EXPECT_EQ(skintest::Shape(borders.Top()), "frame 2 stretch key painted margins 11,0,12,0");

    const TDataSkinTitle& t = borders.Title();
    EXPECT_EQ(skintest::Shape(t), "frame 2 stretch key painted margins 5,6,7,0");  // the text shifts and clip
    EXPECT_EQ(std::make_tuple(t.TextAlignment, t.TXTBackRight, t.FontHeight), std::make_tuple(TextAlign::Right, 4, 14));
    EXPECT_EQ(t.ActiveTextColour, 0x0080FFu);
    EXPECT_EQ(t.InactiveTextColour, clNone);  // one of its three keys missing

    ASSERT_NE(borders.MenuBar(), nullptr);
    EXPECT_EQ(skintest::Shape(*borders.MenuBar()), "frame 2 stretch key painted margins 1,0,9,0");
    // The caption sample: Top at (60 / 3, (20 / 2) / 3).
    EXPECT_EQ(borders.CaptionSampleColour(), 0x020202u);

    auto* progress = borders.Find<TDataSkinBorder>("Progress");
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(skintest::Shape(*progress), "frame 2 repeat key shapes margins 0,0,0,0");
    for (const auto& [name, frame] : std::vector<std::pair<const char*, int>>{{"Tabs", 5}, {"UpDown.Vert", 8}}) {
        EXPECT_EQ(borders.Find<TDataSkinBorder>(name)->Map2.Width(), 3) << name;
        EXPECT_EQ(borders.Find<TDataSkinBorder>(name)->Frame, frame) << name;
    }
    auto* combo = borders.Find<TDataSkinBorder>("ComboButton");
    EXPECT_EQ(combo->Map2.At(0, 0), combo->Map.At(3, 0));  // mirrored copy

    TSkinData styled;
    Load(styled, "[Progress]\nBitmap=p.bmp\nStyle=1\n", {{"p.bmp", Solid(4, 4, 9, 9, 9)}});
    EXPECT_EQ(styled.FindObject("Progress")->Frame, 1);
}

TEST(SkinDataLoad, CaptionButtonsComboCompositeArrowAndTheToolbarGradientFollowTheSkin) {
    TSkinData data;
    Load(data,
         "[Buttons]\nBitmap=x.bmp\n[BUTTON]\nAction=1\n[Button.Radio]\nAction=1\n[BUTTON.CHECKBOX]\nAction=1\n"
         "[ButtonClose]\nAction=0\nAlign=1\nXcoord=20\nYcoord=3\nButtonImage=narrow.bmp\n"
         "[ButtonHidden]\nAction=-1\n"
         "[ButtonShown]\nAction=-1\nVisibility=0\nButtonImage=narrow.bmp\n"
         "[buttonwide]\nAction=2\nButtonImage=wide.bmp\nCombineOp=4\nVisibility=1\n"
         "[ButtonHelp]\nAction=3\nButtonImage=narrow.bmp\n"
         "[ButtonRoll]\nAction=11\nframe=2\nButtonImage=narrow.bmp\n"
         "[MDICONTROLS]\nImage=mdi.bmp\n",
         {{"narrow.bmp", Solid(38, 10, 1, 1, 1)},  // 3.8 wide per unit of height
          {"wide.bmp", Solid(39, 10, 1, 1, 1)},
          {"mdi.bmp", skintest::States(10, 9, 12)}});
    const auto row = [](const TDataSkinSysButton& c) {
        const char* actions[] = {"decoration", "close", "maximise", "minimise", "icon", "menu", "inert", "program"};
        const char* aligns[] = {"left", "right", "caption-right", "caption-left", "unplaced"};
        const char* shows[] = {"always", "never", "max", "not-max", "active", "inactive", "max-box", "max-box+close",
                               "no-max-box", "min-box", "min-box+close", "no-min-box", "child", "dialog", "asked"};
        std::ostringstream o;
        o << c.Name << ' ' << actions[static_cast<int>(c.Action)] << ' ' << aligns[static_cast<int>(c.Align)] << ' ' << c.Xcoord << ' ' << c.Ycoord << ' ' << c.CombineOp
          << ' ' << shows[static_cast<int>(c.Visibility)] << ' ' << shows[static_cast<int>(c.Visibility1)] << ' ' << c.Frame << (c.Map.Empty() ? " no image" : "");
        return o.str();
    };
    std::vector<std::string> rows;
    for (const auto& c : data.CaptionButtons()) rows.push_back(row(*c));
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "ButtonClose close right 20 3 -1 always always 3",
                        "ButtonShown decoration left 0 0 -1 always never 6",  // a negative action
                        "buttonwide minimise left 0 0 4 max always 6",
                        "ButtonHelp icon left 0 0 -1 always always 3 no image",
                        "ButtonRoll icon left 0 0 -1 always always 2",  // an explicit frame keeps the image
                        "MDICONTROLS inert unplaced 42 0 -1 child child 4",
                        "MDICONTROLS inert unplaced 28 0 -1 child child 4",
                        "MDICONTROLS inert unplaced 14 0 -1 child child 4"}));
    for (std::size_t k = 0; k < 3 && data.CaptionButtons().size() == 8; ++k) {
        const Bitmap& map = data.CaptionButtons()[5 + k]->Map;
        ASSERT_EQ(std::make_pair(map.Width(), map.Height()), std::make_pair(40, 9));
        EXPECT_EQ(PixelRed(map.At(0, 0)), 10 * (4 * k + 1));
        EXPECT_EQ(PixelRed(map.At(39, 0)), 10 * (4 * k + 4));
    }

    TSkinData plain;
    Load(plain, "[ButtonA]\nAction=1\n");
    ASSERT_EQ(plain.CaptionButtons().size(), 4u);
    EXPECT_EQ(plain.CaptionButtons()[0]->Frame, 6);  // no image

    TSkinData combo_skin;
    const int a = combo_skin.Environment.h_scroll_arrow_width + 2;
    Load(combo_skin,
         "[Colours]\nButtonFace=1 2 3\n[SunkEdge]\nImage=s.bmp\nTopHeight=2\nBottomHeight=3\n"
         "[ComboButton]\nImage=c.bmp\n",
         {{"s.bmp", Solid(16, 21, 0, 100, 0)}, {"c.bmp", Solid(16, 21, 0, 0, 200)}});
    auto* combo = combo_skin.FindObject("ComboButton");
    auto* sunk = combo_skin.FindObject("SunkEdge");
    ASSERT_EQ(std::make_pair(combo->Map.Width(), combo->Map.Height()), std::make_pair(200, 21));
    EXPECT_EQ(combo->Style, 2);
    EXPECT_EQ(skintest::Shape(*combo), "frame 4 stretch key painted margins 2,2," + std::to_string(a + 2) + ",3");
    EXPECT_EQ(std::make_pair(sunk->LeftWidth, sunk->RightWidth), std::make_pair(a + 2, 2));
    // Each of the four frames: the edge round a keyed hole, the button at the right.
    const Pixel green = MakePixel(0, 100, 0), blue = MakePixel(0, 0, 200);
    for (int x0 = 0; x0 < 200; x0 += 50) {
        EXPECT_EQ(combo->Map.At(x0 + 1, 10), green);
        EXPECT_EQ(combo->Map.At(x0 + 2, 2), kKeyPixel);
        EXPECT_EQ(combo->Map.At(x0 + 48 - a, 17), kKeyPixel);
        EXPECT_EQ(combo->Map.At(x0 + 49 - a, 17), green);
        EXPECT_EQ(combo->Map.At(x0 + 2, 18), green);
        EXPECT_EQ(combo->Map.At(x0 + 50 - a, 10), blue);
    }
    EXPECT_EQ(sunk->Map.At(0, 10), blue);  // the mirror image
    EXPECT_EQ(sunk->Map.At(199, 0), green);
    auto* arrow = combo_skin.FindObject("ComboxArrow");
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(std::make_tuple(arrow->Map.Width(), arrow->Map.Height(), arrow->Frame), std::make_tuple(68, 17, 4));
    EXPECT_EQ(arrow->Map.At(67, 16), blue);

    // Without a sunk edge the arrow is the button with its key painted in the face colour.
    TSkinData alone;
    Bitmap keyed = Solid(8, 4, 0, 0, 200);
    keyed.Set(3, 1, kKeyPixel);
    Load(alone, "[Colours]\nButtonFace=1 2 3\n[ComboButton]\nImage=c.bmp\n", {{"c.bmp", keyed}});
    auto* plain_arrow = alone.FindObject("ComboxArrow");
    ASSERT_NE(plain_arrow, nullptr);
    EXPECT_EQ(plain_arrow->Map.At(3, 1), MakePixel(1, 2, 3));
    EXPECT_EQ(plain_arrow->Map.At(0, 0), MakePixel(0, 0, 200));
    EXPECT_EQ(alone.FindObject("ComboButton")->Map.At(3, 1), kKeyPixel);

    const auto toolbar_ends = [](int r, int g, int b) {
        TSkinData data;
        Load(data, "[Colours]\nButtonFace=200 100 0\n[Personality]\nTop=t.bmp\n", {{"t.bmp", Solid(9, 9, r, g, b)}});
        const Bitmap& t = data.FindObject("Toolbar")->Map;
        EXPECT_EQ(std::make_pair(t.Width(), t.Height()), std::make_pair(10, 40));
        EXPECT_EQ(t.At(0, 0), t.At(9, 0));  // top to bottom
        return std::make_pair(ColourFromPixel(t.At(0, 0)), ColourFromPixel(t.At(9, 39)));
    };
    const auto end = [](Colour to) {
        const Colour from = Blend(0x0064C8, 0xFFFFFF, 150);
        return std::make_pair(from, TGradientCache::Compute(from, to, 40).back());
    };
    // Light grey measures 0: grey blended with the sample.
    EXPECT_EQ(toolbar_ends(200, 200, 200), end(Blend(0x808080, 0xC8C8C8, 150)));
    // Pure red (255) and a dark colour (200): the sample lightened by 45 and 54 per cent.
    EXPECT_EQ(toolbar_ends(255, 0, 0), end(Blend(0x0000FF, 0xFFFFFF, 45)));
    EXPECT_EQ(toolbar_ends(20, 40, 60), end(Blend(0x3C2814, 0xFFFFFF, 54)));
}

TEST(SkinDataLoad, SecondLoadKeepsBordersStoreBoundsAndManagerRequests) {
    TSkinData data;
    Load(data, "[Personality]\nLeft=a.bmp\n[MenuItem]\nImage=a.bmp\n[ButtonX]\nAction=1\n",
         {{"a.bmp", Solid(5, 5, 1, 1, 1)}});
    TDataSkinBorder* left = &data.Left();
    ASSERT_NE(data.FindObject("MenuItem"), nullptr);
    Load(data, "[Personality]\nLeft=b.bmp\n[Scrollbar]\nImage=b.bmp\n[TRACKVERT]\nImage=b.bmp\n",
         {{"b.bmp", Solid(7, 3, 2, 2, 2)}});
    EXPECT_EQ(&data.Left(), left);
    EXPECT_EQ(data.Left().Map.Width(), 7);
    EXPECT_EQ(data.FindObject("MenuItem"), nullptr);
    EXPECT_EQ(data.CaptionButtons().size(), 3u);
    EXPECT_EQ(data.ObjectCount(), 4u);  // Toolbar, Track, TRACKVERT and Scrollbar, however often loaded
    // A track the skin does not give is the built-in one; a given one keeps its Frame, not a fixed count.
    EXPECT_EQ(data.FindObject("Track")->Map, BuiltinTrack());
    EXPECT_EQ(skintest::Shape(*data.FindObject("Track")), "frame 1 stretch key painted margins 3,3,3,3");
    EXPECT_EQ(std::make_pair(data.FindObject("TRACKVERT")->Frame, data.FindObject("TRACKVERT")->Map.Height()),
              std::make_pair(0, 3));

    TSkinStore store;
    for (int i = 0; i < 16; ++i) store.Store().Add().DataStream() = Pack("[TitlebarSkin]\nSkinName=Skin " + std::to_string(i) + "\n");
    TSkinData skin;
    RecordingManager manager;
    skin.SetManager(&manager);

    skin.LoadFromStore(store, 16);  // past the end: nothing happens
    EXPECT_TRUE(skin.Loading());
    EXPECT_EQ(testing::ErrorText<EListError>([&] { skin.LoadFromStore(store, -1); }), "List index out of bounds (-1)");

    // Switched on before any skin is there: only recorded.
    skin.SetActive(true);
    EXPECT_TRUE(manager.calls.empty());

    skin.LoadFromStore(store, 15);
    EXPECT_FALSE(skin.Loading());
    EXPECT_EQ(skin.SkinName(), "Skin 15");
    EXPECT_EQ(manager.calls, (std::vector<std::string>{"current", "drop"}));

    manager.calls.clear();
    skin.SetActive(false);
    skin.SetActive(true);
    EXPECT_EQ(manager.calls, (std::vector<std::string>{"current", "action 2 after 250", "current",
                                                       "action 1 after 250", "activated"}));
    manager.calls.clear();
    skin.LoadFromStore(store, 3);
    EXPECT_EQ(manager.calls, (std::vector<std::string>{"current", "drop", "action 3 after 250"}));
}

TEST(SkinDataLoad, FailedLoadsKeepThePreviousSkinFilesAndPropertiesLoadAndLoadedTidiesTheControlSet) {
    TSkinData data;
    std::vector<std::string> messages;
    data.Environment.show_message = [&](const std::string& m) { messages.push_back(m); };
    Load(data, "[TitlebarSkin]\nSkinName=First\n[MenuItem]\nImage=a.bmp\n", {{"a.bmp", Solid(5, 5, 1, 1, 1)}});
    std::vector<std::uint8_t> old = skintest::Container("[TitlebarSkin]\nSkinName=Second\n", {});
    old[0] = 0x1F;  // 19999
    old[1] = 0x4E;
    data.SkinStream() = lzh::Compress(old);
    EXPECT_FALSE(data.LoadSkin());
    EXPECT_EQ(messages, (std::vector<std::string>{"This is Older Skin File\rPlease update to new version !"}));
    EXPECT_NE(data.FindObject("MenuItem"), nullptr);

    auto cut = skintest::Container("[x]\n", {{"a.bmp", Solid(5, 5, 1, 1, 1)}});
    cut.resize(cut.size() - 10);
    for (const std::vector<std::uint8_t>& stream :
         {std::vector<std::uint8_t>{}, std::vector<std::uint8_t>{0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3},
          lzh::Compress(cut)}) {
        data.SkinStream() = stream;
        EXPECT_FALSE(data.LoadSkin());
    }
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(data.SkinName(), "First");
    EXPECT_TRUE(data.Loading());

    TSkinData file;
    EXPECT_EQ(file.WriteSkinStreamProperty(), (std::vector<std::uint8_t>{0, 0, 0, 0}));
    file.SetSkinFile("/nonexistent/skin.skn");
    EXPECT_TRUE(file.Loading());

    const std::string path = ::testing::TempDir() + "skin_data_test.skn";
    const auto bytes = Pack("[TitlebarSkin]\nSkinName=From file\n");
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    file.SetSkinFile(path);
    std::remove(path.c_str());
    EXPECT_EQ(file.SkinName(), "From file");

    TSkinData streamed;
    const std::vector<std::uint8_t> property = file.WriteSkinStreamProperty();
    streamed.ReadSkinStreamProperty(property.data(), property.size());
    EXPECT_EQ(streamed.SkinName(), "From file");

    TSkinData tidy;
    tidy.SkinControls |= SetBit(xcMenuItem);
    tidy.Environment.has_scroll_bar_info = false;
    tidy.SetActive(true);
    tidy.Loaded();
    EXPECT_FALSE(InSet(tidy.SkinControls, xcMenuItem));
    EXPECT_TRUE(InSet(tidy.SkinControls, xcSystemMenu));
    EXPECT_FALSE(InSet(tidy.SkinControls, xcScrollbar));

    TSkinData no_main_menu;
    no_main_menu.SkinControls &= ~SetBit(xcMainMenu);
    no_main_menu.Loaded();
    EXPECT_FALSE(InSet(no_main_menu.SkinControls, xcSystemMenu));

    EXPECT_FALSE(tidy.SkinsForm("SysMonthCal32"));
    EXPECT_TRUE(tidy.SkinsForm("TForm1"));
}

}  // namespace
}  // namespace vc
