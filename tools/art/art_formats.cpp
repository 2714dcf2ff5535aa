#include "art_formats.h"

#include <stdexcept>

#include "art_canvas.h"

namespace vc::art {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

std::uint32_t PixelBytes(const Raster& image) {
    return static_cast<std::uint32_t>(image.Width()) * static_cast<std::uint32_t>(image.Height()) * 4;
}

// BITMAPINFOHEADER for 32 bits per pixel, BI_RGB. `height` is the header's
// height, which for an icon entry counts the mask too.
void PutInfoHeader(std::vector<std::uint8_t>& out, int width, int height, std::uint32_t image_bytes) {
    Put32(out, static_cast<std::uint32_t>(kBmpInfoHeaderSize));
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);   // planes
    Put16(out, 32);  // bits per pixel
    Put32(out, 0);   // BI_RGB
    Put32(out, image_bytes);
    Put32(out, 2835);  // 72 dots per inch, in dots per metre
    Put32(out, 2835);
    Put32(out, 0);  // colours used
    Put32(out, 0);  // colours important
}

// Rows from the bottom up, B G R A.
void PutPixels(std::vector<std::uint8_t>& out, const Raster& image) {
    for (int y = image.Height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.Width(); ++x) {
            const Pixel& p = image.At(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
}

// The AND mask of an icon entry: a set bit lets the screen through. Systems
// that ignore the alpha byte use it, so it marks the fully clear pixels.
void PutMask(std::vector<std::uint8_t>& out, const Raster& image) {
    const std::size_t row_bytes = MaskRowBytes(image.Width());
    for (int y = image.Height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(row_bytes, 0);
        for (int x = 0; x < image.Width(); ++x) {
            if (image.At(x, y).a == 0) row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

std::vector<std::uint8_t> IconEntryBitmap(const Raster& image) {
    std::vector<std::uint8_t> out;
    const std::uint32_t mask_bytes = static_cast<std::uint32_t>(MaskRowBytes(image.Width()) * image.Height());
    PutInfoHeader(out, image.Width(), image.Height() * 2, PixelBytes(image) + mask_bytes);
    PutPixels(out, image);
    PutMask(out, image);
    return out;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp32(const Raster& image) {
    const std::uint32_t offset = static_cast<std::uint32_t>(kBmpFileHeaderSize + kBmpInfoHeaderSize);
    std::vector<std::uint8_t> out;
    out.reserve(offset + PixelBytes(image));
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + PixelBytes(image));
    Put32(out, 0);  // reserved
    Put32(out, offset);
    PutInfoHeader(out, image.Width(), image.Height(), PixelBytes(image));
    PutPixels(out, image);
    return out;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<Raster>& images) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const Raster& image : images) {
        if (image.Width() != image.Height() || image.Width() < 1 || image.Width() > 256) {
            throw std::invalid_argument("icon images must be square, 1 to 256 pixels");
        }
        // Large entries as PNG keep the file small; the system reads PNG
        // entries since Windows Vista.
        bodies.push_back(image.Width() == 256 ? EncodePng(image) : IconEntryBitmap(image));
    }
    std::vector<std::uint8_t> out;
    Put16(out, 0);  // reserved
    Put16(out, 1);  // icon, not cursor
    Put16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(kIcoHeaderSize + kIcoEntrySize * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const int size = images[i].Width();
        // A size byte of 0 stands for 256.
        out.push_back(static_cast<std::uint8_t>(size == 256 ? 0 : size));
        out.push_back(static_cast<std::uint8_t>(size == 256 ? 0 : size));
        out.push_back(0);  // colours in a palette: none
        out.push_back(0);  // reserved
        Put16(out, 1);     // planes
        Put16(out, 32);    // bits per pixel
        Put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        Put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace vc::art
