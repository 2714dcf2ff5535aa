#pragma once
// Turning a skin image (equal state images side by side or stacked, four
// fixed margins) into pixels of a given size, drawing with magenta as the
// transparent key, and reading a window shape out of a bitmap. Everything
// works on core bitmaps; the Windows side only blits the results.
#include <vector>

#include "common/bitmap.h"
#include "common/geometry.h"
#include "common/scale.h"

namespace vc {

// Magenta, the key colour of the whole skin engine.
constexpr Pixel kKeyPixel = MakePixel(255, 0, 255);

struct Margins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The rectangle of state image k (1-based) of n: stacked rows when
// `horizontal`, columns otherwise. The remainder of an image that does not
// divide evenly is never used. A count below 1 is taken as 1.
Rect StateImageRect(const Bitmap& image, bool horizontal, int n, int k);

// A new width x height bitmap: the corners kept, the edges and the centre
// stretched (nearest pixel) or, with `tile`, the centre repeated. Margins
// that do not fit the size are dropped in pairs.
Bitmap ComposeNineSlice(int width, int height, const Bitmap& image, Margins margins, bool horizontal, bool tile,
                        int n, int k);

// A bitmap brought to width x height. Without `smooth` each pixel takes the
// source pixel it falls on, so a whole factor repeats every pixel exactly.
// With it the four nearest source pixels are blended, those of the key
// colour left out: a pixel that falls on the key stays the key, so a keyed
// shape keeps its edge and no magenta fringe appears.
Bitmap ResizeBitmap(const Bitmap& source, int width, int height, bool smooth, Pixel key = kKeyPixel);

// The n state images of `image` (stacked rows when `horizontal`), each
// scaled on its own, so that no state bleeds into its neighbour: by whole
// factors pixel for pixel, by others smoothly.
Bitmap ScaleStateImages(const Bitmap& image, bool horizontal, int n, const Scale& scale);

// ComposeNineSlice on a screen of another scale: the size is in the screen's
// pixels, the image and the margins are 96-DPI ones. A whole factor gives
// exactly the 96-DPI composition with each pixel repeated (the columns and
// rows a size that does not divide by the factor leaves over are taken out
// of the centre, never of a corner); other scales compose from images
// scaled smoothly.
Bitmap ComposeNineSliceScaled(int width, int height, const Bitmap& image, Margins margins, bool horizontal, bool tile,
                              int n, int k, const Scale& scale);

// Composes at the rectangle's size and draws it onto `dest` there, keyed or
// opaque. Nothing for a rectangle whose right is left of its left or whose
// bottom is above its top.
void DrawNineSlice(Bitmap& dest, const Rect& r, const Bitmap& image, bool horizontal, bool tile, bool transparent,
                   int n, int k, Margins margins);

// Menu bands: left and right margins stretched to the full height, the
// middle stretched to the full height and repeated between them.
void DrawThreeSlice(Bitmap& dest, const Rect& r, const Bitmap& image, bool horizontal, bool transparent, int n, int k,
                    Margins margins);

// `source_area` of `image` drawn at every step of its size from the
// destination's top-left corner while inside the destination; the last row
// and column overhang it as the platform's canvas does.
void TileRect(Bitmap& dest, const Rect& target, const Bitmap& image, const Rect& source_area);

// State image k of n (side by side) stretched to the rectangle and drawn.
void DrawStateImage(Bitmap& dest, const Rect& r, const Bitmap& image, bool transparent, int n, int k);

// The bitmap at the rectangle's top-left corner; pixels of the key colour
// leave `dest` as it was.
void DrawTransparent(Bitmap& dest, const Rect& r, const Bitmap& bitmap, Pixel key = kKeyPixel);

struct Tolerance {
    int red = 1;
    int green = 1;
    int blue = 1;
};

// The shape of a bitmap: a pixel is transparent when each channel lies
// between the key's channel and that plus its tolerance (capped at 255).
// Every maximal run of other pixels in a row becomes a rectangle one pixel
// high, moved by the offsets; rows from the top, runs from the left.
std::vector<Rect> RegionFromBitmap(const Bitmap& bitmap, int x_offset, int y_offset, Tolerance tolerance = {},
                                   Pixel key = kKeyPixel);

}  // namespace vc
