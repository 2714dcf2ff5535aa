#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/caption_geometry.h"

namespace vc::effects {
namespace {

constexpr Colour Rgb(int r, int g, int b) { return static_cast<Colour>(r | (g << 8) | (b << 16)); }

// Every character 7 pixels wide, dots 3: enough to tell fits apart.
int FixedWidth(std::string_view text) {
    int w = 0;
    for (char c : text) w += c == '.' ? 3 : 7;
    return w;
}
const MeasureText kMeasure = FixedWidth;

TEST(EffectsMulDiv, RoundsHalfAwayFromZeroAndRefusesZeroDivisor) {
    EXPECT_EQ(MulDiv(1, 255, 2), 128);
    EXPECT_EQ(MulDiv(1, -255, 2), -128);
    EXPECT_EQ(MulDiv(-1, 255, -2), 128);
    EXPECT_EQ(MulDiv(10, 7, 3), 23);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
    EXPECT_EQ(MulDiv(1 << 30, 8, 1), -1) << "a result beyond 32 bits";
    EXPECT_EQ(MulDiv(1 << 30, 8, 16), 1 << 29) << "the product may pass 32 bits";
}

TEST(EffectsGradient, BandsRunFromStartToEndWithTheLastToTheEdge) {
    const Colour red = Rgb(255, 0, 0);
    const Colour blue = Rgb(0, 0, 255);
    const auto bands = GradientBands(red, blue, 64, 1000);
    ASSERT_EQ(bands.size(), 64u);
    EXPECT_EQ(bands[0].left, 0);
    EXPECT_EQ(bands[0].right, 15) << "1000 div 64";
    EXPECT_EQ(bands[0].colour, red);
    EXPECT_EQ(bands[63].colour, blue);
    EXPECT_EQ(bands[63].left, 945);
    EXPECT_EQ(bands[63].right, 1000) << "the last band takes the remainder";
    // Band 1: 255 + MulDiv(1, -255, 63) = 255 - 4 (4.05 rounds to 4).
    EXPECT_EQ(bands[1].colour, Rgb(251, 0, 4));
    // Band 32: MulDiv(32, 255, 63) = 129.5... rounds to 130.
    EXPECT_EQ(bands[32].colour, Rgb(255 - 130, 0, 130));
    for (std::size_t i = 1; i < bands.size(); ++i) EXPECT_EQ(bands[i].left, bands[i - 1].right);
}

TEST(EffectsGradient, BandCountIsBoundedByTheWidthAndAtLeastTwo) {
    const Colour black = Rgb(0, 0, 0);
    const Colour white = Rgb(255, 255, 255);
    const auto narrow = GradientBands(black, white, 64, 10);
    ASSERT_EQ(narrow.size(), 10u);
    EXPECT_EQ(narrow[9].colour, white);
    EXPECT_EQ(narrow[5].colour, Rgb(142, 142, 142)) << "MulDiv(5, 255, 9) = 141.67";

    // One pixel: two bands, the first empty, the second the end colour.
    const auto onePixel = GradientBands(black, white, 64, 1);
    ASSERT_EQ(onePixel.size(), 2u);
    EXPECT_EQ(onePixel[0].right - onePixel[0].left, 0);
    EXPECT_EQ(onePixel[1].left, 0);
    EXPECT_EQ(onePixel[1].right, 1);
    EXPECT_EQ(onePixel[1].colour, white);

    ASSERT_EQ(GradientBands(black, white, 2, 101).size(), 2u);
    EXPECT_EQ(GradientBands(black, white, 2, 101)[1].left, 50);

    // Fewer than two steps or equal colours: one solid fill.
    for (int steps : {1, 0, -3}) {
        const auto solid = GradientBands(black, white, steps, 300);
        ASSERT_EQ(solid.size(), 1u) << steps;
        EXPECT_EQ(solid[0].left, 0);
        EXPECT_EQ(solid[0].right, 300);
        EXPECT_EQ(solid[0].colour, black);
    }
    ASSERT_EQ(GradientBands(white, white, 64, 300).size(), 1u);
    EXPECT_TRUE(GradientBands(black, white, 64, 0).empty());
    EXPECT_TRUE(GradientBands(black, white, 64, -20).empty());
}

// Buttons in the order close (with the system menu), minimise, maximise, help.
FrameStyle Frame(FrameBorder border, bool close, bool minimise, bool maximise, bool help) {
    return FrameStyle{border, maximise, minimise, close, FrameState::Normal, help};
}

TEST(EffectsCaptionRect, EachBorderKindInsetsAndShortensTheCaption) {
    // Frame 4 x 5, dialog frame 3 x 2, captions 19 and 15, buttons 18 and 12.
    const CaptionMetrics m{4, 5, 3, 2, 19, 15, 18, 12};
    auto all = [](FrameBorder border) { return Frame(border, true, true, true, false); };
    auto withHelp = [](FrameBorder border) { return Frame(border, true, true, true, true); };

    // Sizable: sizing frame, three buttons; the title bar is one row short
    // of the caption height (the frame's line under it) and ends just past.
    EXPECT_EQ(CaptionRect(400, 300, all(FrameBorder::Sizable), m), (Rect{4, 5, 396 - 3 * 18, 5 + 18}));
    // Fixed: dialog frame.
    EXPECT_EQ(CaptionRect(400, 300, all(FrameBorder::Fixed), m), (Rect{3, 2, 397 - 3 * 18, 2 + 18}));
    // Dialog: minimise and maximise never show; system menu and help do.
    EXPECT_EQ(CaptionButtonCount(withHelp(FrameBorder::DialogFrame)), 2);
    EXPECT_EQ(CaptionRect(400, 300, withHelp(FrameBorder::DialogFrame), m), (Rect{3, 2, 397 - 2 * 18, 2 + 18}));
    // Tool windows: small caption, small buttons, only the close button.
    EXPECT_EQ(CaptionButtonCount(withHelp(FrameBorder::ToolWindow)), 1);
    EXPECT_EQ(CaptionRect(400, 300, withHelp(FrameBorder::ToolWindow), m), (Rect{3, 2, 397 - 12, 2 + 14}));
    EXPECT_EQ(CaptionRect(400, 300, withHelp(FrameBorder::SizableToolWindow), m), (Rect{4, 5, 396 - 12, 5 + 14}));
    EXPECT_EQ(CaptionButtonCount(Frame(FrameBorder::SizableToolWindow, false, false, false, false)), 0);
}

TEST(EffectsCaptionRect, ButtonCountForEveryIconCombination) {
    struct Case {
        bool close, minimise, maximise, help;
        int count;
    };
    // Fixed and sizable frames alike.
    const Case cases[] = {
        {false, false, false, false, 0},
        {true, false, false, false, 1},
        {true, true, true, false, 3},
        {true, true, false, false, 3},  // the missing maximise box is drawn disabled
        {true, false, true, false, 3},
        {true, false, false, true, 2},  // help shows beside close alone
        {true, true, false, true, 3},   // help gives way to minimise
        {false, true, true, false, 0},  // no system menu: no boxes
        {false, true, false, true, 1},  // ... but help stays
        {false, false, false, true, 1},
    };
    for (const Case& c : cases) {
        for (FrameBorder border : {FrameBorder::Fixed, FrameBorder::Sizable, FrameBorder::NoCaption}) {
            EXPECT_EQ(CaptionButtonCount(Frame(border, c.close, c.minimise, c.maximise, c.help)), c.count)
                << c.close << c.minimise << c.maximise << c.help;
        }
    }
    EXPECT_EQ(CaptionButtonCount(Frame(FrameBorder::DialogFrame, false, true, true, true)), 1);

    // The icon: only where the system menu shows, on fixed and sizable frames.
    EXPECT_TRUE(CaptionShowsIcon(Frame(FrameBorder::Fixed, true, false, false, false)));
    EXPECT_TRUE(CaptionShowsIcon(Frame(FrameBorder::Sizable, true, true, true, false)));
    EXPECT_FALSE(CaptionShowsIcon(Frame(FrameBorder::Sizable, false, true, true, false)));
    EXPECT_FALSE(CaptionShowsIcon(Frame(FrameBorder::DialogFrame, true, false, false, false)));
    EXPECT_FALSE(CaptionShowsIcon(Frame(FrameBorder::ToolWindow, true, false, false, false)));
    EXPECT_FALSE(CaptionShowsIcon(Frame(FrameBorder::NoCaption, true, false, false, false)));
}

TEST(EffectsEllipsis, TextTooLongEndsInThreeDots) {
    EXPECT_EQ(FitWithEllipsis("Chapter", 49, kMeasure), "Chapter") << "7 x 7 fits exactly";
    // 48 pixels: "Chapt" (35) + "..." (9) = 44; "Chapte..." would be 51.
    EXPECT_EQ(FitWithEllipsis("Chapter", 48, kMeasure), "Chapt...");
    // Spaces before the dots are dropped.
    EXPECT_EQ(FitWithEllipsis("Part two of many", 60, kMeasure), "Part tw...");
    EXPECT_EQ(FitWithEllipsis("abcd efgh", 40, kMeasure), "abcd...");
    EXPECT_EQ(FitWithEllipsis("Chapter", 9, kMeasure), "...");
    EXPECT_EQ(FitWithEllipsis("Chapter", 8, kMeasure), "..") << "not even the dots fit";
    EXPECT_EQ(FitWithEllipsis("Chapter", 0, kMeasure), "");
    EXPECT_EQ(FitWithEllipsis("Chapter", -5, kMeasure), "");
    EXPECT_EQ(FitWithEllipsis("", 0, kMeasure), "");
}

std::vector<std::string> Texts(const std::vector<PlacedPiece>& placed) {
    std::vector<std::string> texts;
    for (const auto& p : placed) texts.push_back(p.text);
    return texts;
}

TEST(EffectsCaptionPieces, PiecesGiveWayFromTheHideDirectionThenFitWithDots) {
    // Widths 28, 21 and 35.
    const std::vector<CaptionPieceInput> pieces = {{"Book"}, {" - "}, {"Title"}};
    const auto all = LayoutCaptionPieces(pieces, 84, THideDirection::hdLeftToRight, false, kMeasure);
    EXPECT_EQ(Texts(all), (std::vector<std::string>{"Book", " - ", "Title"}));
    EXPECT_EQ(all[1].left, 28);
    EXPECT_EQ(all[2].left, 49);
    EXPECT_EQ(all[2].right, 84);

    // One pixel short: the leftmost piece goes first, left to right.
    const auto leftGone = LayoutCaptionPieces(pieces, 83, THideDirection::hdLeftToRight, false, kMeasure);
    EXPECT_EQ(Texts(leftGone), (std::vector<std::string>{" - ", "Title"}));
    EXPECT_EQ(leftGone[0].index, 1u);
    EXPECT_EQ(leftGone[0].left, 0);
    const auto rightGone = LayoutCaptionPieces(pieces, 83, THideDirection::hdRightToLeft, false, kMeasure);
    EXPECT_EQ(Texts(rightGone), (std::vector<std::string>{"Book", " - "}));

    // The last piece standing is shortened with dots rather than dropped.
    const auto last = LayoutCaptionPieces(pieces, 30, THideDirection::hdLeftToRight, false, kMeasure);
    EXPECT_EQ(Texts(last), (std::vector<std::string>{"Tit..."}));
}

TEST(EffectsCaptionPieces, GluedPiecesAndInvisibleOnes) {
    std::vector<CaptionPieceInput> pieces = {{"Book"}, {" - "}, {"Title"}};
    pieces[0].glueNext = true;  // "Book" and " - " stand or fall together
    const auto layout = LayoutCaptionPieces(pieces, 83, THideDirection::hdLeftToRight, false, kMeasure);
    EXPECT_EQ(Texts(layout), (std::vector<std::string>{"Title"}));
    const auto fromRight = LayoutCaptionPieces(pieces, 60, THideDirection::hdRightToLeft, false, kMeasure);
    EXPECT_EQ(Texts(fromRight), (std::vector<std::string>{"Book", " - "}));
    // Glued to the end, the group is fitted piece by piece.
    const auto squeezed = LayoutCaptionPieces(pieces, 40, THideDirection::hdRightToLeft, false, kMeasure);
    EXPECT_EQ(Texts(squeezed), (std::vector<std::string>{"Book", "..."}));

    pieces[1].visible = false;  // glue passes to the next visible piece
    const auto skipping = LayoutCaptionPieces(pieces, 63, THideDirection::hdLeftToRight, false, kMeasure);
    EXPECT_EQ(Texts(skipping), (std::vector<std::string>{"Book", "Title"}));
    EXPECT_EQ(skipping[1].index, 2u);
    EXPECT_EQ(Texts(LayoutCaptionPieces(pieces, 51, THideDirection::hdLeftToRight, false, kMeasure)),
              (std::vector<std::string>{"Book", "Ti..."}));

    EXPECT_TRUE(LayoutCaptionPieces({}, 100, THideDirection::hdLeftToRight, false, kMeasure).empty());
    EXPECT_TRUE(LayoutCaptionPieces({{"Book"}}, 0, THideDirection::hdLeftToRight, false, kMeasure).empty());
}

TEST(EffectsCaptionPieces, RightToLeftFillsFromTheRightEnd) {
    const std::vector<CaptionPieceInput> pieces = {{"Book"}, {"Title"}};
    const auto layout = LayoutCaptionPieces(pieces, 100, THideDirection::hdLeftToRight, true, kMeasure);
    ASSERT_EQ(layout.size(), 2u);
    EXPECT_EQ(layout[0].right, 100);
    EXPECT_EQ(layout[0].left, 72);
    EXPECT_EQ(layout[1].right, 72);
    EXPECT_EQ(layout[1].left, 37);
}

TEST(EffectsCaptionPieces, APieceMeasuredInItsOwnFont) {
    const MeasureText wide = [](std::string_view t) { return static_cast<int>(t.size()) * 20; };
    std::vector<CaptionPieceInput> pieces = {{"ab"}, {"cd"}};
    pieces[1].measure = &wide;
    const auto layout = LayoutCaptionPieces(pieces, 54, THideDirection::hdRightToLeft, false, kMeasure);
    EXPECT_EQ(Texts(layout), (std::vector<std::string>{"ab", "cd"}));
    EXPECT_EQ(layout[1].right, 54);
    EXPECT_EQ(Texts(LayoutCaptionPieces(pieces, 53, THideDirection::hdRightToLeft, false, kMeasure)),
              (std::vector<std::string>{"ab"}));
}

}  // namespace
}  // namespace vc::effects
