#include "skin/look/skin_images.h"

#include <algorithm>
#include <cmath>

namespace vc {

Colour ClassicSystemColour(int index) {
    static const Colour table[] = {
        0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464, 0x000000, 0x000000, 0x000000,
        0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xD77800, 0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000,
        0xFFFFFF, 0x696969, 0xE3E3E3, 0x000000, 0xE1FFFF, 0x000000, 0xCC6600, 0xEAD1B9, 0xF2E4D7, 0xFF9933,
        0xF0F0F0};
    if (index < 0 || index >= static_cast<int>(sizeof table / sizeof table[0])) return 0;
    return table[index];
}

namespace {
int Channel(Colour c, int i) { return static_cast<int>((c >> (8 * i)) & 0xFFu); }
Colour FromChannels(int r, int g, int b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
}  // namespace

Colour Blend(Colour a, Colour b, int p) {
    const int scale = p < 100 ? 100 : 1000;
    int ch[3];
    for (int i = 0; i < 3; ++i) ch[i] = (Channel(a, i) * p + Channel(b, i) * (scale - p) + scale / 2) / scale;
    return FromChannels(ch[0], ch[1], ch[2]);
}

int SaturationMeasure(Colour c) {
    const int r = Channel(c, 0), g = Channel(c, 1), b = Channel(c, 2);
    if (r < 160 && g < 160 && b < 160) return 200;
    const int mx = std::max({r, g, b});
    const int mn = std::min({r, g, b});
    return static_cast<int>(std::nearbyint(255.0 * (mx - mn) / mx));
}

void GreyScale(Bitmap& bitmap) {
    for (int y = 0; y < bitmap.Height(); ++y) {
        Pixel* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x) {
            const int v = (PixelRed(row[x]) + PixelGreen(row[x]) + PixelBlue(row[x])) / 3;
            row[x] = MakePixel(v, v, v);
        }
    }
}

void ReplaceMagenta(Bitmap& bitmap, Colour colour) {
    const Pixel to = PixelFromColour(colour);
    const Pixel key = MakePixel(255, 0, 255);
    for (int y = 0; y < bitmap.Height(); ++y) {
        Pixel* row = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x)
            if (SameRgb(row[x], key)) row[x] = to;
    }
}

Bitmap Mirrored(const Bitmap& bitmap) {
    Bitmap out(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Pixel* s = bitmap.ScanLine(y);
        std::reverse_copy(s, s + bitmap.Width(), out.ScanLine(y));
    }
    return out;
}

Bitmap Flipped(const Bitmap& bitmap) {
    Bitmap out(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y)
        std::copy(bitmap.ScanLine(y), bitmap.ScanLine(y) + bitmap.Width(), out.ScanLine(bitmap.Height() - 1 - y));
    return out;
}

std::vector<Colour> TGradientCache::Compute(Colour c1, Colour c2, int n) {
    std::vector<Colour> row(static_cast<std::size_t>(std::max(n, 0)));
    int delta[3];
    for (int i = 0; i < 3; ++i) delta[i] = Channel(c2, i) - Channel(c1, i);
    if (n == 1) {
        row[0] = FromChannels(Channel(c1, 0) + delta[0] / 2, Channel(c1, 1) + delta[1] / 2,
                              Channel(c1, 2) + delta[2] / 2);
        return row;
    }
    for (int k = 0; k < n; ++k) {
        int ch[3];
        for (int i = 0; i < 3; ++i) ch[i] = Channel(c1, i) + (delta[i] * k + (n - 1) / 2) / (n - 1);
        row[static_cast<std::size_t>(k)] = FromChannels(ch[0], ch[1], ch[2]);
    }
    return row;
}

const std::vector<Colour>& TGradientCache::Row(Colour c1, Colour c2, int n) {
    for (int i = kSlots - 1; i >= 0; --i) {
        const Slot& s = slots_[static_cast<std::size_t>(i)];
        if (s.length == n && n > 0 && s.first == c1 && s.last == c2) return s.row;
    }
    Slot& s = slots_[static_cast<std::size_t>(next_)];
    next_ = (next_ + 1) % kSlots;
    s.length = n;
    s.first = c1;
    s.last = c2;
    s.row = Compute(c1, c2, n);
    ++computed_;
    return s.row;
}

void FillGradient(Bitmap& bitmap, const Rect& r, Colour c1, Colour c2, bool vertical, TGradientCache& cache,
                  const ColourResolver& resolve, Rect clip) {
    if (resolve) {
        c1 = resolve(c1);
        c2 = resolve(c2);
    }
    const int n = vertical ? r.Height() : r.Width();
    if (n < 1) return;
    const Rect box = clip.IsEmpty() ? bitmap.Bounds() : clip.Intersect(bitmap.Bounds());
    const Rect visible = r.Intersect(box);
    if (visible.IsEmpty()) return;
    const std::vector<Colour>& row = cache.Row(c1, c2, n);
    if (vertical) {
        for (int y = visible.top; y < visible.bottom; ++y)
            bitmap.FillRect(Rect{visible.left, y, visible.right, y + 1},
                            PixelFromColour(row[static_cast<std::size_t>(y - r.top)]));
    } else {
        for (int y = visible.top; y < visible.bottom; ++y) {
            Pixel* line = bitmap.ScanLine(y);
            for (int x = visible.left; x < visible.right; ++x)
                line[x] = PixelFromColour(row[static_cast<std::size_t>(x - r.left)]);
        }
    }
}

}  // namespace vc
