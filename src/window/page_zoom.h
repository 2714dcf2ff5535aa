#pragma once
// The page's zoom in percent, as Ctrl+plus, Ctrl+minus, Ctrl+0 and Ctrl+wheel
// change it: the steps a web browser takes, from 10 % to 1000 %.
namespace vc {

inline constexpr int kZoomMinimum = 10;
inline constexpr int kZoomMaximum = 1000;
inline constexpr int kZoomActual = 100;

// The next step above or below `percent`; a value between steps (a page
// zoomed by other means) goes to the nearest step in that direction, and
// the ends stay where they are.
int ZoomIn(int percent);
int ZoomOut(int percent);
// A wheel turn of `delta` (120 a notch, positive away from the reader)
// takes one step per notch; a part of a notch takes one step.
int ZoomByWheel(int percent, int delta);

}  // namespace vc
