#include <gtest/gtest.h>

#include "skin/skin_preview.h"
#include "skin_data_fixture.h"

namespace vc {
namespace {

using skintest::Solid;

TEST(SkinComposePreview, ARestoredWindowShowsMaximiseNotRestoreAndTitlesItsCaption) {
    Bitmap top(30, 20);
    top.FillRect(Rect{0, 0, 30, 10}, MakePixel(200, 0, 0));
    top.FillRect(Rect{0, 10, 30, 20}, MakePixel(0, 0, 200));
    Bitmap glyphs(40, 8);
    for (int k = 0; k < 4; ++k) glyphs.FillRect(Rect::FromSize(10 * k, 0, 10, 8), MakePixel(50 + k, 0, 0));
    Bitmap restore(40, 8, MakePixel(0, 255, 0));
    TSkinData data;
    data.SkinStream() = skintest::Pack(
        "[Personality]\nTop=top.bmp\nTopFrame=2\nTextShift=40\nTextShiftVert=1\nTextAlignment=2\n"
        "ActiveTextR=1\nActiveTextG=2\nActiveTextB=3\nInActiveTextR=4\nInActiveTextG=5\nInActiveTextB=6\n"
        "[ButtonMax]\nAction=1\nAlign=1\nXcoord=30\nYcoord=1\nVisibility=2\nVisibility1=6\nframe=4\nButtonImage=max.bmp\n"
        "[ButtonRestore]\nAction=1\nAlign=1\nXcoord=30\nYcoord=1\nVisibility=1\nVisibility1=6\nframe=4\n"
        "ButtonImage=restore.bmp\n",
        {{"top.bmp", top}, {"max.bmp", glyphs}, {"restore.bmp", restore}});
    ASSERT_TRUE(data.LoadSkin());
    const SkinPreview active = ComposeSkinPreview(data, {200, 120, true});
    EXPECT_EQ(active.image.At(175, 5), MakePixel(50, 0, 0)) << "the maximise button, not the restore button";
    ASSERT_FALSE(active.labels.empty());
    const PreviewLabel& caption = active.labels.front();
    EXPECT_EQ(caption.text, "Tour of Vellumcast");
    EXPECT_EQ(caption.colour, 0x030201u);
    EXPECT_EQ(caption.bounds.top, 1) << "shifted down by a pixel";
    EXPECT_EQ(caption.bounds.left + caption.bounds.right, 200) << "centred on the window";
    EXPECT_LE(caption.bounds.right, 166) << "clear of the button";
    const SkinPreview inactive = ComposeSkinPreview(data, {200, 120, false});
    EXPECT_EQ(inactive.labels.front().colour, 0x060504u);
}

TEST(SkinComposePreview, TheFrameLiesAsTheSkinnedFrameLaysItAndItsMagentaIsCutAway) {
    // Left and right run the whole height; top and bottom lie between them.
    Bitmap left(8, 12);  // two states of 4 columns; the active one's first row is magenta
    left.FillRect(Rect{0, 0, 4, 12}, MakePixel(0, 90, 0));
    left.FillRect(Rect{4, 0, 8, 12}, MakePixel(0, 0, 90));
    left.FillRect(Rect{0, 0, 4, 1}, MakePixel(255, 0, 255));
    TSkinData data;
    data.SkinStream() = skintest::Pack(
        "[Colours]\nButtonFace=1 2 3\n"
        "[Personality]\nTop=top.bmp\nTopFrame=2\nLeft=left.bmp\nLeftFrame=2\nLeftTrans=1\nLeftTopHeight=1\nRight=left.bmp\n"
        "RightFrame=2\nRightTrans=0\nBottom=bottom.bmp\n",
        {{"top.bmp", Solid(10, 20, 200, 0, 0)}, {"left.bmp", left}, {"bottom.bmp", Solid(10, 4, 9, 9, 9)}});
    ASSERT_TRUE(data.LoadSkin());
    const Bitmap active = RenderSkinPreview(data, {100, 80, true});
    EXPECT_EQ(active.At(1, 5), MakePixel(0, 90, 0)) << "the left side beside the title";
    EXPECT_EQ(active.At(50, 40), MakePixel(1, 2, 3)) << "the client in the button face colour";
    EXPECT_EQ(active.At(98, 0), MakePixel(255, 0, 255)) << "without Trans the key colour is painted";
    EXPECT_EQ(active.At(0, 0), PixelFromColour(0xF2F4F4)) << "cut away by the region";
    const Bitmap inactive = RenderSkinPreview(data, {100, 80, false});
    EXPECT_EQ(inactive.At(1, 5), MakePixel(0, 0, 90));
    EXPECT_EQ(inactive.At(0, 0), PixelFromColour(0xF2F4F4)) << "the region follows the active state";
}

}  // namespace
}  // namespace vc
