#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "effects/caption_geometry.h"

namespace vc::effects {
namespace {

constexpr Colour Rgb(int r, int g, int b) { return static_cast<Colour>(r | (g << 8) | (b << 16)); }

// A band as "left-right:BBGGRR", to compare whole bands at once.
std::string Band(const ColourBand& band) {
    char text[40];
    std::snprintf(text, sizeof text, "%d-%d:%06X", band.left, band.right, static_cast<unsigned>(band.colour));
    return text;
}

// Every character 7 pixels wide, dots 3: enough to tell fits apart.
int FixedWidth(std::string_view text) {
    int w = 0;
    for (char c : text) w += c == '.' ? 3 : 7;
    return w;
}
const MeasureText kMeasure = FixedWidth;

TEST(EffectsMulDiv, RoundsHalfAwayFromZeroAndRefusesZeroDivisor) {
    EXPECT_EQ(MulDiv(1, -255, 2), -128);
    EXPECT_EQ(MulDiv(-1, 255, -2), 128);
    EXPECT_EQ(MulDiv(5, 5, 0), -1);
    EXPECT_EQ(MulDiv(1 << 30, 8, 1), -1) << "a result beyond 32 bits";
    EXPECT_EQ(MulDiv(1 << 30, 8, 16), 1 << 29) << "the product may pass 32 bits";
}

TEST(EffectsGradient, BandsRunFromStartToEndWithTheLastToTheEdge) {
    const auto bands = GradientBands(Rgb(255, 0, 0), Rgb(0, 0, 255), 64, 1000);
    ASSERT_EQ(bands.size(), 64u);
    EXPECT_EQ(Band(bands[0]), "0-15:0000FF") << "1000 div 64";
    // 255 + MulDiv(1, -255, 63) = 255 - 4 (4.05 rounds to 4).
    EXPECT_EQ(Band(bands[1]), "15-30:0400FB");
    // MulDiv(32, 255, 63) = 129.5... rounds to 130.
    EXPECT_EQ(bands[32].colour, Rgb(255 - 130, 0, 130));
    EXPECT_EQ(Band(bands[63]), "945-1000:FF0000") << "the last band takes the remainder";
    for (std::size_t i = 1; i < bands.size(); ++i) EXPECT_EQ(bands[i].left, bands[i - 1].right);
}

TEST(EffectsGradient, BandCountIsBoundedByTheWidthAndAtLeastTwo) {
    const Colour black = Rgb(0, 0, 0);
    const Colour white = Rgb(255, 255, 255);
    const auto narrow = GradientBands(black, white, 64, 10);
    ASSERT_EQ(narrow.size(), 10u);
    EXPECT_EQ(narrow[5].colour, Rgb(142, 142, 142)) << "MulDiv(5, 255, 9) = 141.67";
    EXPECT_EQ(narrow[9].colour, white);
    const auto onePixel = GradientBands(black, white, 64, 1);
    ASSERT_EQ(onePixel.size(), 2u);
    EXPECT_EQ(Band(onePixel[0]) + " " + Band(onePixel[1]), "0-0:000000 0-1:FFFFFF") << "the first band empty";
    EXPECT_EQ(GradientBands(black, white, 2, 101).at(1).left, 50);

    // Fewer than two steps or equal colours: one solid fill.
    for (int steps : {1, 0}) {
        const auto solid = GradientBands(black, white, steps, 300);
        ASSERT_EQ(solid.size(), 1u) << steps;
        EXPECT_EQ(Band(solid[0]), "0-300:000000");
    }
    ASSERT_EQ(GradientBands(white, white, 64, 300).size(), 1u);
    EXPECT_TRUE(GradientBands(black, white, 64, 0).empty());
}

FrameStyle Frame(FrameBorder border, bool close = true, bool minimise = true, bool maximise = true, bool help = false) {
    return FrameStyle{border, maximise, minimise, close, FrameState::Normal, help};
}

TEST(EffectsCaptionRect, EachBorderKindInsetsAndShortensTheCaption) {
    // Frame 4 x 5, dialog frame 3 x 2, captions 19 and 15, buttons 18 and 12.
    const CaptionMetrics m{4, 5, 3, 2, 19, 15, 18, 12};
    const auto withHelp = [](FrameBorder border) { return Frame(border, true, true, true, true); };
    // The title bar is one row short of the caption height (the frame's line under it).
    EXPECT_EQ(CaptionRect(400, 300, Frame(FrameBorder::Sizable), m), (Rect{4, 5, 396 - 3 * 18, 5 + 18}));
    EXPECT_EQ(CaptionRect(400, 300, Frame(FrameBorder::Fixed), m), (Rect{3, 2, 397 - 3 * 18, 2 + 18}));
    EXPECT_EQ(CaptionButtonCount(withHelp(FrameBorder::DialogFrame)), 2) << "no minimise or maximise";
    EXPECT_EQ(CaptionRect(400, 300, withHelp(FrameBorder::DialogFrame), m), (Rect{3, 2, 397 - 2 * 18, 2 + 18}));
    EXPECT_EQ(CaptionButtonCount(withHelp(FrameBorder::ToolWindow)), 1) << "small buttons, only close";
    EXPECT_EQ(CaptionRect(400, 300, withHelp(FrameBorder::ToolWindow), m), (Rect{3, 2, 397 - 12, 2 + 14}));
    EXPECT_EQ(CaptionRect(400, 300, withHelp(FrameBorder::SizableToolWindow), m), (Rect{4, 5, 396 - 12, 5 + 14}));
    EXPECT_EQ(CaptionButtonCount(Frame(FrameBorder::SizableToolWindow, false, false, false, false)), 0);
}

TEST(EffectsCaptionRect, ButtonCountForEveryIconCombination) {
    struct Case {
        bool close, minimise, maximise, help;
        int count;
    };
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
    };
    for (const Case& c : cases)
        for (FrameBorder border : {FrameBorder::Fixed, FrameBorder::Sizable, FrameBorder::NoCaption})
            EXPECT_EQ(CaptionButtonCount(Frame(border, c.close, c.minimise, c.maximise, c.help)), c.count)
                << c.close << c.minimise << c.maximise << c.help;
    EXPECT_EQ(CaptionButtonCount(Frame(FrameBorder::DialogFrame, false, true, true, true)), 1);

    EXPECT_TRUE(CaptionShowsIcon(Frame(FrameBorder::Fixed, true, false, false)));
    EXPECT_TRUE(CaptionShowsIcon(Frame(FrameBorder::Sizable)));
    EXPECT_FALSE(CaptionShowsIcon(Frame(FrameBorder::Sizable, false)));
    EXPECT_FALSE(CaptionShowsIcon(Frame(FrameBorder::DialogFrame, true, false, false)));
}

TEST(EffectsEllipsis, TextTooLongEndsInThreeDots) {
    // 48 pixels: "Chapt" (35) + "..." (9) = 44; "Chapte..." would be 51.
    EXPECT_EQ(FitWithEllipsis("Chapter", 48, kMeasure), "Chapt...");
    EXPECT_EQ(FitWithEllipsis("abcd efgh", 40, kMeasure), "abcd...") << "spaces before the dots are dropped";
    EXPECT_EQ(FitWithEllipsis("Chapter", 9, kMeasure), "...");
    EXPECT_EQ(FitWithEllipsis("Chapter", 8, kMeasure), "..") << "not even the dots fit";
    EXPECT_EQ(FitWithEllipsis("Chapter", 0, kMeasure), "");
}

// The layout as "index:text@left-right" pieces, to compare whole layouts.
std::string Placed(const std::vector<CaptionPieceInput>& pieces, int width,
                   THideDirection direction = THideDirection::hdLeftToRight, bool rightToLeft = false) {
    std::string text;
    for (const PlacedPiece& p : LayoutCaptionPieces(pieces, width, direction, rightToLeft, kMeasure))
        text += (text.empty() ? "" : "|") + std::to_string(p.index) + ":" + p.text + "@" + std::to_string(p.left) +
                "-" + std::to_string(p.right);
    return text;
}

TEST(EffectsCaptionPieces, PiecesGiveWayFromTheHideDirectionThenFitWithDots) {
    const std::vector<CaptionPieceInput> pieces = {{"Book"}, {" - "}, {"Title"}};  // 28, 21 and 35 wide
    EXPECT_EQ(Placed(pieces, 84), "0:Book@0-28|1: - @28-49|2:Title@49-84");
    EXPECT_EQ(Placed(pieces, 83), "1: - @0-21|2:Title@21-56") << "the leftmost goes first";
    EXPECT_EQ(Placed(pieces, 83, THideDirection::hdRightToLeft), "0:Book@0-28|1: - @28-49");
    EXPECT_EQ(Placed(pieces, 30), "2:Tit...@0-30") << "the last piece standing is shortened";
    EXPECT_EQ(Placed({{"Book"}, {"Title"}}, 100, THideDirection::hdLeftToRight, true), "0:Book@72-100|1:Title@37-72")
        << "right-to-left fills from the right end";
    EXPECT_EQ(Placed({}, 100), "");
    EXPECT_EQ(Placed({{"Book"}}, 0), "");
}

TEST(EffectsCaptionPieces, GluedPiecesAndInvisibleOnes) {
    std::vector<CaptionPieceInput> pieces = {{"Book"}, {" - "}, {"Title"}};
    pieces[0].glueNext = true;  // "Book" and " - " stand or fall together
    EXPECT_EQ(Placed(pieces, 83), "2:Title@0-35");
    EXPECT_EQ(Placed(pieces, 60, THideDirection::hdRightToLeft), "0:Book@0-28|1: - @28-49");
    EXPECT_EQ(Placed(pieces, 40, THideDirection::hdRightToLeft), "0:Book@0-28|1:...@28-37") << "fitted piece by piece";

    pieces[1].visible = false;  // glue passes to the next visible piece
    EXPECT_EQ(Placed(pieces, 63), "0:Book@0-28|2:Title@28-63");
    EXPECT_EQ(Placed(pieces, 51), "0:Book@0-28|2:Ti...@28-51");
}

TEST(EffectsCaptionPieces, APieceMeasuredInItsOwnFont) {
    const MeasureText wide = [](std::string_view t) { return static_cast<int>(t.size()) * 20; };
    std::vector<CaptionPieceInput> pieces = {{"ab"}, {"cd"}};
    pieces[1].measure = &wide;
    EXPECT_EQ(Placed(pieces, 54, THideDirection::hdRightToLeft), "0:ab@0-14|1:cd@14-54");
    EXPECT_EQ(Placed(pieces, 53, THideDirection::hdRightToLeft), "0:ab@0-14");
}

}  // namespace
}  // namespace vc::effects
