#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "skin/look/composition.h"
#include "skin/look/control_choice.h"
#include "skin_builtin_fixture.h"
#include "skin/look/control_painter.h"

namespace vc {
namespace {

constexpr int kSkins = 16;

using skintest::BuiltInSkin;

ControlState State(bool enabled, bool hot, bool pressed, bool focused) { return ControlState{enabled, hot, pressed, focused}; }

Bitmap Face(const TSkinData& data, int w, int h) { return Bitmap(w, h, PixelFromColour(data.ButtonFaceColour())); }

bool SameArea(const Bitmap& a, const Bitmap& b, const Rect& r) { return CopyRect(a, r) == CopyRect(b, r); }

TEST(ControlPainter, StatesPartsAndEveryBuiltInSkinShowEachStateApartAndSkin3rdLinesNameWholeClasses) {
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

    for (int n = 0; n < kSkins; ++n) {
        SCOPED_TRACE("skin " + std::to_string(n));
        const auto skin = BuiltInSkin(n);
        const Bitmap& strip = static_cast<const TSkinData&>(*skin).Buttons().CheckMap;
        Bitmap unchecked = Face(*skin, 120, 30), checked = Face(*skin, 120, 30);
        const Rect text = PaintCheckBox(unchecked, *skin, Rect{0, 0, 120, 30}, false, 1);
        PaintCheckBox(checked, *skin, Rect{0, 0, 120, 30}, false, 5);
        const int cell = strip.Width() / 12;
        EXPECT_EQ(text, (Rect{cell + 4, 0, 120, 30}));
        EXPECT_FALSE(SameArea(unchecked, checked, Rect::FromSize(0, (30 - strip.Height()) / 2, cell, strip.Height())));
        EXPECT_TRUE(SameArea(unchecked, checked, Rect{cell, 0, 120, 30}));

        Bitmap none = Face(*skin, 204, 18), half = Face(*skin, 204, 18);
        ASSERT_TRUE(PaintProgress(none, *skin, Rect{0, 0, 204, 18}, 0, 100, 0, false));
        PaintProgress(half, *skin, Rect{0, 0, 204, 18}, 0, 100, 50, false);
        EXPECT_FALSE(SameArea(none, half, Rect{2, 2, 102, 16}));
        EXPECT_TRUE(SameArea(none, half, Rect{102, 0, 204, 18}));

        const TDataSkinObject* edges = skin->FindObject("StatusBarEdges");
        ASSERT_NE(edges, nullptr);
        Bitmap bar = Face(*skin, 300, 22);
        ASSERT_TRUE(PaintStatusPanel(bar, *skin, Rect{0, 0, 150, 22}, 1));
        EXPECT_EQ(bar.At(0, 0), edges->Map.At(0, 0));
        const Rect grip = PaintSizeGrip(bar, *skin, bar.Bounds());
        ASSERT_FALSE(grip.IsEmpty());
        EXPECT_EQ(std::make_pair(grip.right, grip.bottom), std::make_pair(300, 22));
        for (int y = grip.top; y < grip.bottom; ++y)
            for (int x = grip.left; x < grip.right; ++x) ASSERT_FALSE(SameRgb(bar.At(x, y), kKeyPixel));
        EXPECT_NE(StatusTextColour(*skin), skin->ButtonFaceColour());

        for (const auto paint : {&PaintHeaderItem, &PaintTab, &PaintToolButton}) {
            std::vector<Bitmap> pictures;
            for (int k = 1; k <= 6; ++k) {
                pictures.push_back(Face(*skin, 80, 24));
                ASSERT_TRUE(paint(pictures.back(), *skin, pictures.back().Bounds(), k));
            }
            for (int i = 0; i < 5; ++i)
                for (int j = i + 1; j < 5; ++j)
                    if (paint != &PaintToolButton || (i > 0 && j != 3)) {
                        EXPECT_NE(pictures[i], pictures[j]) << i + 1 << " " << j + 1;
                    }
            EXPECT_EQ(pictures[5], pictures[4]);
        }

        const int a = skin->FindObject("Scrollbar")->Map.Height();
        const ScrollBarParts parts = LayoutScrollBar(*skin, Rect{0, 0, a, 200}, true, a, 60, 120);
        Bitmap normal = Face(*skin, a, 200), hot = normal, disabled = normal;
        PaintScrollBar(normal, *skin, parts, true, ScrollBarLook{});
        PaintScrollBar(hot, *skin, parts, true, ScrollBarLook{true, ScrollPart::Thumb, ScrollPart::None});
        PaintScrollBar(disabled, *skin, parts, true, ScrollBarLook{false, ScrollPart::None, ScrollPart::None});
        EXPECT_FALSE(SameArea(normal, hot, parts.thumb));
        EXPECT_FALSE(SameArea(normal, disabled, parts.before));
        EXPECT_EQ(disabled.At(a / 2, 90), disabled.At(a / 2, 150));
    }

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

}  // namespace
}  // namespace vc
