#pragma once

#include <cstdint>
#include <vector>

namespace vc::art {

// One pixel with straight (not premultiplied) alpha, the form icon and
// bitmap files store.
struct Pixel {
    std::uint8_t b = 0;
    std::uint8_t g = 0;
    std::uint8_t r = 0;
    std::uint8_t a = 0;

    bool operator==(const Pixel& other) const {
        return b == other.b && g == other.g && r == other.r && a == other.a;
    }
    bool operator!=(const Pixel& other) const { return !(*this == other); }
};

// A top-down image of straight-alpha pixels.
class Raster {
public:
    Raster() = default;
    Raster(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Pixel& At(int x, int y) { return pixels_[Index(x, y)]; }
    const Pixel& At(int x, int y) const { return pixels_[Index(x, y)]; }

    // Copies `source` with its top-left corner at (x, y); parts outside
    // this image are dropped.
    void Place(const Raster& source, int x, int y);
    Raster Crop(int x, int y, int width, int height) const;

    bool operator==(const Raster& other) const {
        return width_ == other.width_ && height_ == other.height_ && pixels_ == other.pixels_;
    }

private:
    std::size_t Index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

// The look of a button that cannot be pressed: grey, lighter and a little
// transparent, so that it recedes on any background.
Raster DisabledLook(const Raster& image);

// Colourfulness of a pixel, 0 for greys, up to 255.
int Saturation(const Pixel& pixel);

}  // namespace vc::art
