// Tabs and their page, the status bar, the combo box's field and button,
// the group box, tool buttons and list headers.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "skin_paint.h"

namespace vc::theme {
namespace {

// A pixel less covered than this (of 255) by an object's own drawing becomes
// the key colour; the others keep the drawing composed over the colour the
// object stands on, so that curved edges stay smooth without a magenta fringe.
constexpr int kCoverage = 64;

Bitmap Cutout(const art::Raster& picture, const art::Raster& coverage, Colour backdrop) {
    return KeyedComposite(picture, coverage, ArtPixel(backdrop), kCoverage);
}

Bitmap Cutout(const art::Raster& picture, Colour backdrop) { return Cutout(picture, picture, backdrop); }

void HLine(art::Canvas& canvas, double x0, double x1, double y, Colour colour) {
    canvas.Line({x0, y + 0.5}, {x1, y + 0.5});
    canvas.Stroke(colour, 1);
}

void VLine(art::Canvas& canvas, double x, double y0, double y1, Colour colour) {
    canvas.Line({x + 0.5, y0}, {x + 0.5, y1});
    canvas.Stroke(colour, 1);
}

// The nine-slice keys every object of this file writes.
void Slices(SkinBuilder& skin, const std::string& section, const std::string& image, int left, int top, int right,
            int bottom, bool trans) {
    skin.Set(section, "Image", image);
    skin.Set(section, "LeftWidth", left);
    skin.Set(section, "RightWidth", right);
    skin.Set(section, "TopHeight", top);
    skin.Set(section, "BottomHeight", bottom);
    skin.Set(section, "Trans", trans ? 1 : 0);
    skin.Set(section, "Tile", 0);
}

// The candidate with the greatest difference in brightness from `ground`,
// taking the first one that is plainly readable.
Colour Readable(Colour ground, std::initializer_list<Colour> candidates) {
    constexpr double kEnough = 0.45;
    Colour best = *candidates.begin();
    double best_gap = -1;
    for (const Colour& c : candidates) {
        const double gap = std::abs(Luminance(c) - Luminance(ground));
        if (gap >= kEnough) return c;
        if (gap > best_gap) {
            best = c;
            best_gap = gap;
        }
    }
    return best;
}

// The finish of the wide quiet surfaces (tabs, headers): glass would make
// bright bands across a whole row of them, so they take the satin gradient.
Finish Quiet(Finish finish) { return finish == Finish::Glass ? Finish::Satin : finish; }

// --- The combo box ---
// The runtime lays the drop-down button into the rightmost (scroll-arrow
// width + 2) columns of a 21-row field, 19 x 21 with the usual metrics, and
// cuts the stand-alone arrow button from the 17 x 17 square at (0, 2) of it.
// So the button's body fills exactly that square and leaves the field's
// border and a one-pixel gap free on the right, at the top and at the bottom.
constexpr int kComboCellWidth = 19;
constexpr int kComboCellHeight = 21;
constexpr int kComboBodyTop = 2;
constexpr int kComboBody = 17;
// The field around it: wide enough for its corners, stretched to any width.
constexpr int kFieldWidth = 24;

// Combo button and field states, in the order of their images.
constexpr State kComboStates[] = {State::Normal, State::Hot, State::Pressed, State::Disabled};

int ComboBodyRadius(const Theme& theme) { return std::clamp(theme.shape.control_radius, 0, 4); }
// The runtime keeps only two columns of the field's left end fixed when it
// stretches the combo box, so its corners must be drawn within them.
int FieldRadius(const Theme& theme) { return std::clamp(theme.shape.control_radius, 0, 2); }

art::Raster ComboBody(const Theme& theme, State state) {
    art::Canvas canvas(kComboCellWidth, kComboCellHeight);
    PaintSurface(canvas, 0, kComboBodyTop, kComboBody, kComboBody, ComboBodyRadius(theme), ControlColours(theme, state),
                 theme.finish);
    return canvas.ToRaster();
}

// The drop-down glyph: a small down-pointing triangle with its top edge on a
// pixel boundary, centred on the button's body.
void DownGlyph(art::Canvas& canvas, double dy, Colour colour) {
    const double cx = kComboBody / 2.0;
    const double top = kComboBodyTop + 7 + dy;
    const double half = 3.5;
    canvas.Polygon({{cx - half, top}, {cx + half, top}, {cx, top + half + 0.5}});
    canvas.Fill(colour);
}

Colour GlyphColour(const Theme& theme, State state) {
    const SurfaceColours body = ControlColours(theme, state);
    const Colour ground = Mix(body.top, body.bottom, 0.5);
    const Colour ink = Readable(ground, {theme.palette.face_text, theme.palette.window_text, theme.palette.dark_shadow,
                                         theme.palette.light});
    return state == State::Disabled ? Mix(ink, ground, 0.55) : ink;
}

// The size grip of the status bar: six dots in a triangle at the bottom
// right, each a dark pixel pair with a light one beneath, as if pressed in.
art::Raster Grip(const Theme& theme, bool with_ground) {
    const Palette& p = theme.palette;
    art::Canvas canvas(kComboCellWidth, kComboCellHeight);
    if (with_ground) {
        canvas.Rect(0, 0, kComboCellWidth, kComboCellHeight);
        canvas.Fill(p.face);
    }
    const Colour dark = Readable(p.face, {p.shadow, p.dark_shadow, p.face_text});
    const Colour light = Luminance(p.light) > Luminance(p.face) ? p.light : Lighter(p.face, 0.35);
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; a + b < 3; ++b) {
            const double x = kComboCellWidth - 4 - 4 * a;
            const double y = kComboCellHeight - 4 - 4 * b;
            canvas.Rect(x + 1, y + 1, 2, 2);
            canvas.Fill(light);
            canvas.Rect(x, y, 2, 2);
            canvas.Fill(dark);
        }
    }
    return canvas.ToRaster();
}

// --- Tabs ---
enum class TabState { Normal, Hot, Selected, Disabled, FocusedSelected };

}  // namespace

// Tabs: images 1 normal, 2 hot, 3 selected, 4 disabled, 5 selected with the
// focus. A selected tab is two pixels taller than the others and opens into
// the page below it; the others end on the page's border line.
void PaintTabs(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    const int r = std::clamp(theme.shape.control_radius, 0, 6);
    const int side = std::max(r, 2) + 2;
    const int w = 2 * side + 8;
    const int h = 22;
    const int lift = 2;

    const auto tab = [&](TabState state) {
        art::Canvas canvas(w, h);
        const bool selected = state == TabState::Selected || state == TabState::FocusedSelected;
        const double top = selected ? 0 : lift;
        SurfaceColours colours{Mix(p.face, p.control_top, 0.5), Mix(p.face, p.shadow, 0.18), p.control_border};
        if (state == TabState::Hot) colours = ControlColours(theme, State::Hot);
        if (state == TabState::Disabled) colours = {p.face, p.face, Mix(p.control_border, p.face, 0.5)};
        if (selected) colours = {Mix(p.face, p.light, 0.5), p.face, p.control_border};
        // The body runs past the bottom edge so that only its top corners
        // are rounded.
        PaintSurface(canvas, 0, top, w, h - top + r + 2, r, colours, Quiet(theme.finish));
        if (selected) {
            // The lower half fades into the page colour, whatever the finish.
            canvas.Rect(1, h / 2, w - 2, h - h / 2);
            canvas.FillLinear({0, h / 2.0}, {0, h - 1.0}, {{0, WithAlpha(p.face, 0)}, {1, p.face}});
            BoxPath(canvas, 1, 1, w - 2, h + r, std::max(r - 1, 0));
            canvas.Clip();
            canvas.Rect(0, 0, w, 2);
            canvas.Fill(state == TabState::FocusedSelected ? p.accent : Mix(p.accent, p.face, 0.55));
            canvas.Unclip();
        } else {
            HLine(canvas, 0, w, h - 1, p.control_border);
        }
        return canvas.ToRaster();
    };
    const art::Raster strip = SideBySide({tab(TabState::Normal), tab(TabState::Hot), tab(TabState::Selected),
                                          tab(TabState::Disabled), tab(TabState::FocusedSelected)});
    const std::string image = skin.AddImage("tabs.bmp", Cutout(strip, p.face));
    Slices(skin, "Tabs", image, side, lift + side, side, 3, true);

    // The page's top border where no tab stands: its outline, then its
    // inner edge.
    art::Canvas border(8, 2);
    HLine(border, 0, 8, 0, p.control_border);
    HLine(border, 0, 8, 1, theme.finish == Finish::Bevel ? p.light : p.face);
    skin.Set("Tabs", "Border", skin.AddImage("tabborder.bmp", OpaqueImage(border.ToRaster(), ArtPixel(p.face))));
    skin.Set("Tabs", "NormalColour2", ColourTriple(p.face_text));

    // The page: square top corners (the tabs stand on them), rounded
    // bottom ones small enough for fixed edges of four pixels.
    const int size = 16;
    const int pr = std::clamp(theme.shape.control_radius, 0, 3);
    art::Canvas pane(size, size);
    BoxPath(pane, 0, -pr - 1, size, size + pr + 1, pr);
    pane.Fill(p.face);
    if (theme.finish == Finish::Bevel) {
        VLine(pane, 1, 1, size - 1 - pr, p.light);
        HLine(pane, 1, size - 1, 1, p.light);
        VLine(pane, size - 2, 2, size - 1 - pr, p.shadow);
        HLine(pane, 1 + pr, size - 1 - pr, size - 2, p.shadow);
    }
    BoxPath(pane, 0.5, -pr - 0.5, size - 1, size + pr, pr);
    pane.Stroke(p.control_border, 1);
    HLine(pane, 0, size, 0, p.control_border);
    // Transparent exactly where the rounded corners left key colour.
    const Bitmap paneImage = Cutout(pane.ToRaster(), p.face);
    Slices(skin, "Tab.Pane", skin.AddImage("tabpane.bmp", paneImage), 4, 4, 4, 4, HasKeyColour(paneImage));
}

// StatusBarEdges: images 1 a panel, 2 the last panel, 3 the bar's simple
// text. ExtraImages: the combo box's drop-down glyph in the button's four
// states (normal, hot, pressed, disabled), then the status bar's size grip.
void PaintStatusBar(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    const int w = 16, h = 20;
    const Colour upper = Lighter(p.face, 0.06);
    const Colour lower = Darker(p.face, 0.03);
    const Colour line = Mix(p.face, Readable(p.face, {p.shadow, p.dark_shadow}), 0.7);
    const auto panel = [&](int kind) {
        art::Canvas canvas(w, h);
        canvas.Rect(0, 0, w, h);
        canvas.FillLinear({0, 0}, {0, double(h)}, {{0, upper}, {1, lower}});
        if (theme.finish == Finish::Bevel) {
            // Every panel is sunk into the bar.
            VLine(canvas, 0, 0, h - 1, p.shadow);
            HLine(canvas, 0, w - 1, 0, p.shadow);
            VLine(canvas, w - 1, 0, h, p.light);
            HLine(canvas, 0, w, h - 1, p.light);
        } else {
            if (kind == 0) {
                VLine(canvas, w - 2, 3, h - 3, line);
                if (theme.finish != Finish::Flat) VLine(canvas, w - 1, 3, h - 3, WithAlpha(p.light, 0.7));
            }
            if (kind == 2) HLine(canvas, 0, w, 0, line);
        }
        return canvas.ToRaster();
    };
    const art::Raster strip = SideBySide({panel(0), panel(1), panel(2)});
    Slices(skin, "StatusBarEdges", skin.AddImage("statusbar.bmp", OpaqueImage(strip, ArtPixel(p.face))), 3, 3, 3, 3,
           false);
    const Colour middle = Mix(upper, lower, 0.5);
    skin.Set("StatusBarEdges", "NormalColour2",
             ColourTriple(Readable(middle, {p.face_text, p.window_text, p.menu_text, p.dark_shadow, p.light})));

    // The glyphs are drawn over the button they belong to, so that their
    // edges blend with it, and then cut out along the glyph alone.
    std::vector<art::Raster> pictures, coverage;
    for (State state : kComboStates) {
        const double dy = state == State::Pressed ? 1 : 0;
        art::Canvas picture(kComboCellWidth, kComboCellHeight);
        picture.Image(ComboBody(theme, state), 0, 0, 1);
        DownGlyph(picture, dy, GlyphColour(theme, state));
        pictures.push_back(picture.ToRaster());
        art::Canvas alone(kComboCellWidth, kComboCellHeight);
        DownGlyph(alone, dy, Colour{0, 0, 0, 1});
        coverage.push_back(alone.ToRaster());
    }
    pictures.push_back(Grip(theme, true));
    coverage.push_back(Grip(theme, false));
    const Bitmap extra = Cutout(SideBySide(pictures), SideBySide(coverage), p.face);
    Slices(skin, "ExtraImages", skin.AddImage("extraimages.bmp", extra), 0, 0, 0, 0, true);
}

// ComboButton: the drop-down button without its glyph (that comes from
// ExtraImages); SunkEdge: the edit field around it. Both in the states
// normal, hot, pressed (the field: focused), disabled.
void PaintCombo(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    std::vector<art::Raster> buttons;
    for (State state : kComboStates) buttons.push_back(ComboBody(theme, state));
    const int br = ComboBodyRadius(theme);
    const int corner = std::max(br, 2) + 1;
    // The button stands on the field, so its rounded corners blend with it.
    Slices(skin, "ComboButton", skin.AddImage("combobutton.bmp", Cutout(SideBySide(buttons), p.window)), corner,
           kComboBodyTop + corner, corner + kComboCellWidth - kComboBody, kComboCellHeight - kComboBodyTop - kComboBody + corner,
           true);

    const int er = FieldRadius(theme);
    const auto field = [&](State state) {
        art::Canvas canvas(kFieldWidth, kComboCellHeight);
        const double w = kFieldWidth, h = kComboCellHeight;
        const bool disabled = state == State::Disabled;
        const Colour fill = disabled ? Mix(p.window, p.face, 0.6) : p.window;
        if (theme.finish == Finish::Bevel) {
            PaintWell(canvas, 0, 0, w, h, er, fill, theme);
        } else {
            // Like a well, but its inner shadow is a single row: deeper
            // shading would be cut off where the runtime empties the field.
            BoxPath(canvas, 0, 0, w, h, er);
            canvas.Fill(fill);
            HLine(canvas, 1 + er, w - 1 - er, 1, WithAlpha(p.dark_shadow, 0.12));
            BoxPath(canvas, 0.5, 0.5, w - 1, h - 1, er);
            canvas.Stroke(p.shadow, 1);
        }
        Colour ring{0, 0, 0, 0};
        if (state == State::Hot) ring = Mix(p.shadow, p.accent, 0.6);
        if (state == State::Pressed) ring = p.accent;
        if (disabled && theme.finish != Finish::Bevel) ring = Mix(p.shadow, p.face, 0.5);
        if (ring.a > 0) {
            // A bevelled field keeps its edges and takes the ring inside them.
            const double inset = theme.finish == Finish::Bevel ? 1.5 : 0.5;
            BoxPath(canvas, inset, inset, w - 2 * inset, h - 2 * inset, std::max(er - inset + 0.5, 0.0));
            canvas.Stroke(ring, 1);
        }
        return canvas.ToRaster();
    };
    std::vector<art::Raster> fields;
    for (State state : kComboStates) fields.push_back(field(state));
    const int margin = std::max(er, 2) + 2;
    Slices(skin, "SunkEdge", skin.AddImage("sunkedge.bmp", Cutout(SideBySide(fields), p.face)), margin, margin, margin,
           margin, er > 0);
}

// GroupBox: the background of the group's label. GroupBoxEdge: the group's
// frame, enabled and disabled, empty inside.
void PaintGroupBox(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    // A little rounder than the controls inside it; square with square ones.
    const int r = theme.shape.control_radius > 0 ? std::min(theme.shape.control_radius + 1, 8) : 0;
    const int edge = std::max(r, 2) + 2;
    const int size = 2 * edge + 4;
    const Colour line = Mix(p.face, Readable(p.face, {p.shadow, p.dark_shadow, p.light}), 0.75);
    const auto frame = [&](bool enabled) {
        art::Canvas canvas(size, size);
        const Colour ink = enabled ? line : Mix(line, p.face, 0.5);
        if (theme.finish == Finish::Bevel) {
            // Etched: a dark line with a light one inside and below it.
            BoxPath(canvas, 1.5, 1.5, size - 2, size - 2, r);
            canvas.Stroke(enabled ? p.light : Mix(p.light, p.face, 0.5), 1);
            BoxPath(canvas, 0.5, 0.5, size - 2, size - 2, r);
            canvas.Stroke(ink, 1);
        } else {
            BoxPath(canvas, 0.5, 0.5, size - 1, size - 1, r);
            canvas.Stroke(ink, 1);
        }
        return canvas.ToRaster();
    };
    Slices(skin, "GroupBoxEdge", skin.AddImage("groupboxedge.bmp", Cutout(SideBySide({frame(true), frame(false)}), p.face)),
           edge, edge, edge, edge, true);

    const int lw = 24, lh = 18;
    const int lr = theme.shape.control_radius > 0 ? std::min(theme.shape.control_radius + 2, lh / 2) : 0;
    art::Canvas label(lw, lh);
    BoxPath(label, 0, 0, lw, lh, lr);
    label.Fill(Mix(p.face, p.accent, 0.12));
    BoxPath(label, 0.5, 0.5, lw - 1, lh - 1, std::max(lr - 0.5, 0.0));
    label.Stroke(Mix(p.face, p.accent, 0.45), 1);
    const int lm = std::max(lr, 2) + 2;
    Slices(skin, "GroupBox", skin.AddImage("groupbox.bmp", Cutout(label.ToRaster(), p.face)), lm, std::min(lm, lh / 2 - 1),
           lm, std::min(lm, lh / 2 - 1), lr > 0);
    skin.Set("GroupBox", "BackgroundAlignment", 0);
    skin.Set("GroupBox", "BackgroundLeftShift", 4);
    skin.Set("GroupBox", "BackgroundRightShift", 4);
    skin.Set("GroupBox", "NormalColour2", ColourTriple(Readable(Mix(p.face, p.accent, 0.12), {p.face_text, p.window_text})));
}

// ToolBars: tool buttons 1 normal, 2 hot, 3 pressed, 4 disabled, 5 checked.
// A flat tool bar shows no surface under a button at rest or disabled: its
// glyph stands on the bar. Headerbar: list headers 1 normal, 2 hot,
// 3 pressed, 4 sorted, 5 disabled.
void PaintToolBars(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    const int r = std::clamp(theme.shape.control_radius, 0, 6);
    const int tw = 24, th = 22;
    const auto tool = [&](int kind) {
        art::Canvas canvas(tw, th);
        if (kind == 1) PaintSurface(canvas, 0, 0, tw, th, r, ControlColours(theme, State::Hot), theme.finish);
        if (kind == 2) {
            const SurfaceColours pressed = ControlColours(theme, State::Pressed);
            PaintSurface(canvas, 0, 0, tw, th, r, {pressed.bottom, pressed.top, pressed.border}, Finish::Flat);
        }
        if (kind == 4) {
            // Checked: a tinted hollow, shaded along its top as if pressed in.
            BoxPath(canvas, 0, 0, tw, th, r);
            canvas.Fill(Mix(p.face, p.accent, 0.22));
            BoxPath(canvas, 0, 0, tw, th, r);
            canvas.Clip();
            canvas.Rect(0, 0, tw, 4);
            canvas.FillLinear({0, 0}, {0, 4}, {{0, WithAlpha(p.dark_shadow, 0.16)}, {1, WithAlpha(p.dark_shadow, 0)}});
            canvas.Unclip();
            BoxPath(canvas, 0.5, 0.5, tw - 1, th - 1, std::max(r - 0.5, 0.0));
            canvas.Stroke(Mix(p.face, p.accent, 0.7), 1);
        }
        return canvas.ToRaster();
    };
    const art::Raster tools = SideBySide({tool(0), tool(1), tool(2), tool(3), tool(4)});
    const int tm = std::max(r, 2) + 2;
    Slices(skin, "ToolBars", skin.AddImage("toolbars.bmp", Cutout(tools, p.face)), tm, tm, tm, tm, true);

    const int hw = 24, hh = 22;
    const auto header = [&](int kind) {
        art::Canvas canvas(hw, hh);
        SurfaceColours colours{Mix(p.control_top, p.window, 0.3), Mix(p.control_bottom, p.face, 0.3), p.control_border};
        if (kind == 1) colours = ControlColours(theme, State::Hot);
        if (kind == 2) colours = ControlColours(theme, State::Pressed);
        if (kind == 3) colours = {Mix(colours.top, p.accent, 0.10), Mix(colours.bottom, p.accent, 0.16), colours.border};
        if (kind == 4) colours = ControlColours(theme, State::Disabled);
        // Square items side by side: only the bottom outline stays inside.
        PaintSurface(canvas, -1, -1, hw + 2, hh + 1, 0, colours, Quiet(theme.finish));
        const Colour divider = Mix(colours.border, colours.bottom, 0.35);
        VLine(canvas, hw - 2, 3, hh - 4, divider);
        VLine(canvas, hw - 1, 3, hh - 4, WithAlpha(p.light, 0.6));
        if (kind == 3) {
            canvas.Rect(0, hh - 3, hw, 2);
            canvas.Fill(p.accent);
        }
        return canvas.ToRaster();
    };
    const art::Raster headers = SideBySide({header(0), header(1), header(2), header(3), header(4)});
    Slices(skin, "Headerbar", skin.AddImage("headerbar.bmp", OpaqueImage(headers, ArtPixel(p.face))), 2, 2, 3, 4, false);
    skin.Set("Headerbar", "Frame", 5);
}

}  // namespace vc::theme
