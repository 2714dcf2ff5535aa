#include "skin/format/bitmap_file.h"

#include <cstdlib>

namespace vc {

namespace {

constexpr const char* kInvalid = "Bitmap image is not valid";

std::uint32_t Get16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }
std::uint32_t Get32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// A channel of a bit-field pixel scaled to 8 bits.
int FieldValue(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1u) == 0) ++shift;
    const std::uint32_t m = mask >> shift;
    const std::uint32_t v = (pixel & mask) >> shift;
    return static_cast<int>((v * 255u + m / 2) / m);
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

Bitmap DecodeBitmapFile(const std::uint8_t* data, std::size_t size) {
    if (size < 14 + 12 || data[0] != 'B' || data[1] != 'M') throw EInvalidGraphic(kInvalid);
    const std::uint32_t bits_offset = Get32(data + 10);
    const std::uint32_t header_size = Get32(data + 14);
    if (header_size < 12 || header_size > size - 14) throw EInvalidGraphic(kInvalid);
    const std::uint8_t* h = data + 14;
    std::int64_t width = 0;
    std::int64_t height = 0;
    unsigned bits = 0;
    std::uint32_t compression = 0;
    std::uint32_t colours_used = 0;
    std::size_t palette_entry = 4;
    if (header_size == 12) {  // the old core header
        width = Get16(h + 4);
        height = static_cast<std::int16_t>(Get16(h + 6));
        bits = Get16(h + 10);
        palette_entry = 3;
    } else {
        if (header_size < 40) throw EInvalidGraphic(kInvalid);
        width = static_cast<std::int32_t>(Get32(h + 4));
        height = static_cast<std::int32_t>(Get32(h + 8));
        bits = Get16(h + 14);
        compression = Get32(h + 16);
        colours_used = Get32(h + 32);
    }
    const bool top_down = height < 0;
    if (top_down) height = -height;
    if (width <= 0 || height <= 0) throw EInvalidGraphic(kInvalid);
    // Skin images are small; a size field past this is damage, and the
    // pixels are allocated before run-length data can prove otherwise.
    if (width * height > kMaxFilePixels) throw EOutOfResources("Bitmap image is too large");

    // Bit fields follow a 40-byte header; later headers hold them inside.
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bits == 32) {
        masks[0] = 0xFF0000;
        masks[1] = 0xFF00;
        masks[2] = 0xFF;
    }
    std::size_t palette_start = 14 + header_size;
    if (compression == 3) {
        if (bits != 16 && bits != 32) throw EInvalidGraphic(kInvalid);
        if (palette_start + 12 > size) throw EInvalidGraphic(kInvalid);
        const std::uint8_t* m = header_size == 40 ? data + palette_start : h + 40;
        for (int i = 0; i < 3; ++i) masks[i] = Get32(m + 4 * i);
        if (header_size == 40) palette_start += 12;
    } else if (compression == 1) {
        if (bits != 8) throw EInvalidGraphic(kInvalid);
    } else if (compression == 2) {
        if (bits != 4) throw EInvalidGraphic(kInvalid);
    } else if (compression != 0) {
        throw EInvalidGraphic(kInvalid);
    }
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        throw EInvalidGraphic(kInvalid);

    std::vector<Pixel> palette;
    if (bits <= 8) {
        std::size_t count = colours_used ? colours_used : (1u << bits);
        if (count > 256) count = 256;
        if (palette_start + count * palette_entry > size) throw EInvalidGraphic(kInvalid);
        palette.resize(256, kOpaque);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* e = data + palette_start + i * palette_entry;
            palette[i] = MakePixel(e[2], e[1], e[0]);
        }
    }
    if (bits_offset >= size) throw EInvalidGraphic(kInvalid);
    const std::uint8_t* src = data + bits_offset;
    const std::size_t available = size - bits_offset;
    const int w = static_cast<int>(width);
    const int hgt = static_cast<int>(height);
    const std::size_t row_bytes = ((static_cast<std::size_t>(w) * bits + 31) / 32) * 4;
    if (compression != 1 && compression != 2 && row_bytes * static_cast<std::size_t>(hgt) > available)
        throw EInvalidGraphic(kInvalid);
    Bitmap out(w, hgt, kOpaque);
    const auto row_of = [&](int file_row) { return top_down ? file_row : hgt - 1 - file_row; };

    if (compression == 1 || compression == 2) {
        // Run-length coded: pixels not written stay the first palette colour.
        out.Fill(palette[0]);
        std::size_t i = 0;
        int x = 0;
        int fr = 0;
        const auto put = [&](unsigned index) {
            if (x < w && fr < hgt) out.Set(x, row_of(fr), palette[index & 0xFF]);
            ++x;
        };
        while (fr < hgt) {
            if (i + 2 > available) throw EInvalidGraphic(kInvalid);
            const unsigned count = src[i];
            const unsigned value = src[i + 1];
            i += 2;
            if (count > 0) {
                for (unsigned k = 0; k < count; ++k)
                    put(compression == 1 ? value : ((k & 1) ? (value & 0x0F) : (value >> 4)));
            } else if (value == 0) {
                x = 0;
                ++fr;
            } else if (value == 1) {
                break;
            } else if (value == 2) {
                if (i + 2 > available) throw EInvalidGraphic(kInvalid);
                x += src[i];
                fr += src[i + 1];
                i += 2;
            } else {
                const std::size_t bytes = compression == 1 ? value : (value + 1) / 2;
                if (i + bytes > available) throw EInvalidGraphic(kInvalid);
                for (unsigned k = 0; k < value; ++k)
                    put(compression == 1 ? src[i + k] : ((k & 1) ? (src[i + k / 2] & 0x0F) : (src[i + k / 2] >> 4)));
                i += (bytes + 1) & ~std::size_t(1);  // runs are padded to whole words
            }
        }
        return out;
    }

    for (int fr = 0; fr < hgt; ++fr) {
        const std::uint8_t* r = src + row_bytes * fr;
        Pixel* d = out.ScanLine(row_of(fr));
        for (int x = 0; x < w; ++x) {
            switch (bits) {
                case 1: d[x] = palette[(r[x >> 3] >> (7 - (x & 7))) & 1]; break;
                case 4: d[x] = palette[(x & 1) ? (r[x >> 1] & 0x0F) : (r[x >> 1] >> 4)]; break;
                case 8: d[x] = palette[r[x]]; break;
                case 16: {
                    const std::uint32_t v = Get16(r + 2 * x);
                    d[x] = MakePixel(FieldValue(v, masks[0]), FieldValue(v, masks[1]), FieldValue(v, masks[2]));
                    break;
                }
                case 24: d[x] = MakePixel(r[3 * x + 2], r[3 * x + 1], r[3 * x]); break;
                default: {
                    const std::uint32_t v = Get32(r + 4 * x);
                    d[x] = compression == 3
                               ? MakePixel(FieldValue(v, masks[0]), FieldValue(v, masks[1]), FieldValue(v, masks[2]))
                               : (kOpaque | (v & kPixelRgbMask));
                }
            }
        }
    }
    return out;
}

std::vector<std::uint8_t> EncodeBitmapFile(const Bitmap& bitmap) {
    const std::size_t row_bytes = ((static_cast<std::size_t>(bitmap.Width()) * 3 + 3) / 4) * 4;
    const std::size_t image = row_bytes * static_cast<std::size_t>(bitmap.Height());
    std::vector<std::uint8_t> out;
    out.reserve(54 + image);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(54 + image));
    Put32(out, 0);
    Put32(out, 54);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(bitmap.Width()));
    Put32(out, static_cast<std::uint32_t>(bitmap.Height()));
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0);
    Put32(out, static_cast<std::uint32_t>(image));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    for (int y = bitmap.Height() - 1; y >= 0; --y) {
        const Pixel* s = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            out.push_back(static_cast<std::uint8_t>(PixelBlue(s[x])));
            out.push_back(static_cast<std::uint8_t>(PixelGreen(s[x])));
            out.push_back(static_cast<std::uint8_t>(PixelRed(s[x])));
        }
        for (std::size_t pad = static_cast<std::size_t>(bitmap.Width()) * 3; pad < row_bytes; ++pad) out.push_back(0);
    }
    return out;
}

}  // namespace vc
