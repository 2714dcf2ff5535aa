#include "common/bitmap.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace vc {

Bitmap::Bitmap(int width, int height, Pixel fill) { SetSize(width, height, fill); }

void Bitmap::SetSize(int width, int height, Pixel fill) {
    if (width <= 0 || height <= 0) {
        width_ = height_ = 0;
        pixels_.clear();
        return;
    }
    if (std::int64_t(width) * height > kMaxPixels)
        throw EOutOfResources("Bitmap of " + std::to_string(width) + " x " + std::to_string(height) +
                              " pixels is too large");
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<std::size_t>(width) * height, fill);
}

void Bitmap::Fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }

void Bitmap::FillRect(const Rect& r, Pixel p) {
    const Rect c = r.Intersect(Bounds());
    for (int y = c.top; y < c.bottom; ++y) std::fill(ScanLine(y) + c.left, ScanLine(y) + c.right, p);
}

Bitmap CopyRect(const Bitmap& source, const Rect& area) {
    const Rect c = area.Intersect(source.Bounds());
    Bitmap out(c.Width(), c.Height());
    Blit(out, 0, 0, source, c);
    return out;
}

namespace {

// Clips a copy of `area` from `source` to (x, y) of `dest`: the source
// rectangle that lands inside both, and its destination corner.
bool ClipCopy(const Bitmap& dest, int& x, int& y, const Bitmap& source, Rect& area) {
    area = area.Intersect(source.Bounds());
    if (area.IsEmpty()) return false;
    const Rect target = Rect::FromSize(x, y, area.Width(), area.Height()).Intersect(dest.Bounds());
    if (target.IsEmpty()) return false;
    area = Rect{area.left + (target.left - x), area.top + (target.top - y), area.left + (target.right - x),
                area.top + (target.bottom - y)};
    x = target.left;
    y = target.top;
    return true;
}

}  // namespace

void Blit(Bitmap& dest, int x, int y, const Bitmap& source, const Rect& area) {
    Rect a = area;
    if (!ClipCopy(dest, x, y, source, a)) return;
    const std::size_t bytes = static_cast<std::size_t>(a.Width()) * sizeof(Pixel);
    for (int row = 0; row < a.Height(); ++row)
        std::memmove(dest.ScanLine(y + row) + x, source.ScanLine(a.top + row) + a.left, bytes);
}

void BlitTransparent(Bitmap& dest, int x, int y, const Bitmap& source, const Rect& area, Pixel key) {
    Rect a = area;
    if (!ClipCopy(dest, x, y, source, a)) return;
    for (int row = 0; row < a.Height(); ++row) {
        const Pixel* s = source.ScanLine(a.top + row) + a.left;
        Pixel* d = dest.ScanLine(y + row) + x;
        for (int i = 0; i < a.Width(); ++i)
            if (!SameRgb(s[i], key)) d[i] = s[i];
    }
}

void StretchBlit(Bitmap& dest, const Rect& target, const Bitmap& source, const Rect& area) {
    if (target.IsEmpty() || area.IsEmpty()) return;
    if (area.left < 0 || area.top < 0 || area.right > source.Width() || area.bottom > source.Height()) {
        // Parts of the source outside the bitmap have nothing to give: shrink
        // the target in proportion so that the visible part keeps its place.
        const Rect a = area.Intersect(source.Bounds());
        if (a.IsEmpty()) return;
        const auto scale = [](int v, int from0, int from1, int to0, int to1) {
            return to0 + static_cast<int>((std::int64_t(v - from0) * (to1 - to0)) / (from1 - from0));
        };
        const Rect t{scale(a.left, area.left, area.right, target.left, target.right),
                     scale(a.top, area.top, area.bottom, target.top, target.bottom),
                     scale(a.right, area.left, area.right, target.left, target.right),
                     scale(a.bottom, area.top, area.bottom, target.top, target.bottom)};
        StretchBlit(dest, t, source, a);
        return;
    }
    const int tw = target.Width();
    const int th = target.Height();
    const int sw = area.Width();
    const int sh = area.Height();
    if (tw == sw && th == sh) {
        Blit(dest, target.left, target.top, source, area);
        return;
    }
    const Rect visible = target.Intersect(dest.Bounds());
    if (visible.IsEmpty()) return;
    // Each target pixel takes the source pixel under its centre.
    std::vector<int> columns(static_cast<std::size_t>(visible.Width()));
    for (int x = visible.left; x < visible.right; ++x)
        columns[static_cast<std::size_t>(x - visible.left)] =
            area.left + static_cast<int>((std::int64_t(2 * (x - target.left) + 1) * sw) / (2 * std::int64_t(tw)));
    int last_sy = -1;
    for (int y = visible.top; y < visible.bottom; ++y) {
        const int sy = area.top + static_cast<int>((std::int64_t(2 * (y - target.top) + 1) * sh) / (2 * std::int64_t(th)));
        Pixel* d = dest.ScanLine(y) + visible.left;
        if (sy == last_sy) {
            std::memcpy(d, dest.ScanLine(y - 1) + visible.left, columns.size() * sizeof(Pixel));
            continue;
        }
        const Pixel* s = source.ScanLine(sy);
        for (std::size_t i = 0; i < columns.size(); ++i) d[i] = s[columns[i]];
        last_sy = sy;
    }
}

}  // namespace vc
