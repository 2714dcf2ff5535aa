#include <algorithm>
#include <cmath>
#include <vector>

#include "skin_paint.h"

namespace vc::theme {
namespace {

// The two states every frame side carries: 1 active, 2 inactive.
constexpr bool kStates[] = {true, false};

// The top image is wide enough that a tiled or stretched title bar shows no
// seam on ordinary windows; its width keeps the texture's period (4 px).
constexpr int kTopWidth = 400;
// Length of the stretched middle of the left and right sides.
constexpr int kSideMiddle = 16;
// The system-menu button: the runtime draws the window's small icon there.
constexpr int kIconSize = 16;
// Child-window buttons in the menu band.
constexpr int kMdiCellWidth = 16;
constexpr int kMdiCellHeight = 14;
constexpr int kMenuBandWidth = 100;
constexpr int kMenuBandHeight = 20;
constexpr int kMenuItemWidth = 34;
constexpr int kMenuItemHeight = 22;
constexpr int kMenuItemMargin = 4;
constexpr int kMenuBackgroundSize = 80;
constexpr int kMenuBorder = 3;

const Colour kWhite{1, 1, 1, 1};
const Colour kBlack{0, 0, 0, 1};

// A rectangle whose top corners are rounded by `top` and bottom corners by
// `bottom` (quarter circles as cubic curves).
void ShapePath(art::Canvas& c, double x, double y, double w, double h, double top, double bottom) {
    constexpr double k = 0.5522847498;
    top = std::clamp(top, 0.0, std::min(w, h) / 2);
    bottom = std::clamp(bottom, 0.0, std::min(w, h) / 2);
    c.MoveTo(x + top, y);
    c.LineTo(x + w - top, y);
    if (top > 0) c.CurveTo({x + w - top + k * top, y}, {x + w, y + top - k * top}, {x + w, y + top});
    c.LineTo(x + w, y + h - bottom);
    if (bottom > 0)
        c.CurveTo({x + w, y + h - bottom + k * bottom}, {x + w - bottom + k * bottom, y + h}, {x + w - bottom, y + h});
    c.LineTo(x + bottom, y + h);
    if (bottom > 0) c.CurveTo({x + bottom - k * bottom, y + h}, {x, y + h - bottom + k * bottom}, {x, y + h - bottom});
    c.LineTo(x, y + top);
    if (top > 0) c.CurveTo({x, y + top - k * top}, {x + top - k * top, y}, {x + top, y});
    c.ClosePath();
}

// `image` laid over `backdrop` (same size) wherever it is at least
// `min_alpha` opaque, fully opaque there; everything else fully
// transparent, to become the key colour. Edges that a window region or a
// keyed blit will cut hard are thereby blended with what lies behind them
// instead of with black.
art::Raster KeyedOver(const art::Raster& image, const art::Raster& backdrop, int min_alpha) {
    art::Raster out(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            const art::Pixel& p = image.At(x, y);
            if (p.a < min_alpha) continue;  // left fully transparent
            const art::Pixel& q = backdrop.At(x, y);
            const auto over = [&](int front, int back) {
                return static_cast<std::uint8_t>((front * p.a + back * (255 - p.a) + 127) / 255);
            };
            out.At(x, y) = art::Pixel{over(p.b, q.b), over(p.g, q.g), over(p.r, q.r), 255};
        }
    }
    return out;
}

art::Raster Solid(int w, int h, Colour colour) {
    art::Raster out(w, h);
    const art::Pixel p = ArtPixel(colour);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) out.At(x, y) = p;
    return out;
}

// Faint texture ink that reads on a background of colour `on`.
Colour TextureInk(Colour on) {
    return Luminance(on) > 0.5 ? WithAlpha(Darker(on, 0.6), 0.10) : WithAlpha(Lighter(on, 0.7), 0.09);
}

struct FrameColours {
    Colour top, bottom, text, frame, outline;
};

FrameColours FrameOf(const Theme& theme, bool active) {
    const Palette& p = theme.palette;
    if (active) return {p.caption_top, p.caption_bottom, p.caption_text, p.frame, p.outline};
    return {p.inactive_top, p.inactive_bottom, p.inactive_text, p.frame_inactive,
            Mix(p.outline, p.frame_inactive, 0.45)};
}

// The title band between y = 1 and y = t (row 0 is the frame's outline),
// across `width`: the caption gradient in the theme's finish, its texture
// and a closing line at the bottom.
void PaintTitleBand(art::Canvas& c, const Theme& theme, const FrameColours& fc, double width, int t, bool texture) {
    c.Rect(0, 1, width, t - 1);
    c.FillLinear({0, 1}, {0, double(t)}, {{0, fc.top}, {1, fc.bottom}});
    switch (theme.finish) {
        case Finish::Flat:
            break;
        case Finish::Bevel:
            c.Rect(0, 1, width, 1);
            c.Fill(WithAlpha(Lighter(fc.top, 0.6), 0.7));
            break;
        case Finish::Glass:
            // A gloss over the upper half, brightest at the top.
            c.Rect(0, 1, width, std::floor(t * 0.48));
            c.FillLinear({0, 1}, {0, t * 0.48 + 1},
                         {{0, WithAlpha(kWhite, 0.34)}, {1, WithAlpha(kWhite, 0.10)}});
            c.Rect(0, 1, width, 1);
            c.Fill(WithAlpha(kWhite, 0.35));
            break;
        case Finish::Satin:
            c.Rect(0, 1, width, t - 1);
            c.FillLinear({0, 1}, {0, double(t)},
                         {{0, WithAlpha(kWhite, 0.16)}, {0.55, WithAlpha(kWhite, 0)}, {1, WithAlpha(kBlack, 0.04)}});
            break;
    }
    if (texture) PaintTexture(c, 0, 2, width, t - 3, theme.texture, TextureInk(Mix(fc.top, fc.bottom, 0.5)));
    c.Rect(0, t - 1, width, 1);
    c.Fill(Darker(fc.bottom, 0.22));
}

// The frame geometry every image of this painter agrees on.
struct FrameGeometry {
    int t, b, radius, bottom_radius;
    int bottom_fixed;   // the left and right sides' fixed bottom length
    int top_corner;     // fixed ends of the top image
    int bottom_corner;  // fixed ends of the bottom image
    int mock_width, mock_height;
};

FrameGeometry GeometryOf(const Theme& theme) {
    const Shape& s = theme.shape;
    FrameGeometry g{};
    g.t = s.title_height;
    g.b = s.border;
    g.radius = std::min(s.corner_radius, s.title_height);
    g.bottom_radius = s.bottom_radius;
    g.bottom_fixed = std::max(g.b, g.bottom_radius);
    // The curves reach past the sides into the top and bottom images.
    g.top_corner = std::max(g.radius - g.b, 0) + 2;
    g.bottom_corner = std::max(g.bottom_radius - g.b, 0) + 2;
    g.mock_width = kTopWidth + 2 * g.b;
    g.mock_height = g.t + kSideMiddle + g.bottom_fixed;
    return g;
}

// A whole small window frame in one state, drawn at once so that the sides
// cut from it meet without seams: the outer outline on the first and last
// pixels (following the rounded corners), the title band, the sides with
// their finish and a line around the client area. Outside the corners the
// pixels are the key colour, which shapes the window.
art::Raster FrameMock(const Theme& theme, const FrameGeometry& g, bool active) {
    const FrameColours fc = FrameOf(theme, active);
    const int w = g.mock_width, h = g.mock_height, t = g.t, b = g.b;
    art::Canvas c(w, h);
    ShapePath(c, 0, 0, w, h, g.radius, g.bottom_radius);
    c.Fill(fc.outline);
    ShapePath(c, 1, 1, w - 2, h - 2, std::max(g.radius - 1, 0), std::max(g.bottom_radius - 1, 0));
    c.Clip();
    c.Rect(0, t, w, h - t);
    c.Fill(fc.frame);
    switch (theme.finish) {
        case Finish::Bevel:  // light from the top left
            c.Rect(1, t, 1, h - t - 1);
            c.Fill(Lighter(fc.frame, 0.35));
            c.Rect(w - 2, t, 1, h - t - 1);
            c.Rect(1, h - 2, w - 2, 1);
            c.Fill(Darker(fc.frame, 0.25));
            break;
        case Finish::Glass:
        case Finish::Satin:
            c.Rect(1, t, w - 2, h - t - 1);
            c.FillLinear({0, double(t)}, {0, double(h)},
                         {{0, WithAlpha(kWhite, 0.10)}, {1, WithAlpha(kBlack, 0.06)}});
            break;
        case Finish::Flat:
            break;
    }
    // The client area's edge, where the sides are wide enough to show one
    // apart from the outline.
    if (b >= 3) {
        const Colour edge = theme.finish == Finish::Bevel ? Darker(fc.frame, 0.3) : Mix(fc.frame, fc.outline, 0.55);
        c.Rect(b - 1, t, 1, h - t - b + 1);
        c.Rect(w - b, t, 1, h - t - b + 1);
        c.Rect(b - 1, h - b, w - 2 * b + 2, 1);
        c.Fill(edge);
    }
    PaintTitleBand(c, theme, fc, w, t, true);
    c.Unclip();
    return KeyedOver(c.ToRaster(), Solid(w, h, fc.outline), 128);
}

// The caption's text keys: where the text may run and in what colours.
void WriteCaptionText(const Theme& theme, SkinBuilder& skin, int left_reserved, int right_reserved) {
    const char* s = "Personality";
    const Palette& p = theme.palette;
    skin.Set(s, "TextShift", left_reserved);
    // 0 keeps the text in the middle of the title band.
    skin.Set(s, "TextShiftVert", 0);
    skin.Set(s, "TextRightClip", right_reserved);
    skin.Set(s, "TextAlignment", theme.shape.text_alignment);
    skin.Set(s, "Textbackground", 0);
    const art::Pixel active = ArtPixel(p.caption_text), inactive = ArtPixel(p.inactive_text);
    skin.Set(s, "ActiveTextR", active.r);
    skin.Set(s, "ActiveTextG", active.g);
    skin.Set(s, "ActiveTextB", active.b);
    skin.Set(s, "InActiveTextR", inactive.r);
    skin.Set(s, "InActiveTextG", inactive.g);
    skin.Set(s, "InActiveTextB", inactive.b);
}

// --- Caption buttons -------------------------------------------------

enum class Glyph { Close, Maximise, Restore, Minimise };

// Where the caption buttons sit; shared by the buttons and the caption text.
struct ButtonLayout {
    int width, height, gap;
    int y;        // Ycoord
    int edge;     // from the window's edge to the outermost button
    int icon_x;   // distance of the system-menu icon from its edge
    int icon_y;
};

ButtonLayout LayoutOf(const Theme& theme) {
    const Shape& s = theme.shape;
    ButtonLayout l{};
    l.width = s.caption_button_width;
    l.height = std::min(s.caption_button_height, s.title_height);
    l.gap = s.caption_button_gap;
    l.y = (s.title_height - l.height) / 2;
    // Keep the outer button clear of the side and of a rounded corner.
    const int r = std::min(s.corner_radius, s.title_height);
    int inset = 0;
    if (l.y < r) inset = static_cast<int>(std::ceil(r - std::sqrt(double(r * r - (r - l.y) * (r - l.y)))));
    l.edge = std::max({s.border + 2, l.y, inset + 2});
    l.icon_y = (s.title_height - kIconSize) / 2;
    int icon_inset = 0;
    if (l.icon_y < r)
        icon_inset = static_cast<int>(std::ceil(r - std::sqrt(double(r * r - (r - l.icon_y) * (r - l.icon_y)))));
    l.icon_x = std::max({s.border + 4, icon_inset + 3});
    return l;
}

struct ButtonLook {
    bool surface = true;  // false: the glyph alone on the title bar
    SurfaceColours colours;
    Colour glyph;
    bool pressed = false;
    bool quiet = false;  // drawn without gloss or bevel
};

// States in the order of the image: normal, pressed, hot, inactive.
enum class ButtonState { Normal, Pressed, Hot, Inactive };

Colour GlyphOn(Colour surface) { return Luminance(surface) < 0.58 ? Lighter(surface, 0.95) : Darker(surface, 0.8); }

ButtonLook LookOf(const Theme& theme, ButtonState state, bool close) {
    const Palette& p = theme.palette;
    const bool flat = theme.finish == Finish::Flat;
    ButtonLook look;
    const Colour close_border = Darker(p.close, 0.35);
    switch (state) {
        case ButtonState::Normal:
            look.colours = {Lighter(p.caption_top, 0.16), Mix(p.caption_bottom, p.caption_top, 0.25),
                            Darker(p.caption_bottom, 0.32)};
            look.glyph = p.caption_text;
            look.surface = !flat;
            // Glassy themes keep their close button tinted all the time.
            if (close && theme.finish == Finish::Glass) {
                look.colours = {Lighter(p.close, 0.18), p.close, close_border};
                look.glyph = GlyphOn(p.close);
            }
            break;
        case ButtonState::Hot:
            look.colours = {Lighter(p.caption_top, 0.34), Lighter(p.caption_bottom, 0.22),
                            Darker(p.caption_bottom, 0.3)};
            look.glyph = p.caption_text;
            if (close) {
                look.colours = {Lighter(p.close, 0.28), Lighter(p.close, 0.06), close_border};
                look.glyph = GlyphOn(p.close);
            }
            break;
        case ButtonState::Pressed:
            look.colours = {Darker(p.caption_bottom, 0.24), Darker(p.caption_bottom, 0.08),
                            Darker(p.caption_bottom, 0.45)};
            look.glyph = p.caption_text;
            look.pressed = true;
            if (close) {
                look.colours = {Darker(p.close, 0.25), Darker(p.close, 0.1), Darker(p.close, 0.45)};
                look.glyph = GlyphOn(p.close);
            }
            break;
        case ButtonState::Inactive:
            // The title's own colours: the glyph keeps the contrast of the
            // inactive caption text.
            look.colours = {p.inactive_top, p.inactive_bottom, Mix(p.inactive_bottom, p.inactive_text, 0.3)};
            look.glyph = p.inactive_text;
            look.surface = !flat;
            look.quiet = true;
            break;
    }
    return look;
}

// A glyph in the square (x, y, size): crisp one- or two-pixel rules for the
// window glyphs, anti-aliased diagonals for the cross.
void DrawGlyph(art::Canvas& c, Glyph glyph, int x, int y, int size, Colour colour) {
    const int line = size >= 12 ? 2 : 1;
    const auto box = [&](int bx, int by, int s) {
        c.Rect(bx, by, s, line + 1);                    // the window's title
        c.Rect(bx, by, line, s);                        // left
        c.Rect(bx + s - line, by, line, s);             // right
        c.Rect(bx, by + s - line, s, line);             // bottom
    };
    switch (glyph) {
        case Glyph::Close: {
            const double a = 0.5, z = size - 0.5;
            c.Line({x + a, y + a}, {x + z, y + z});
            c.Line({x + z, y + a}, {x + a, y + z});
            c.Stroke(colour, size >= 10 ? 1.7 : 1.4);
            return;
        }
        case Glyph::Maximise:
            box(x, y, size);
            break;
        case Glyph::Restore: {
            const int off = std::max(2, size / 4);
            const int s = size - off;
            // The window behind shows its top and right edges only.
            c.Rect(x + off, y, s, line);
            c.Rect(x + size - line, y, line, s);
            c.Rect(x + off, y, line, off);
            c.Rect(x + s, y + s - line, off, line);
            box(x, y + off, s);
            break;
        }
        case Glyph::Minimise:
            c.Rect(x + 1, y + size - line - 1, size - 2, line + 1);
            break;
    }
    c.Fill(colour);
}

// One state image of a caption button, `w` x `h`.
art::Raster ButtonCell(const Theme& theme, int w, int h, Glyph glyph, const ButtonLook& look) {
    art::Canvas c(w, h);
    double bx = 0, by = 0, bw = w, bh = h, radius = 0;
    switch (theme.shape.caption_button_shape) {
        case ButtonShape::Square:
            radius = 0;
            break;
        case ButtonShape::Rounded:
            radius = std::max(3, std::min(w, h) / 4);
            break;
        case ButtonShape::Circle: {
            const int d = std::min(w, h);
            bx = (w - d) / 2;
            by = (h - d) / 2;
            bw = bh = d;
            radius = d / 2.0;
            break;
        }
    }
    const Finish finish = look.quiet ? Finish::Satin : theme.finish;
    if (look.surface) PaintSurface(c, bx, by, bw, bh, radius, look.colours, finish);
    // The glyph's square has the parity of the button, so that it sits in
    // the middle on whole pixels.
    const int across = static_cast<int>(std::min(bw, bh));
    int size = std::clamp(static_cast<int>(std::lround(across * 0.47)), 7, 14);
    if ((across - size) % 2 != 0) --size;
    int gx = static_cast<int>(bx) + (static_cast<int>(bw) - size) / 2;
    int gy = static_cast<int>(by) + (static_cast<int>(bh) - size) / 2;
    if (look.pressed) {
        ++gx;
        ++gy;
    }
    // Raised finishes give the glyph a soft drop so that it reads on the gloss.
    if (look.surface && (finish == Finish::Glass || finish == Finish::Bevel))
        DrawGlyph(c, glyph, gx, gy + 1, size, WithAlpha(Darker(look.colours.bottom, 0.55), 0.35));
    DrawGlyph(c, glyph, gx, gy, size, look.glyph);
    return c.ToRaster();
}

// What lies behind a caption button: the title band at the button's rows.
art::Raster TitleBackdrop(const Theme& theme, bool active, int w, int y, int h) {
    art::Canvas c(w, theme.shape.title_height);
    const FrameColours fc = FrameOf(theme, active);
    c.Rect(0, 0, w, theme.shape.title_height);
    c.Fill(fc.outline);
    PaintTitleBand(c, theme, fc, w, theme.shape.title_height, false);
    return c.ToRaster().Crop(0, y, w, h);
}

std::string CaptionButtonImage(const Theme& theme, SkinBuilder& skin, const std::string& file, Glyph glyph,
                               const ButtonLayout& l) {
    std::vector<art::Raster> states;
    const art::Raster active = TitleBackdrop(theme, true, l.width, l.y, l.height);
    const art::Raster inactive = TitleBackdrop(theme, false, l.width, l.y, l.height);
    for (ButtonState state : {ButtonState::Normal, ButtonState::Pressed, ButtonState::Hot, ButtonState::Inactive}) {
        const art::Raster cell = ButtonCell(theme, l.width, l.height, glyph, LookOf(theme, state, glyph == Glyph::Close));
        states.push_back(KeyedOver(cell, state == ButtonState::Inactive ? inactive : active, 10));
    }
    return skin.AddImage(file, KeyedImage(SideBySide(states)));
}

// The stand-in for the window's icon: a small closed book.
std::string IconImage(const Theme& theme, SkinBuilder& skin, const ButtonLayout& l) {
    const Palette& p = theme.palette;
    art::Canvas c(kIconSize, kIconSize);
    c.RoundRect(2.5, 1.5, 11, 13, 1.5);
    c.FillAndStroke(p.accent, Darker(p.accent, 0.45), 1);
    c.Rect(4, 2, 1, 12);
    c.Fill(WithAlpha(Darker(p.accent, 0.4), 0.7));
    c.Rect(6, 4, 6, 2);
    c.Fill(Lighter(p.accent, 0.75));
    const art::Raster icon = KeyedOver(c.ToRaster(), TitleBackdrop(theme, true, kIconSize, l.icon_y, kIconSize), 10);
    return skin.AddImage("captionicon.bmp", KeyedImage(icon));
}

// The three child-window buttons of the menu band: minimise, restore and
// close, four states each (normal, pressed, hot, hot in the band).
std::string MdiImage(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    const art::Raster backdrop = Solid(kMdiCellWidth, kMdiCellHeight, p.menu_bar);
    const int radius = std::min(theme.shape.control_radius, 3);
    std::vector<art::Raster> cells;
    for (Glyph glyph : {Glyph::Minimise, Glyph::Restore, Glyph::Close}) {
        for (int state = 0; state < 4; ++state) {
            art::Canvas c(kMdiCellWidth, kMdiCellHeight);
            Colour ink = p.menu_bar_text;
            if (state > 0) {
                const bool pressed = state == 1;
                const SurfaceColours colours =
                    pressed ? SurfaceColours{Darker(p.highlight, 0.18), Darker(p.highlight, 0.05), Darker(p.highlight, 0.4)}
                            : SurfaceColours{Lighter(p.highlight, 0.15), p.highlight, Darker(p.highlight, 0.3)};
                PaintSurface(c, 0, 0, kMdiCellWidth, kMdiCellHeight, radius, colours,
                             theme.finish == Finish::Bevel ? Finish::Flat : theme.finish);
                ink = p.highlight_text;
            }
            DrawGlyph(c, glyph, (kMdiCellWidth - 8) / 2 + (state == 1), (kMdiCellHeight - 8) / 2 + (state == 1), 8, ink);
            cells.push_back(KeyedOver(c.ToRaster(), backdrop, 10));
        }
    }
    return skin.AddImage("mdicontrols.bmp", KeyedImage(SideBySide(cells)));
}

void WriteButton(SkinBuilder& skin, const std::string& section, int action, int align, int x, int y, int visibility,
                 int visibility1, int frames, const std::string& image) {
    skin.Set(section, "Action", action);
    skin.Set(section, "Align", align);
    skin.Set(section, "Xcoord", x);
    skin.Set(section, "Ycoord", y);
    skin.Set(section, "Visibility", visibility);
    skin.Set(section, "Visibility1", visibility1);
    skin.Set(section, "frame", frames);
    skin.Set(section, "ButtonImage", image);
}

// The menu band's faint top light over its colour, closed by a line.
art::Raster MenuBand(const Theme& theme, bool active) {
    const Palette& p = theme.palette;
    art::Canvas c(kMenuBandWidth, kMenuBandHeight);
    c.Rect(0, 0, kMenuBandWidth, kMenuBandHeight);
    if (active && theme.finish != Finish::Flat)
        c.FillLinear({0, 0}, {0, double(kMenuBandHeight)}, {{0, Lighter(p.menu_bar, 0.14)}, {1, p.menu_bar}});
    else
        c.Fill(p.menu_bar);
    PaintTexture(c, 0, 0, kMenuBandWidth, kMenuBandHeight - 1, theme.texture, TextureInk(p.menu_bar));
    c.Rect(0, kMenuBandHeight - 1, kMenuBandWidth, 1);
    c.Fill(Darker(p.menu_bar, 0.14));
    return c.ToRaster();
}

// A menu item state: 0 normal, 1 separator, 2 disabled, 3 selected,
// 4 selected and disabled.
art::Raster MenuItemState(const Theme& theme, int state) {
    const Palette& p = theme.palette;
    const int w = kMenuItemWidth, h = kMenuItemHeight;
    art::Canvas c(w, h);
    const double radius = std::min(theme.shape.control_radius, kMenuItemMargin - 1);
    if (state == 1) {
        // The item draws the bottom rows as high as itself: the rule sits
        // four rows up so that low separators still show it.
        const bool dark = Luminance(p.menu) < 0.4;
        c.Rect(2, h - 4, w - 4, 1);
        c.Fill(dark ? Lighter(p.menu, 0.2) : Darker(p.menu, 0.2));
        if (theme.finish == Finish::Bevel && !dark) {
            c.Rect(2, h - 3, w - 4, 1);
            c.Fill(Lighter(p.menu, 0.7));
        }
    } else if (state == 3) {
        PaintSurface(c, 1, 1, w - 2, h - 2, radius,
                     {Lighter(p.highlight, 0.14), p.highlight, Darker(p.highlight, 0.22)}, theme.finish);
    } else if (state == 4) {
        const Colour faint = Mix(p.highlight, p.menu, 0.65);
        PaintSurface(c, 1, 1, w - 2, h - 2, radius, {faint, faint, Mix(p.highlight, p.menu, 0.4)}, Finish::Flat);
    }
    return KeyedOver(c.ToRaster(), Solid(w, h, p.menu), 10);
}

// The pop-up's frame: a dark outer line and a light inner one round the
// menu colour.
Bitmap MenuBackground(const Theme& theme) {
    const Palette& p = theme.palette;
    const int n = kMenuBackgroundSize;
    art::Canvas c(n, n);
    c.Rect(0, 0, n, n);
    c.Fill(Mix(p.shadow, p.menu, 0.15));
    c.Rect(1, 1, n - 2, n - 2);
    c.Fill(theme.finish == Finish::Bevel ? p.light : Lighter(p.menu, 0.5));
    if (theme.finish == Finish::Bevel) {
        // Light from the top left: the lower and right inner edges are shaded.
        c.Polygon({{double(n - 1), 1}, {double(n - 1), double(n - 1)}, {1, double(n - 1)}, {2, double(n - 2)},
                   {double(n - 2), double(n - 2)}, {double(n - 2), 2}});
        c.Fill(Mix(p.shadow, p.menu, 0.5));
    }
    c.Rect(2, 2, n - 4, n - 4);
    c.Fill(p.menu);
    return OpaqueImage(c.ToRaster(), ArtPixel(p.menu));
}

}  // namespace

void PaintFrame(const Theme& theme, SkinBuilder& skin) {
    const FrameGeometry g = GeometryOf(theme);
    std::vector<art::Raster> left, right, top, bottom;
    for (bool active : kStates) {
        const art::Raster mock = FrameMock(theme, g, active);
        left.push_back(mock.Crop(0, 0, g.b, g.mock_height));
        right.push_back(mock.Crop(g.mock_width - g.b, 0, g.b, g.mock_height));
        top.push_back(mock.Crop(g.b, 0, kTopWidth, g.t));
        bottom.push_back(mock.Crop(g.b, g.mock_height - g.b, kTopWidth, g.b));
    }
    const bool tiled = theme.texture == Texture::Dots || theme.texture == Texture::Grain;
    const char* s = "Personality";
    // The sides run the window's full height beside the title, the top and
    // bottom fill in between them.
    const auto side = [&](const std::string& name, const std::vector<art::Raster>& states, bool stacked, int start,
                          int end, bool stretch) {
        const Bitmap image = KeyedImage(stacked ? Stacked(states) : SideBySide(states));
        skin.Set(s, name, skin.AddImage(name + ".bmp", image));
        skin.Set(s, name + "TopHeight", start);
        skin.Set(s, name + "BotHeight", end);
        skin.Set(s, name + "Frame", 2);
        skin.Set(s, name + "Stretch", stretch ? 1 : 0);
        // Only a side that holds key pixels shapes the window: a rectangular
        // frame must give a plain rectangular region.
        skin.Set(s, name + "Trans", HasKeyColour(image) ? 1 : 0);
    };
    side("Left", left, false, g.t, g.bottom_fixed, true);
    side("Right", right, false, g.t, g.bottom_fixed, true);
    side("Top", top, true, g.top_corner, g.top_corner, !tiled);
    side("Bottom", bottom, true, g.bottom_corner, g.bottom_corner, true);

    const ButtonLayout l = LayoutOf(theme);
    const int buttons = l.edge + 3 * l.width + 2 * l.gap + 6;
    const int icon = l.icon_x + kIconSize + 6;
    if (theme.shape.caption_buttons_left)
        WriteCaptionText(theme, skin, buttons, icon);
    else
        WriteCaptionText(theme, skin, icon, buttons);
}

void PaintCaptionButtons(const Theme& theme, SkinBuilder& skin) {
    const ButtonLayout l = LayoutOf(theme);
    const bool left = theme.shape.caption_buttons_left;
    // Position of the n-th button from the outer edge: with Align 1 Xcoord
    // runs from the window's right edge to the button's left edge.
    const auto x = [&](int n) {
        return left ? l.edge + n * (l.width + l.gap) : l.edge + (n + 1) * l.width + n * l.gap;
    };
    const int align = left ? 0 : 1;
    const std::string close = CaptionButtonImage(theme, skin, "buttonclose.bmp", Glyph::Close, l);
    const std::string maximise = CaptionButtonImage(theme, skin, "buttonmaximize.bmp", Glyph::Maximise, l);
    const std::string restore = CaptionButtonImage(theme, skin, "buttonrestore.bmp", Glyph::Restore, l);
    const std::string minimise = CaptionButtonImage(theme, skin, "buttonminimize.bmp", Glyph::Minimise, l);
    // Visibility 2 / 1: not maximised / maximised; Visibility1 6 and 8: the
    // window has a maximise / minimise box.
    WriteButton(skin, "BUTTON.CLOSE", 0, align, x(0), l.y, 0, 0, 4, close);
    WriteButton(skin, "BUTTON.MAXIMIZE", 1, align, x(1), l.y, 2, 6, 4, maximise);
    WriteButton(skin, "BUTTON.RESTORE", 1, align, x(1), l.y, 1, 6, 4, restore);
    WriteButton(skin, "BUTTON.MINIMIZE", 2, align, x(2), l.y, 0, 8, 4, minimise);
    // The system menu sits at the other end of the title from the buttons.
    const std::string icon = IconImage(theme, skin, l);
    if (left)
        WriteButton(skin, "BUTTON.SYSMENU", 3, 1, l.icon_x + kIconSize, l.icon_y, 0, 0, 1, icon);
    else
        WriteButton(skin, "BUTTON.SYSMENU", 3, 0, l.icon_x, l.icon_y, 0, 0, 1, icon);
    skin.Set("MDICONTROLS", "Image", MdiImage(theme, skin));
}

void PaintMenus(const Theme& theme, SkinBuilder& skin) {
    const char* s = "Personality";
    skin.Set(s, "menuBar", skin.AddImage("menubar.bmp", OpaqueImage(SideBySide({MenuBand(theme, true), MenuBand(theme, false)}), ArtPixel(theme.palette.menu_bar))));
    // TileMenu 1 would have the band composed as a nine-slice of stacked
    // states; 0 gives the three-slice band that reads them side by side.
    skin.Set(s, "TileMenu", 0);
    skin.Set(s, "TileLeftMenu", 0);
    skin.Set(s, "TileRightMenu", 0);

    std::vector<art::Raster> items;
    for (int state = 0; state < 5; ++state) items.push_back(MenuItemState(theme, state));
    const char* m = "MenuItem";
    skin.Set(m, "Image", skin.AddImage("menuitem.bmp", KeyedImage(SideBySide(items))));
    skin.Set(m, "LeftWidth", kMenuItemMargin);
    skin.Set(m, "TopHeight", kMenuItemMargin);
    skin.Set(m, "RightWidth", kMenuItemMargin);
    skin.Set(m, "BottomHeight", kMenuItemMargin);
    skin.Set(m, "Tile", 0);
    skin.Set(m, "Trans", 1);
    skin.Set(m, "Frame", 5);

    const char* b = "MenuBackground";
    skin.Set(b, "Image", skin.AddImage("menubackground.bmp", MenuBackground(theme)));
    skin.Set(b, "LeftWidth", kMenuBorder);
    skin.Set(b, "TopHeight", kMenuBorder);
    skin.Set(b, "RightWidth", kMenuBorder);
    skin.Set(b, "BottomHeight", kMenuBorder);
    skin.Set(b, "Tile", 0);
    skin.Set(b, "Trans", 0);
    skin.Set(b, "Frame", 1);
}

}  // namespace vc::theme
