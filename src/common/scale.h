#pragma once
// The scale of a screen. Books, skins and the runtime's own layout give
// lengths in pixels of a 96-DPI screen; a high-DPI screen needs them larger.
// A Scale turns those lengths into the screen's pixels.
#include "common/geometry.h"

namespace vc {

class Scale {
public:
    static constexpr int kBaseDpi = 96;

    // A DPI of zero or less (a failed query) is taken as the base.
    explicit Scale(int dpi = kBaseDpi) : dpi_(dpi > 0 ? dpi : kBaseDpi) {}

    int Dpi() const { return dpi_; }
    bool IsIdentity() const { return dpi_ == kBaseDpi; }
    // 192 DPI is 2: every pixel becomes a block of whole pixels, so pictures
    // can be enlarged without blur. 0 when the scale is fractional.
    int IntegerFactor() const { return dpi_ % kBaseDpi == 0 ? dpi_ / kBaseDpi : 0; }
    // A 96-DPI length, rounded half away from zero so that a length and its
    // negation scale alike.
    int Apply(int length) const;
    // A screen length back to 96 DPI, rounded the same way.
    int Unapply(int length) const;
    // Position and size scale independently, so that two rectangles that
    // touch at 96 DPI still touch and a rectangle's size does not depend on
    // where it sits.
    Rect Apply(const Rect& r) const;
    Point Apply(Point p) const { return Point{Apply(p.x), Apply(p.y)}; }

    friend bool operator==(const Scale& a, const Scale& b) { return a.dpi_ == b.dpi_; }
    friend bool operator!=(const Scale& a, const Scale& b) { return a.dpi_ != b.dpi_; }

private:
    int dpi_;
};

// Of the sizes an image exists in (pixels at 96 DPI first, in any order), the
// one nearest the scaled wanted size; at equal distance the larger, which
// shrinks rather than enlarges. -1 for an empty list.
int NearestSize(const int* sizes, int count, int wanted96, const Scale& scale);

}  // namespace vc
