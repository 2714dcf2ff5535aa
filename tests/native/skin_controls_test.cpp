#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "skin/look/composition.h"
#include "skin/look/control_choice.h"
#include "skin_builtin_fixture.h"
#include "skin_data_fixture.h"
#include "skin/look/control_painter.h"

namespace vc {
namespace {

using skintest::BuiltInSkin;

ControlState State(bool enabled, bool hot, bool pressed, bool focused) { return ControlState{enabled, hot, pressed, focused}; }

Bitmap Face(const TSkinData& data, int w, int h) { return Bitmap(w, h, PixelFromColour(data.ButtonFaceColour())); }

bool SameArea(const Bitmap& a, const Bitmap& b, const Rect& r) { return CopyRect(a, r) == CopyRect(b, r); }

// A skin whose state images are each of one grey (10 for the first, 20 for the second, ...), so that a
// painted pixel names the image it came from, and whose text colours all differ.
std::unique_ptr<TSkinData> GreySkin() {
    std::string ini = "[Colours]\nButtonShadow=1 0 0\nButtonText=2 0 0\n[Buttons]\nBitmap=s5.bmp\n"
                      "NormalColour2=3 0 0\nMouseOverColour2=4 0 0\nPressedColour2=5 0 0\n";
    std::vector<skintest::Image> images;
    for (int n : {1, 2, 3, 4, 5, 23}) images.push_back({"s" + std::to_string(n) + ".bmp", skintest::States(4, 4, n)});
    for (const auto& [name, n] : {std::pair{"Headerbar", 5}, {"Tabs", 5}, {"ToolBars", 5}, {"StatusBarEdges", 3},
                                  {"Tab.Pane", 1}, {"ComboButton", 4}, {"ExtraImages", 5}, {"GroupBoxEdge", 2},
                                  {"GroupBox", 1}, {"Scrollbar", 23}, {"VertScroll", 4}, {"HorzScroll", 4},
                                  {"VertScrollThumb", 3}, {"HorzScrollThumb", 3}, {"Track", 1},
                                  {"Trackbar.ThumbHorz", 5}})
        ini += std::string("[") + name + "]\nImage=s" + std::to_string(n) + ".bmp\nNormalColour2=6 0 0\n";
    auto data = std::make_unique<TSkinData>();
    data->SkinStream() = skintest::Pack(ini, images);
    EXPECT_TRUE(data->LoadSkin());
    return data;
}

int ImageAt(const Bitmap& b, int x, int y) { return PixelRed(b.At(x, y)) / 10; }

TEST(ControlPainter, StatesChooseTheirImagesPartsAreLaidOutAndSkin3rdLinesNameWholeClasses) {
    // Disabled wins over pressed over hot over focused; checked, sorted and selected looks yield to these.
    const struct {
        ControlState state;
        int push, tool, tool_checked, header, header_sorted, tab, tab_selected, combo, thumb;
    } rows[] = {
        {ControlState{}, 1, 1, 5, 1, 4, 1, 3, 1, 1},
        {State(true, false, false, true), 5, 1, 5, 1, 4, 1, 5, 1, 5},
        {State(true, true, false, true), 4, 2, 5, 2, 2, 2, 5, 2, 2},
        {State(true, true, true, true), 2, 3, 3, 3, 3, 2, 5, 3, 3},
        {State(false, true, true, false), 3, 4, 4, 5, 5, 4, 3, 4, 4},
    };
    for (const auto& r : rows) {
        const ControlState& s = r.state;
        SCOPED_TRACE(testing::Message() << s.enabled << s.hot << s.pressed << s.focused);
        EXPECT_EQ(std::make_tuple(PushButtonImage(s), ToolButtonImage(s, false), ToolButtonImage(s, true)),
                  std::make_tuple(r.push, r.tool, r.tool_checked));
        EXPECT_EQ(std::make_tuple(HeaderItemImage(s, false), HeaderItemImage(s, true), TabImage(s, false),
                                  TabImage(s, true)),
                  std::make_tuple(r.header, r.header_sorted, r.tab, r.tab_selected));
        EXPECT_EQ(std::make_tuple(ComboBoxImage(s), TrackThumbImage(s)), std::make_tuple(r.combo, r.thumb));
    }
    EXPECT_EQ(UpDownImage(true, ControlState{}), 5);

    const ControlState normal{}, hot = State(true, true, false, false), pressed = State(true, true, true, false),
                       disabled = State(false, true, false, false);
    struct Case {
        CheckMark mark;
        ControlState state;
        int twelve, four, two;
    } cases[] = {
        {CheckMark::Unchecked, normal, 1, 1, 1},      {CheckMark::Unchecked, hot, 2, 1, 1},
        {CheckMark::Unchecked, pressed, 3, 1, 1},     {CheckMark::Unchecked, disabled, 4, 3, 2},
        {CheckMark::Checked, normal, 5, 2, 2},        {CheckMark::Checked, disabled, 8, 4, 2},
        {CheckMark::Indeterminate, normal, 9, 4, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckBoxImage(c.mark, c.state, 12), c.twelve);
        EXPECT_EQ(CheckBoxImage(c.mark, c.state, 4), c.four);
        EXPECT_EQ(CheckBoxImage(c.mark, c.state, 2), c.two);
    }
    EXPECT_EQ(CheckBoxImage(CheckMark::Checked, normal, 0), 1);
    // A skin without the strip draws nothing and offers no caption place.
    TSkinData empty;
    Bitmap bitmap(40, 20, kOpaque);
    EXPECT_TRUE(PaintCheckBox(bitmap, empty, bitmap.Bounds(), true, 1).IsEmpty());
    EXPECT_EQ(bitmap, Bitmap(40, 20, kOpaque));

    const Rect inner{10, 20, 110, 40};  // 100 x 20
    EXPECT_EQ(ProgressFill(inner, 0, 100, 250, false), inner);
    EXPECT_EQ(ProgressFill(inner, -50, 50, -80, false).Width(), 0);
    EXPECT_EQ(ProgressFill(inner, 0, 3, 1, false), (Rect{10, 20, 43, 40}));  // rounded down
    EXPECT_EQ(ProgressFill(inner, 0, 100, 25, true), (Rect{10, 35, 110, 40}));  // from the bottom
    EXPECT_TRUE(ProgressFill(inner, 5, 5, 5, false).IsEmpty());

    const auto data = BuiltInSkin(0);
    const int arrow = data->FindObject("Scrollbar")->Map.Height();
    // The skin's arrow unless the system's differs by more than 2; half the bar each when two do not fit.
    EXPECT_EQ(ScrollArrowLength(*data, 200, arrow + 2), arrow);
    EXPECT_EQ(ScrollArrowLength(*data, 200, arrow + 3), arrow + 3);
    EXPECT_EQ(ScrollArrowLength(*data, 2 * arrow - 1, arrow), arrow - 1);
    const ScrollBarParts v = LayoutScrollBar(*data, Rect{100, 0, 100 + arrow, 300}, true, arrow, 50, 90);
    EXPECT_EQ(v.before, (Rect{100, 0, 100 + arrow, arrow}));
    EXPECT_EQ(v.after, (Rect{100, 300 - arrow, 100 + arrow, 300}));
    EXPECT_EQ(v.thumb, (Rect{100, 50, 100 + arrow, 90}));
    // A thumb the system reports past the track is held inside it.
    EXPECT_EQ(LayoutScrollBar(*data, Rect{0, 0, 200, arrow}, false, arrow, 0, 400).thumb,
              (Rect{arrow, 0, 200 - arrow, arrow}));
    EXPECT_TRUE(LayoutScrollBar(*data, Rect{0, 0, 200, arrow}, false, arrow, 30, 30).thumb.IsEmpty());

    // Thumb sizing as the system does it: page / (range + 1) of the track.
    EXPECT_EQ(ScrollThumbSpan(100, 0, 99, 10, 0, 8).end, 10);
    EXPECT_EQ(ScrollThumbSpan(100, 0, 99, 10, 200, 8).end, 100);
    EXPECT_EQ(ScrollThumbSpan(100, 0, 999, 10, 0, 8).end, 8);  // never below the minimum
    EXPECT_EQ(ScrollThumbSpan(100, 0, 9, 10, 0, 8).end, 0);    // the page shows it all
    EXPECT_EQ(ScrollThumbSpan(5, 0, 99, 10, 0, 8).end, 0);     // no room
    EXPECT_EQ(ScrollThumbSpan(100, 10, 5, 0, 0, 8).end, 0);    // no range
    EXPECT_EQ(ScrollThumbSpan(100, 0, 100, 0, 50, 10).start, 45);

    // Arrow images: +1 pressed, +2 disabled, +3 hot.
    ScrollBarLook look;
    EXPECT_EQ(ScrollArrowImage(true, true, look), 13);
    look.hot = ScrollPart::After;
    EXPECT_EQ(ScrollArrowImage(false, true, look), 8);
    EXPECT_EQ(ScrollArrowImage(false, false, look), 1);
    look.pressed = ScrollPart::After;
    EXPECT_EQ(ScrollArrowImage(true, true, look), 14);
    look.enabled = false;
    EXPECT_EQ(ScrollArrowImage(true, false, look), 11);

    const StringList lines = {"TMyButtonEx=edit", "TMyButton=Button", "tmybutton=nil", "TGrid=nil",
                              "TLong=" + std::string(60, 'x')};
    EXPECT_EQ(Skin3rdKind(lines, "TMYBUTTON"), "button");
    EXPECT_EQ(Skin3rdKind(lines, "TMyButtonEx"), "edit");
    EXPECT_EQ(Skin3rdKind(lines, "tgrid"), "nil");
    // A class only the beginning of a line's class is not named by it.
    EXPECT_EQ(Skin3rdKind(lines, "TMy"), std::nullopt);
    EXPECT_EQ(Skin3rdKind(lines, "TGridView"), std::nullopt);
    EXPECT_EQ(Skin3rdKind(lines, "TLong")->size(), 50u);
}

TEST(ControlPainter, EachPartShowsTheImageAndTextColourOfItsState) {
    const auto data = GreySkin();
    const auto painted = [&](auto paint, int k) {
        Bitmap b(20, 10, 0);
        paint(b, *data, b.Bounds(), k);
        return ImageAt(b, 10, 5);
    };
    const Colour texts[] = {3, 5, 1, 4, 2};  // normal, pressed, disabled, hot, focused
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(
            std::make_tuple(painted(&PaintPushButton, k), painted(&PaintHeaderItem, k), painted(&PaintTab, k),
                            painted(&PaintToolButton, k), painted(&PaintStatusPanel, k), painted(&PaintComboBox, k)),
            std::make_tuple(k, k, k, k, std::min(k, 3), std::min(k, 4)));
        EXPECT_EQ(PushButtonTextColour(*data, k), texts[k - 1]) << k;
    }
    EXPECT_EQ(std::make_pair(StatusTextColour(*data), TabTextColour(*data)), std::make_pair(Colour{6}, Colour{6}));

    // The up arrow, the track, the thumb's end, the grip at the thumb's middle, the down arrow.
    const auto vertical = [&](ScrollBarLook look, int thumb_end = 37) {
        Bitmap b(4, 100, 0);
        PaintScrollBar(b, *data, ScrollBarParts{{0, 0, 4, 4}, {0, 96, 4, 100}, {0, 4, 4, 96}, {0, 30, 4, thumb_end}},
                       true, look);
        return std::vector<int>{ImageAt(b, 2, 2), ImageAt(b, 2, 80), ImageAt(b, 2, 30), ImageAt(b, 2, 33),
                                ImageAt(b, 2, 98)};
    };
    using P = ScrollPart;
    EXPECT_EQ(vertical({}), (std::vector<int>{9, 1, 1, 20, 13}));
    EXPECT_EQ(vertical({true, P::Thumb, P::None}), (std::vector<int>{9, 1, 3, 22, 13})) << "hot";
    EXPECT_EQ(vertical({true, P::Thumb, P::Thumb}), (std::vector<int>{9, 1, 2, 21, 13})) << "pressed";
    EXPECT_EQ(vertical({true, P::After, P::Before}), (std::vector<int>{10, 1, 1, 20, 16}));
    EXPECT_EQ(vertical({false, P::Thumb, P::Thumb}), (std::vector<int>{11, 3, 3, 3, 15})) << "disabled";
    EXPECT_EQ(vertical({}, 36)[3], 1) << "a thumb two pixels longer than the grip shows none";
    Bitmap across(100, 4, 0);
    PaintScrollBar(across, *data, ScrollBarParts{{0, 0, 4, 4}, {96, 0, 100, 4}, {4, 0, 96, 4}, {30, 0, 37, 4}}, false,
                   {});
    EXPECT_EQ(std::make_tuple(ImageAt(across, 2, 2), ImageAt(across, 33, 2), ImageAt(across, 98, 2)),
              std::make_tuple(1, 17, 5));

    Bitmap status(30, 10, 0);
    EXPECT_EQ(PaintSizeGrip(status, *data, status.Bounds()), (Rect{26, 6, 30, 10}));
    EXPECT_EQ(ImageAt(status, 27, 7), 5);
    Bitmap track(40, 10, 0);
    PaintTrackBar(track, *data, Rect{0, 0, 40, 4}, Rect{10, 0, 20, 10}, false, 3);
    EXPECT_EQ(std::make_tuple(ImageAt(track, 2, 2), ImageAt(track, 15, 5), ImageAt(track, 11, 5)),
              std::make_tuple(1, 3, 0));

    // A group box: the edge's first or second image under the caption's.
    for (const bool enabled : {true, false}) {
        Bitmap box(40, 30, 0);
        PaintGroupBox(box, *data, box.Bounds(), Rect{5, 0, 25, 10}, enabled);
        EXPECT_EQ(std::make_tuple(ImageAt(box, 20, 20), ImageAt(box, 10, 2), ImageAt(box, 30, 2)),
                  std::make_tuple(enabled ? 1 : 2, 1, 0));
    }
    // Without the skin's images: a shadow line with the face at its corners, and the face under the caption.
    const TSkinData bare;
    const Pixel face = PixelFromColour(bare.ButtonFaceColour());
    const Pixel shadow = PixelFromColour(bare.ResolveColour(bare.Colours().ButtonShadow));
    Bitmap box(40, 30, 0);
    PaintGroupBox(box, bare, box.Bounds(), Rect{5, 0, 25, 10}, true);
    EXPECT_EQ(
        std::vector<Pixel>({box.At(0, 5), box.At(1, 5), box.At(39, 29), box.At(39, 28), box.At(20, 15), box.At(10, 2)}),
        std::vector<Pixel>({face, shadow, face, shadow, 0, face}));
    Bitmap edit(10, 10, 0), untouched = edit;
    PaintEditBorder(edit, bare, edit.Bounds(), 2);
    EXPECT_EQ(std::vector<Pixel>({edit.At(0, 0), edit.At(1, 1), edit.At(2, 2), edit.At(9, 9), edit.At(8, 8)}),
              std::vector<Pixel>({shadow, PixelFromColour(0xFFFFFF), 0, shadow, PixelFromColour(0xFFFFFF)}));
    PaintEditBorder(untouched, bare, untouched.Bounds(), 0);
    EXPECT_EQ(untouched, Bitmap(10, 10, 0));
}

class EverySkinsControls : public skintest::EachBuiltInSkin {};
INSTANTIATE_TEST_SUITE_P(, EverySkinsControls, skintest::AllBuiltInSkins(), skintest::SkinNumber);

TEST_P(EverySkinsControls, ACheckBoxChangesOnlyItsBoxAndLeavesTheRestToTheCaption) {
    const Bitmap& strip = static_cast<const TSkinData&>(data).Buttons().CheckMap;
    Bitmap unchecked = Face(data, 120, 30), checked = Face(data, 120, 30);
    const Rect text = PaintCheckBox(unchecked, data, Rect{0, 0, 120, 30}, false, 1);
    PaintCheckBox(checked, data, Rect{0, 0, 120, 30}, false, 5);
    const int cell = strip.Width() / 12;
    EXPECT_EQ(text, (Rect{cell + 4, 0, 120, 30}));
    EXPECT_FALSE(SameArea(unchecked, checked, Rect::FromSize(0, (30 - strip.Height()) / 2, cell, strip.Height())));
    EXPECT_TRUE(SameArea(unchecked, checked, Rect{cell, 0, 120, 30}));
}

TEST_P(EverySkinsControls, ProgressFillsOnlyItsDonePart) {
    Bitmap none = Face(data, 204, 18), half = Face(data, 204, 18);
    ASSERT_TRUE(PaintProgress(none, data, Rect{0, 0, 204, 18}, 0, 100, 0, false));
    PaintProgress(half, data, Rect{0, 0, 204, 18}, 0, 100, 50, false);
    EXPECT_FALSE(SameArea(none, half, Rect{2, 2, 102, 16}));
    EXPECT_TRUE(SameArea(none, half, Rect{102, 0, 204, 18}));
    // The done part lies two pixels inside the frame: columns 2 to 101, rows 2 to 15.
    EXPECT_TRUE(SameArea(none, half, Rect{0, 0, 2, 18}) && SameArea(none, half, Rect{0, 0, 204, 2}) &&
                SameArea(none, half, Rect{0, 16, 204, 18}));
    EXPECT_FALSE(SameArea(none, half, Rect{101, 2, 102, 16}));
}

TEST_P(EverySkinsControls, TheStatusBarsPanelGripAndTextAreTheSkins) {
    const TDataSkinObject* edges = data.FindObject("StatusBarEdges");
    ASSERT_NE(edges, nullptr);
    Bitmap bar = Face(data, 300, 22);
    ASSERT_TRUE(PaintStatusPanel(bar, data, Rect{0, 0, 150, 22}, 1));
    EXPECT_EQ(bar.At(0, 0), edges->Map.At(0, 0));
    const Rect grip = PaintSizeGrip(bar, data, bar.Bounds());
    ASSERT_FALSE(grip.IsEmpty());
    EXPECT_EQ(std::make_pair(grip.right, grip.bottom), std::make_pair(300, 22));
    for (int y = grip.top; y < grip.bottom; ++y)
        for (int x = grip.left; x < grip.right; ++x) ASSERT_FALSE(SameRgb(bar.At(x, y), kKeyPixel));
    EXPECT_NE(StatusTextColour(data), data.ButtonFaceColour());
}

}  // namespace
}  // namespace vc
