#include "skin/look/composition.h"

#include <algorithm>
#include <cmath>

namespace vc {

Rect StateImageRect(const Bitmap& image, bool horizontal, int n, int k) {
    if (n < 1) n = 1;
    if (horizontal) {
        const int fh = image.Height() / n;
        return Rect::FromSize(0, (k - 1) * fh, image.Width(), fh);
    }
    const int fw = image.Width() / n;
    return Rect::FromSize((k - 1) * fw, 0, fw, image.Height());
}

namespace {

// One piece: copied when both its source and its destination have an area.
void Piece(Bitmap& dest, int dx, int dy, int dw, int dh, const Bitmap& image, int sx, int sy, int sw, int sh) {
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    StretchBlit(dest, Rect::FromSize(dx, dy, dw, dh), image, Rect::FromSize(sx, sy, sw, sh));
}

void Place(Bitmap& dest, const Rect& r, const Bitmap& composed, bool transparent) {
    if (transparent)
        BlitTransparent(dest, r.left, r.top, composed, composed.Bounds(), kKeyPixel);
    else
        Blit(dest, r.left, r.top, composed, composed.Bounds());
}

}  // namespace

Bitmap ComposeNineSlice(int width, int height, const Bitmap& image, Margins m, bool horizontal, bool tile, int n,
                        int k) {
    Bitmap out(width, height);
    if (out.Empty() || image.Empty()) return out;
    const Rect s = StateImageRect(image, horizontal, n, k);
    const int sx = s.left, sy = s.top, fw = s.Width(), fh = s.Height();
    if (m.top + m.bottom > height) m.top = m.bottom = 0;
    if (m.left + m.right > width) m.left = m.right = 0;
    const int L = m.left, T = m.top, R = m.right, B = m.bottom;
    const int W = width, H = height;
    const int cw = W - L - R, ch = H - T - B;
    const int scw = fw - L - R, sch = fh - T - B;

    Piece(out, 0, 0, L, T, image, sx, sy, L, T);
    Piece(out, 0, H - B, L, B, image, sx, sy + fh - B, L, B);
    Piece(out, W - R, 0, R, T, image, sx + fw - R, sy, R, T);
    Piece(out, 0, T, L, ch, image, sx, sy + T, L, sch);
    Piece(out, L, 0, cw, T, image, sx + L, sy, scw, T);
    if (cw > 0 && ch > 0 && scw > 0 && sch > 0) {
        if (tile) {
            // Tiles start at the centre's corner and may overhang into the
            // right and bottom edges, which are drawn over them next.
            const Bitmap tile_image = CopyRect(image, Rect::FromSize(sx + L, sy + T, scw, sch));
            // Nothing of the centre inside the image (the copy is clipped):
            // no tiles, rather than steps of no width.
            if (!tile_image.Empty())
                for (int y = T; y < T + ch; y += tile_image.Height())
                    for (int x = L; x < L + cw; x += tile_image.Width())
                        Blit(out, x, y, tile_image, tile_image.Bounds());
        } else {
            Piece(out, L, T, cw, ch, image, sx + L, sy + T, scw, sch);
        }
    }
    Piece(out, W - R, H - B, R, B, image, sx + fw - R, sy + fh - B, R, B);
    Piece(out, W - R, T, R, ch, image, sx + fw - R, sy + T, R, sch);
    Piece(out, L, H - B, cw, B, image, sx + L, sy + fh - B, scw, B);
    return out;
}

Bitmap ResizeBitmap(const Bitmap& source, int width, int height, bool smooth, Pixel key) {
    Bitmap out(std::max(width, 0), std::max(height, 0));
    if (out.Empty() || source.Empty()) return out;
    const int sw = source.Width(), sh = source.Height();
    if (!smooth) {
        for (int y = 0; y < height; ++y) {
            const Pixel* row = source.ScanLine(static_cast<int>(static_cast<long long>(y) * sh / height));
            Pixel* dest = out.ScanLine(y);
            for (int x = 0; x < width; ++x) dest[x] = row[static_cast<long long>(x) * sw / width];
        }
        return out;
    }
    const double fx = static_cast<double>(sw) / width, fy = static_cast<double>(sh) / height;
    for (int y = 0; y < height; ++y) {
        const double sy = std::clamp((y + 0.5) * fy - 0.5, 0.0, sh - 1.0);
        const int y0 = static_cast<int>(sy), y1 = std::min(y0 + 1, sh - 1);
        const double wy = sy - y0;
        const int ny = std::min(static_cast<int>((y + 0.5) * fy), sh - 1);
        Pixel* dest = out.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const int nx = std::min(static_cast<int>((x + 0.5) * fx), sw - 1);
            if (SameRgb(source.At(nx, ny), key)) {
                dest[x] = source.At(nx, ny);
                continue;
            }
            const double sx = std::clamp((x + 0.5) * fx - 0.5, 0.0, sw - 1.0);
            const int x0 = static_cast<int>(sx), x1 = std::min(x0 + 1, sw - 1);
            const double wx = sx - x0;
            const Pixel p[4] = {source.At(x0, y0), source.At(x1, y0), source.At(x0, y1), source.At(x1, y1)};
            const double w[4] = {(1 - wx) * (1 - wy), wx * (1 - wy), (1 - wx) * wy, wx * wy};
            double r = 0, g = 0, b = 0, a = 0, total = 0;
            for (int i = 0; i < 4; ++i) {
                if (SameRgb(p[i], key) || w[i] <= 0) continue;
                r += PixelRed(p[i]) * w[i];
                g += PixelGreen(p[i]) * w[i];
                b += PixelBlue(p[i]) * w[i];
                a += static_cast<double>(p[i] >> 24) * w[i];
                total += w[i];
            }
            if (total <= 0) {
                dest[x] = source.At(nx, ny);
                continue;
            }
            const auto channel = [total](double v) { return static_cast<Pixel>(std::lround(v / total)) & 0xFFu; };
            dest[x] = (channel(a) << 24) | (channel(r) << 16) | (channel(g) << 8) | channel(b);
        }
    }
    return out;
}

Bitmap ScaleStateImages(const Bitmap& image, bool horizontal, int n, const Scale& scale) {
    if (scale.IsIdentity() || image.Empty()) return image;
    if (n < 1) n = 1;
    const Rect first = StateImageRect(image, horizontal, n, 1);
    const int w = scale.Apply(first.Width()), h = scale.Apply(first.Height());
    Bitmap out(horizontal ? w : w * n, horizontal ? h * n : h);
    if (out.Empty()) return out;
    const bool smooth = scale.IntegerFactor() == 0;
    for (int k = 1; k <= n; ++k) {
        const Bitmap state = ResizeBitmap(CopyRect(image, StateImageRect(image, horizontal, n, k)), w, h, smooth);
        Blit(out, horizontal ? 0 : (k - 1) * w, horizontal ? (k - 1) * h : 0, state, state.Bounds());
    }
    return out;
}

Bitmap ComposeNineSliceScaled(int width, int height, const Bitmap& image, Margins m, bool horizontal, bool tile,
                              int n, int k, const Scale& scale) {
    if (scale.IsIdentity()) return ComposeNineSlice(width, height, image, m, horizontal, tile, n, k);
    const int factor = scale.IntegerFactor();
    if (factor == 0) {
        const Margins scaled{scale.Apply(m.left), scale.Apply(m.top), scale.Apply(m.right), scale.Apply(m.bottom)};
        return ComposeNineSlice(width, height, ScaleStateImages(image, horizontal, n, scale), scaled, horizontal, tile,
                                n, k);
    }
    if (width <= 0 || height <= 0) return Bitmap(std::max(width, 0), std::max(height, 0));
    const int lw = (width + factor - 1) / factor, lh = (height + factor - 1) / factor;
    const Bitmap up = ResizeBitmap(ComposeNineSlice(lw, lh, image, m, horizontal, tile, n, k), lw * factor,
                                   lh * factor, false);
    const int ex = up.Width() - width, ey = up.Height() - height;
    if (ex == 0 && ey == 0) return up;
    // The middle of the centre, where the margins that fit leave it.
    const auto cut = [factor](int size, int before, int after) {
        return (before + after <= size ? before + (size - before - after) / 2 : size / 2) * factor;
    };
    const int cx = cut(lw, m.left, m.right), cy = cut(lh, m.top, m.bottom);
    Bitmap out(width, height);
    const Rect parts_x[2] = {Rect{0, 0, cx, 0}, Rect{cx + ex, 0, up.Width(), 0}};
    const Rect parts_y[2] = {Rect{0, 0, 0, cy}, Rect{0, cy + ey, 0, up.Height()}};
    int dy = 0;
    for (const Rect& py : parts_y) {
        int dx = 0;
        for (const Rect& px : parts_x) {
            Blit(out, dx, dy, up, Rect{px.left, py.top, px.right, py.bottom});
            dx += px.Width();
        }
        dy += py.Height();
    }
    return out;
}

void DrawNineSlice(Bitmap& dest, const Rect& r, const Bitmap& image, bool horizontal, bool tile, bool transparent,
                   int n, int k, Margins margins) {
    if (r.right < r.left || r.bottom < r.top) return;
    Place(dest, r, ComposeNineSlice(r.Width(), r.Height(), image, margins, horizontal, tile, n, k), transparent);
}

void DrawThreeSlice(Bitmap& dest, const Rect& r, const Bitmap& image, bool horizontal, bool transparent, int n, int k,
                    Margins m) {
    const int W = r.Width(), H = r.Height();
    Bitmap band(W, H);
    if (band.Empty() || image.Empty()) return;
    const Rect s = StateImageRect(image, horizontal, n, k);
    const int L = m.left, R = m.right;
    const int fw = s.Width(), fh = s.Height();
    Piece(band, 0, 0, L, H, image, s.left, s.top, L, fh);
    const int mw = fw - L - R;
    if (mw > 0 && fh > 0) {
        Bitmap middle(mw, H);
        StretchBlit(middle, middle.Bounds(), image, Rect::FromSize(s.left + L, s.top, mw, fh));
        for (int x = L; x < W - R; x += mw) Blit(band, x, 0, middle, middle.Bounds());
    }
    Piece(band, W - R, 0, R, H, image, s.left + fw - R, s.top, R, fh);
    Place(dest, r, band, transparent);
}

void TileRect(Bitmap& dest, const Rect& target, const Bitmap& image, const Rect& source_area) {
    const Bitmap tile = CopyRect(image, source_area);
    if (tile.Empty()) return;
    for (int y = target.top; y < target.bottom; y += tile.Height())
        for (int x = target.left; x < target.right; x += tile.Width()) Blit(dest, x, y, tile, tile.Bounds());
}

void DrawStateImage(Bitmap& dest, const Rect& r, const Bitmap& image, bool transparent, int n, int k) {
    Bitmap state(r.Width(), r.Height());
    if (state.Empty() || image.Empty()) return;
    StretchBlit(state, state.Bounds(), image, StateImageRect(image, false, n, k));
    Place(dest, r, state, transparent);
}

void DrawTransparent(Bitmap& dest, const Rect& r, const Bitmap& bitmap, Pixel key) {
    BlitTransparent(dest, r.left, r.top, bitmap, bitmap.Bounds(), key);
}

std::vector<Rect> RegionFromBitmap(const Bitmap& bitmap, int x_offset, int y_offset, Tolerance tolerance, Pixel key) {
    const int lr = PixelRed(key), lg = PixelGreen(key), lb = PixelBlue(key);
    const int hr = std::min(255, lr + tolerance.red), hg = std::min(255, lg + tolerance.green),
              hb = std::min(255, lb + tolerance.blue);
    const auto transparent = [&](Pixel p) {
        const int r = PixelRed(p), g = PixelGreen(p), b = PixelBlue(p);
        return r >= lr && r <= hr && g >= lg && g <= hg && b >= lb && b <= hb;
    };
    std::vector<Rect> rects;
    for (int y = 0; y < bitmap.Height(); ++y) {
        const Pixel* row = bitmap.ScanLine(y);
        int x = 0;
        const int w = bitmap.Width();
        while (x < w) {
            while (x < w && transparent(row[x])) ++x;
            if (x == w) break;
            const int start = x;
            while (x < w && !transparent(row[x])) ++x;
            rects.push_back(Rect{start + x_offset, y + y_offset, x + x_offset, y + 1 + y_offset});
        }
    }
    return rects;
}

}  // namespace vc
