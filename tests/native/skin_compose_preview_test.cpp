#include <gtest/gtest.h>

#include "skin/skin_preview.h"
#include "skin_data_fixture.h"

namespace vc {
namespace {

using skintest::Solid;

TEST(SkinComposePreview, ARestoredWindowShowsMaximiseNotRestoreAndTitlesItsCaption) {
    TSkinData data;
    data.SkinStream() = skintest::Pack(
        "[Personality]\nTop=top.bmp\nTopFrame=2\nTextShift=40\nTextShiftVert=1\nTextAlignment=2\n"
        "ActiveTextR=1\nActiveTextG=2\nActiveTextB=3\nInActiveTextR=4\nInActiveTextG=5\nInActiveTextB=6\n"
        "[ButtonMax]\nAction=1\nAlign=1\nXcoord=30\nYcoord=1\nVisibility=2\nVisibility1=6\nframe=4\nButtonImage=max.bmp\n"
        "[ButtonRestore]\nAction=1\nAlign=1\nXcoord=30\nYcoord=1\nVisibility=1\nVisibility1=6\nframe=4\n"
        "ButtonImage=restore.bmp\n",
        {{"top.bmp", Solid(30, 20, 200, 0, 0)}, {"max.bmp", skintest::States(10, 8, 4)},
         {"restore.bmp", Solid(40, 8, 0, 255, 0)}});
    ASSERT_TRUE(data.LoadSkin());
    const SkinPreview active = ComposeSkinPreview(data, {200, 120, true});
    EXPECT_EQ(active.image.At(175, 5), MakePixel(10, 10, 10)) << "the maximise button, not the restore button";
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

}  // namespace
}  // namespace vc
