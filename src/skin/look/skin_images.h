#pragma once
// Colour and image helpers of the skin engine: the colour blend, the
// saturation measure, grey scale, magenta replacement, mirror and flip, and
// the gradient fill with its small cache of colour rows.
#include <array>
#include <functional>
#include <vector>

#include "common/bitmap.h"
#include "common/geometry.h"
#include "common/values.h"

namespace vc {

// System colours (0xFF000000 + index) to plain ones; other colours pass.
using ColourResolver = std::function<Colour(Colour)>;

// The classic system colours, for places with no platform to ask.
Colour ClassicSystemColour(int index);

// Per cent when p is below 100, otherwise per mille: each channel is
// (a*p + b*(scale - p) + scale/2) / scale. Colours must be resolved.
Colour Blend(Colour a, Colour b, int p);

// round(255 * (max - min) / max) over the channels, halves to even; a colour
// whose three channels are all below 160 measures 200.
int SaturationMeasure(Colour c);

void GreyScale(Bitmap& bitmap);
// Every pure magenta pixel becomes `colour`.
void ReplaceMagenta(Bitmap& bitmap, Colour colour);
Bitmap Mirrored(const Bitmap& bitmap);  // left to right
Bitmap Flipped(const Bitmap& bitmap);   // top to bottom

// Colour rows for gradients: entry i of n is c1 + (delta*i + (n-1) div 2)
// div (n-1) per channel (div truncating); a row of one holds c1 + delta div 2.
// Sixteen rows are kept, looked up from the last slot to the first; a new row
// takes the next slot in turn.
class TGradientCache {
public:
    static constexpr int kSlots = 16;

    const std::vector<Colour>& Row(Colour c1, Colour c2, int n);
    // How many rows were computed rather than found (for tests).
    int Computed() const { return computed_; }

    static std::vector<Colour> Compute(Colour c1, Colour c2, int n);

private:
    struct Slot {
        int length = 0;
        Colour first = 0;
        Colour last = 0;
        std::vector<Colour> row;
    };
    std::array<Slot, kSlots> slots_;
    int next_ = 0;
    int computed_ = 0;
};

// Fills `r` of the bitmap with a gradient from c1 (top or left) to c2,
// painting only the lines inside `clip` (the whole bitmap when empty).
// Nothing when the extent in the gradient direction is below 1 or nothing
// of `r` is visible.
void FillGradient(Bitmap& bitmap, const Rect& r, Colour c1, Colour c2, bool vertical, TGradientCache& cache,
                  const ColourResolver& resolve, Rect clip = Rect{});

}  // namespace vc
