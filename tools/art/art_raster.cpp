#include "art_raster.h"

#include <algorithm>
#include <stdexcept>

namespace vc::art {

Raster::Raster(int width, int height) : width_(width), height_(height) {
    if (width < 0 || height < 0) throw std::invalid_argument("negative image size");
    pixels_.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
}

void Raster::Place(const Raster& source, int x, int y) {
    for (int sy = 0; sy < source.Height(); ++sy) {
        const int ty = y + sy;
        if (ty < 0 || ty >= height_) continue;
        for (int sx = 0; sx < source.Width(); ++sx) {
            const int tx = x + sx;
            if (tx < 0 || tx >= width_) continue;
            At(tx, ty) = source.At(sx, sy);
        }
    }
}

Raster Raster::Crop(int x, int y, int width, int height) const {
    Raster result(width, height);
    result.Place(*this, -x, -y);
    return result;
}

Raster DisabledLook(const Raster& image) {
    // Grey by luminance squeezed into the light half of the scale, so the
    // image is lighter but keeps enough contrast to be recognised;
    // transparent pixels stay black so that the file keeps one colour for
    // "nothing here".
    constexpr int kDarkest = 118;
    constexpr int kLightest = 236;
    constexpr int kOpacity = 80;  // percent of the original alpha
    Raster result(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Pixel& in = image.At(x, y);
            Pixel& out = result.At(x, y);
            if (in.a == 0) continue;
            const int luma = (in.r * 299 + in.g * 587 + in.b * 114 + 500) / 1000;
            const auto grey = static_cast<std::uint8_t>(kDarkest + (luma * (kLightest - kDarkest) + 127) / 255);
            out.r = out.g = out.b = grey;
            out.a = static_cast<std::uint8_t>(std::max(1, (in.a * kOpacity + 50) / 100));
        }
    }
    return result;
}

int Saturation(const Pixel& pixel) {
    const int high = std::max({pixel.r, pixel.g, pixel.b});
    const int low = std::min({pixel.r, pixel.g, pixel.b});
    return high - low;
}

}  // namespace vc::art
