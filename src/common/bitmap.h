#pragma once
// The core's pixel bitmap: 32-bit BGRA pixels (blue in the lowest byte of a
// Pixel), top row first, with scan-line access. The Windows shell wraps it in
// a DIB section to blit it; composition and regions work on it anywhere.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/errors.h"
#include "common/geometry.h"
#include "common/values.h"

namespace vc {

using Pixel = std::uint32_t;

constexpr Pixel kPixelRgbMask = 0x00FFFFFFu;
constexpr Pixel kOpaque = 0xFF000000u;

// Colours are 0x00BBGGRR, pixels 0xAARRGGBB: red and blue swap places.
// System colours must be resolved before they become pixels.
constexpr Pixel PixelFromColour(Colour c) {
    return kOpaque | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}
constexpr Colour ColourFromPixel(Pixel p) { return ((p >> 16) & 0xFFu) | (p & 0xFF00u) | ((p & 0xFFu) << 16); }
constexpr Pixel MakePixel(int r, int g, int b) {
    return kOpaque | (static_cast<Pixel>(r & 0xFF) << 16) | (static_cast<Pixel>(g & 0xFF) << 8) |
           static_cast<Pixel>(b & 0xFF);
}
constexpr int PixelRed(Pixel p) { return static_cast<int>((p >> 16) & 0xFFu); }
constexpr int PixelGreen(Pixel p) { return static_cast<int>((p >> 8) & 0xFFu); }
constexpr int PixelBlue(Pixel p) { return static_cast<int>(p & 0xFFu); }
constexpr bool SameRgb(Pixel a, Pixel b) { return ((a ^ b) & kPixelRgbMask) == 0; }

class Bitmap {
public:
    // Larger bitmaps are refused with EOutOfResources: a skin image or a
    // window never comes near this, a damaged size field easily does.
    static constexpr std::int64_t kMaxPixels = std::int64_t(1) << 26;

    Bitmap() = default;
    Bitmap(int width, int height, Pixel fill = kOpaque);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Bytes from one scan line to the next.
    std::size_t Stride() const { return static_cast<std::size_t>(width_) * sizeof(Pixel); }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    Rect Bounds() const { return Rect{0, 0, width_, height_}; }

    Pixel* ScanLine(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const Pixel* ScanLine(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    Pixel* Data() { return pixels_.data(); }
    const Pixel* Data() const { return pixels_.data(); }

    Pixel At(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    void Set(int x, int y, Pixel p) { pixels_[static_cast<std::size_t>(y) * width_ + x] = p; }

    void SetSize(int width, int height, Pixel fill = kOpaque);
    void Fill(Pixel p);
    // Clipped to the bitmap.
    void FillRect(const Rect& r, Pixel p);

    friend bool operator==(const Bitmap& a, const Bitmap& b) {
        return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
    }
    friend bool operator!=(const Bitmap& a, const Bitmap& b) { return !(a == b); }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

// A bitmap too large to be made.
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
};

// The part of `source` inside `area` (clipped) as a new bitmap.
Bitmap CopyRect(const Bitmap& source, const Rect& area);
// Copies `area` of `source` to (x, y) of `dest`, clipped on both sides.
void Blit(Bitmap& dest, int x, int y, const Bitmap& source, const Rect& area);
// Nearest-pixel stretch of `area` of `source` onto `target` of `dest`,
// clipped to `dest` (the stretch mode that keeps colours exact).
void StretchBlit(Bitmap& dest, const Rect& target, const Bitmap& source, const Rect& area);
// Like Blit, but pixels equal to `key` (red, green, blue) leave `dest` as it was.
void BlitTransparent(Bitmap& dest, int x, int y, const Bitmap& source, const Rect& area, Pixel key);

}  // namespace vc
