#include <cmath>
#include <cstdio>

#include "skin_paint.h"

namespace vc::theme {
namespace {

// A rounded rectangle whose edges fall on pixel centres, so that a
// one-pixel line drawn along it is crisp.
void Outline(art::Canvas& canvas, double x, double y, double w, double h, double radius) {
    const double r = std::min(radius, std::min(w, h) / 2 - 0.5);
    if (r <= 0) {
        canvas.Rect(x + 0.5, y + 0.5, w - 1, h - 1);
    } else {
        canvas.RoundRect(x + 0.5, y + 0.5, w - 1, h - 1, r);
    }
}

}  // namespace

void BoxPath(art::Canvas& canvas, double x, double y, double w, double h, double radius) {
    const double r = std::min(radius, std::min(w, h) / 2);
    if (r <= 0) {
        canvas.Rect(x, y, w, h);
    } else {
        canvas.RoundRect(x, y, w, h, r);
    }
}

SurfaceColours ControlColours(const Theme& theme, State state) {
    const Palette& p = theme.palette;
    switch (state) {
        case State::Hot:
            return {Mix(p.control_top, p.accent, 0.18), Mix(p.control_bottom, p.accent, 0.22),
                    Mix(p.control_border, p.accent, 0.55)};
        case State::Pressed:
            return {Darker(p.control_bottom, 0.10), Darker(p.control_top, 0.04), Darker(p.control_border, 0.15)};
        case State::Disabled:
            return {Mix(p.control_top, p.face, 0.6), Mix(p.control_bottom, p.face, 0.6),
                    Mix(p.control_border, p.face, 0.55)};
        case State::Focused:
            return {p.control_top, p.control_bottom, p.accent};
        case State::Normal:
            break;
    }
    return {p.control_top, p.control_bottom, p.control_border};
}

void PaintSurface(art::Canvas& canvas, double x, double y, double w, double h, double radius,
                  const SurfaceColours& colours, Finish finish) {
    if (w <= 1 || h <= 1) return;
    switch (finish) {
        case Finish::Flat:
            BoxPath(canvas, x, y, w, h, radius);
            canvas.Fill(Mix(colours.top, colours.bottom, 0.5));
            break;
        case Finish::Bevel:
            BoxPath(canvas, x, y, w, h, radius);
            canvas.FillLinear({0, y}, {0, y + h}, {{0, colours.top}, {1, colours.bottom}});
            // Light falls from the top left: a bright inner line there, a
            // darker one at the bottom right.
            canvas.Line({x + 1.5, y + h - 2}, {x + 1.5, y + 1.5});
            canvas.LineTo(x + w - 2, y + 1.5);
            canvas.Stroke(WithAlpha(Lighter(colours.top, 0.7), 0.8), 1);
            canvas.Line({x + 2, y + h - 1.5}, {x + w - 1.5, y + h - 1.5});
            canvas.LineTo(x + w - 1.5, y + 2);
            canvas.Stroke(WithAlpha(Darker(colours.bottom, 0.25), 0.6), 1);
            break;
        case Finish::Glass: {
            // On a dark surface a strong shine would turn the upper half
            // pale and wash out light text: the shine scales with the
            // surface's own brightness.
            const double shine = Luminance(colours.top) < 0.35 ? 0.4 : 1.0;
            BoxPath(canvas, x, y, w, h, radius);
            canvas.FillLinear({0, y}, {0, y + h},
                              {{0, Lighter(colours.top, 0.45 * shine)},
                               {0.48, Lighter(colours.top, 0.15 * shine)},
                               {0.52, colours.bottom},
                               {1, Lighter(colours.bottom, 0.2 * shine)}});
            BoxPath(canvas, x + 1.5, y + 1.5, w - 3, h * 0.45, std::max(0.0, radius - 1.5));
            canvas.Fill(WithAlpha(Colour{1, 1, 1, 1}, 0.22 * shine));
            break;
        }
        case Finish::Satin:
            BoxPath(canvas, x, y, w, h, radius);
            canvas.FillLinear({0, y}, {0, y + h},
                              {{0, Lighter(colours.top, 0.08)}, {0.6, Mix(colours.top, colours.bottom, 0.7)},
                               {1, colours.bottom}});
            break;
    }
    Outline(canvas, x, y, w, h, radius);
    canvas.Stroke(finish == Finish::Satin ? WithAlpha(colours.border, 0.7) : colours.border, 1);
}

void PaintWell(art::Canvas& canvas, double x, double y, double w, double h, double radius, Colour fill,
               const Theme& theme) {
    if (w <= 1 || h <= 1) return;
    const Palette& p = theme.palette;
    BoxPath(canvas, x, y, w, h, radius);
    canvas.Fill(fill);
    if (theme.finish == Finish::Bevel) {
        // Sunken: dark at the top left, light at the bottom right.
        canvas.Line({x + 0.5, y + h - 1}, {x + 0.5, y + 0.5});
        canvas.LineTo(x + w - 1, y + 0.5);
        canvas.Stroke(p.shadow, 1);
        canvas.Line({x + 1, y + h - 0.5}, {x + w - 0.5, y + h - 0.5});
        canvas.LineTo(x + w - 0.5, y + 1);
        canvas.Stroke(p.light, 1);
        return;
    }
    // An inner shadow along the top, then the outline.
    canvas.Rect(x + 1, y + 1, w - 2, std::min(3.0, h - 2));
    canvas.Clip();
    BoxPath(canvas, x, y, w, h, radius);
    canvas.FillLinear({0, y}, {0, y + 3}, {{0, WithAlpha(p.dark_shadow, 0.18)}, {1, WithAlpha(p.dark_shadow, 0)}});
    canvas.Unclip();
    Outline(canvas, x, y, w, h, radius);
    canvas.Stroke(p.shadow, 1);
}

void PaintArrow(art::Canvas& canvas, double cx, double cy, double size, Direction direction, Colour colour) {
    const double half = size / 2;
    const double depth = size / 3.2;
    switch (direction) {
        case Direction::Left:
            canvas.Polygon({{cx - depth, cy}, {cx + depth, cy - half}, {cx + depth, cy + half}});
            break;
        case Direction::Right:
            canvas.Polygon({{cx + depth, cy}, {cx - depth, cy - half}, {cx - depth, cy + half}});
            break;
        case Direction::Up:
            canvas.Polygon({{cx, cy - depth}, {cx - half, cy + depth}, {cx + half, cy + depth}});
            break;
        case Direction::Down:
            canvas.Polygon({{cx, cy + depth}, {cx - half, cy - depth}, {cx + half, cy - depth}});
            break;
    }
    canvas.Fill(colour);
}

void PaintTexture(art::Canvas& canvas, double x, double y, double w, double h, Texture texture, Colour ink) {
    switch (texture) {
        case Texture::None:
            return;
        case Texture::Lines:
            for (double ly = y + 1.5; ly < y + h; ly += 3) canvas.Line({x, ly}, {x + w, ly});
            canvas.Stroke(ink, 1);
            return;
        case Texture::Dots:
            for (double dy = y + 2; dy < y + h; dy += 4) {
                const double shift = std::fmod((dy - y) / 4, 2) < 1 ? 0 : 2;
                for (double dx = x + 1 + shift; dx < x + w; dx += 4) canvas.Rect(dx, dy, 1, 1);
            }
            canvas.Fill(ink);
            return;
        case Texture::Grain: {
            // A fixed pseudo-random speckle: the same theme gives the same bytes.
            std::uint32_t seed = 0x9E3779B9u;
            const int count = static_cast<int>(w * h / 6);
            for (int i = 0; i < count; ++i) {
                seed = seed * 1664525u + 1013904223u;
                const double px = x + (seed >> 8) % static_cast<std::uint32_t>(std::max(1.0, w));
                seed = seed * 1664525u + 1013904223u;
                const double py = y + (seed >> 8) % static_cast<std::uint32_t>(std::max(1.0, h));
                canvas.Rect(px, py, 1, 1);
            }
            canvas.Fill(ink);
            return;
        }
    }
}

art::Pixel ArtPixel(Colour colour) {
    const auto channel = [](double v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return art::Pixel{channel(colour.b), channel(colour.g), channel(colour.r), 255};
}

std::string ColourTriple(Colour colour) {
    const art::Pixel p = ArtPixel(colour);
    char text[16];
    std::snprintf(text, sizeof text, "%d %d %d", p.r, p.g, p.b);
    return text;
}

}  // namespace vc::theme
