#include "window/page_zoom.h"

#include <gtest/gtest.h>

namespace vc {
namespace {

TEST(PageZoom, StepsLikeABrowserAndStopsAtTheEnds) {
    EXPECT_EQ(ZoomIn(kZoomActual), 110);
    EXPECT_EQ(ZoomOut(kZoomActual), 90);
    EXPECT_EQ(ZoomIn(750), kZoomMaximum);
    EXPECT_EQ(ZoomIn(kZoomMaximum), kZoomMaximum);
    EXPECT_EQ(ZoomOut(25), kZoomMinimum);
    EXPECT_EQ(ZoomOut(kZoomMinimum), kZoomMinimum);
    // Between steps, and outside the range, the nearest step that way.
    EXPECT_EQ(ZoomIn(104), 110);
    EXPECT_EQ(ZoomOut(104), 100);
    EXPECT_EQ(ZoomOut(5000), kZoomMaximum);
    EXPECT_EQ(ZoomIn(1), kZoomMinimum);
    // Up and back down returns to where it began.
    int percent = kZoomActual;
    for (int i = 0; i < 5; ++i) percent = ZoomIn(percent);
    EXPECT_EQ(percent, 200);
    for (int i = 0; i < 5; ++i) percent = ZoomOut(percent);
    EXPECT_EQ(percent, kZoomActual);
}

TEST(PageZoom, AWheelNotchIsOneStepAndAPartOfOneCountsAsOne) {
    EXPECT_EQ(ZoomByWheel(kZoomActual, 120), 110);
    EXPECT_EQ(ZoomByWheel(kZoomActual, -240), 80);
    EXPECT_EQ(ZoomByWheel(kZoomActual, 30), 110) << "a fine wheel";
    EXPECT_EQ(ZoomByWheel(kZoomActual, 0), kZoomActual);
    EXPECT_EQ(ZoomByWheel(kZoomActual, 120 * 100), kZoomMaximum);
}

}  // namespace
}  // namespace vc
