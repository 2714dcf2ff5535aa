// Push buttons with their check boxes and radio buttons, scroll bars,
// progress bars, track bars and up-down buttons. Every state image is drawn
// on its own canvas and laid side by side; vertical pieces are the
// horizontal drawings turned about the diagonal, so that their light still
// comes from the top left.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "skin/look/composition.h"
#include "skin_paint.h"

namespace vc::theme {
namespace {

// Pixels clearer than this become the key colour; the rest are settled
// over the colour the piece normally stands on, so that anti-aliased edges
// blend into it instead of fringing in magenta.
constexpr int kKeyAlpha = 128;

// Arrow buttons and grip cells of the Scrollbar image, and the bar's width.
constexpr int kArrow = 17;

art::Raster Draw(int w, int h, const std::function<void(art::Canvas&)>& paint) {
    art::Canvas canvas(w, h);
    paint(canvas);
    return canvas.ToRaster();
}

// Mirrors a drawing about its top-left to bottom-right diagonal: a
// horizontal piece becomes the vertical one with the same lighting.
art::Raster Transposed(const art::Raster& in) {
    art::Raster out(in.Height(), in.Width());
    for (int y = 0; y < in.Height(); ++y)
        for (int x = 0; x < in.Width(); ++x) out.At(y, x) = in.At(x, y);
    return out;
}

std::vector<art::Raster> Transposed(const std::vector<art::Raster>& states) {
    std::vector<art::Raster> out;
    for (const art::Raster& s : states) out.push_back(Transposed(s));
    return out;
}

// See kKeyAlpha. `keyed` tells whether any key colour is left.
Bitmap Settled(const art::Raster& raster, Colour background, bool& keyed) {
    Bitmap image = KeyedComposite(raster, ArtPixel(background), kKeyAlpha);
    keyed = HasKeyColour(image);
    return image;
}

// The keys every sliced section carries; Trans follows from the image
// itself: 1 exactly when some of it is the key colour (returned).
bool WriteSection(SkinBuilder& skin, const std::string& section, const std::string& image_key,
                  const std::string& file, const art::Raster& strip, Colour background, Margins m, int frames) {
    bool keyed = false;
    const Bitmap image = Settled(strip, background, keyed);
    skin.Set(section, image_key, skin.AddImage(file, image));
    skin.Set(section, "LeftWidth", m.left);
    skin.Set(section, "RightWidth", m.right);
    skin.Set(section, "TopHeight", m.top);
    skin.Set(section, "BottomHeight", m.bottom);
    skin.Set(section, "Trans", keyed ? 1 : 0);
    skin.Set(section, "Tile", 0);
    skin.Set(section, "Frame", frames);
    return keyed;
}

Margins Swapped(Margins m) { return Margins{m.top, m.left, m.bottom, m.right}; }

// The theme's control corner radius, no more than `limit`.
double ButtonRadius(const Theme& theme, double limit) {
    return std::min<double>(std::clamp(theme.shape.control_radius, 0, 10), limit);
}

// The pressed look: a flat face with a shadow along the inner top (and, for
// bevelled themes, the left) edge, as if pushed below the surface.
void PaintPressed(art::Canvas& c, double x, double y, double w, double h, double r, const Theme& theme) {
    const SurfaceColours colours = ControlColours(theme, State::Pressed);
    const Palette& p = theme.palette;
    if (theme.finish == Finish::Bevel) {
        PaintSurface(c, x, y, w, h, r, colours, Finish::Flat);
        c.Line({x + 1.5, y + h - 2}, {x + 1.5, y + 1.5});
        c.LineTo(x + w - 2, y + 1.5);
        c.Stroke(WithAlpha(p.dark_shadow, 0.35), 1);
        return;
    }
    PaintSurface(c, x, y, w, h, r, colours, theme.finish);
    BoxPath(c, x + 1, y + 1, w - 2, h - 2, std::max(0.0, r - 1));
    c.Clip();
    c.Rect(x, y + 1, w, 3);
    c.FillLinear({0, y + 1}, {0, y + 4}, {{0, WithAlpha(p.dark_shadow, 0.22)}, {1, WithAlpha(p.dark_shadow, 0)}});
    c.Unclip();
}

// A raised control in one of its states, filling (x, y, w, h).
void PaintControl(art::Canvas& c, double x, double y, double w, double h, double r, const Theme& theme,
                  State state) {
    if (state == State::Pressed) {
        PaintPressed(c, x, y, w, h, r, theme);
        return;
    }
    PaintSurface(c, x, y, w, h, r, ControlColours(theme, state), theme.finish);
    if (state == State::Focused) {
        // A second, softer ring inside the accent outline.
        BoxPath(c, x + 1.5, y + 1.5, w - 3, h - 3, std::max(0.0, r - 1.5));
        c.Stroke(WithAlpha(theme.palette.accent, 0.45), 1);
    }
}

// Text and glyphs on raised controls.
Colour GlyphColour(const Theme& theme, State state) {
    const Palette& p = theme.palette;
    if (state == State::Disabled) return Mix(p.face_text, ControlColours(theme, state).top, 0.6);
    return p.face_text;
}

// ---------------------------------------------------------------------------
// Push buttons, check boxes, radio buttons.

constexpr int kButtonWidth = 64;
constexpr int kButtonHeight = 24;
constexpr int kBox = 13;  // check-box and radio-button cells

// The state images of the Buttons bitmap in the order the button picks
// them: 1 normal, 2 pressed, 3 disabled, 4 hot, 5 focused.
const State kButtonStates[] = {State::Normal, State::Pressed, State::Disabled, State::Hot, State::Focused};

// Check and radio strips hold twelve cells: unchecked, checked and
// indeterminate, each normal, hot, pressed and disabled. So unchecked is 1,
// checked 5, unchecked disabled 4, checked disabled 8, indeterminate 9.
const State kBoxStates[] = {State::Normal, State::Hot, State::Pressed, State::Disabled};
enum class Mark { None, Checked, Mixed };
const Mark kMarks[] = {Mark::None, Mark::Checked, Mark::Mixed};

struct BoxColours {
    Colour fill, border, mark;
};

// `c`, moved towards `ink` until it stands out from `ground`: borders drawn
// in a dark theme's control border vanish on its dark face.
Colour Visible(Colour c, Colour ground, Colour ink) {
    for (int step = 0; step < 6 && std::abs(Luminance(c) - Luminance(ground)) < 0.2; ++step) c = Mix(c, ink, 0.15);
    return c;
}

BoxColours BoxLook(const Theme& theme, State state) {
    const Palette& p = theme.palette;
    const Colour border = Visible(p.control_border, p.face, p.face_text);
    switch (state) {
        case State::Hot:
            return {Mix(p.window, p.accent, 0.08), Mix(border, p.accent, 0.65), p.accent};
        case State::Pressed:
            return {Mix(p.window, p.shadow, 0.25), Mix(border, p.accent, 0.4), Darker(p.accent, 0.12)};
        case State::Disabled:
            return {p.face, Mix(border, p.face, 0.5), Mix(Mix(p.accent, p.shadow, 0.6), p.face, 0.35)};
        default:
            return {p.window, border, p.accent};
    }
}

// The inside of a box or a radio button: a little darker at the top, as a
// well is, except on flat themes.
void BoxFill(art::Canvas& c, const Theme& theme, Colour fill) {
    if (theme.finish == Finish::Flat) {
        c.Fill(fill);
        return;
    }
    c.FillLinear({0, 0}, {0, kBox}, {{0, Mix(fill, theme.palette.shadow, 0.18)}, {0.45, fill}, {1, fill}});
}

art::Raster CheckBox(const Theme& theme, State state, Mark mark) {
    const BoxColours look = BoxLook(theme, state);
    const double r = ButtonRadius(theme, 3);
    return Draw(kBox, kBox, [&](art::Canvas& c) {
        BoxPath(c, 0, 0, kBox, kBox, r);
        BoxFill(c, theme, look.fill);
        BoxPath(c, 0.5, 0.5, kBox - 1, kBox - 1, std::max(0.0, r - 0.5));
        c.Stroke(look.border, 1);
        if (mark == Mark::Checked) {
            c.Polyline({{3.2, 6.6}, {5.5, 9}, {9.8, 3.9}});
            c.Stroke(look.mark, 1.9);
        } else if (mark == Mark::Mixed) {
            c.Rect(3, 5, 7, 3);
            c.Fill(look.mark);
        }
    });
}

art::Raster RadioButton(const Theme& theme, State state, Mark mark) {
    const BoxColours look = BoxLook(theme, state);
    const double centre = kBox / 2.0;
    return Draw(kBox, kBox, [&](art::Canvas& c) {
        c.Circle(centre, centre, centre);
        BoxFill(c, theme, look.fill);
        c.Circle(centre, centre, centre - 0.5);
        c.Stroke(look.border, 1);
        if (mark == Mark::None) return;
        // Indeterminate shows a faint dot: a radio button has no such state
        // of its own, but the strip keeps the check box's layout.
        const Colour dot = mark == Mark::Checked ? look.mark : Mix(look.mark, look.fill, 0.55);
        c.Circle(centre, centre, 2.6);
        if (theme.finish == Finish::Glass || theme.finish == Finish::Satin) {
            c.FillRadial({centre - 0.9, centre - 0.9}, 3.6, {{0, Lighter(dot, 0.45)}, {1, dot}});
        } else {
            c.Fill(dot);
        }
    });
}

}  // namespace

void PaintPushButtons(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    const int r = std::clamp(theme.shape.control_radius, 0, 10);
    std::vector<art::Raster> states;
    for (State state : kButtonStates) {
        states.push_back(Draw(kButtonWidth, kButtonHeight, [&](art::Canvas& c) {
            PaintControl(c, 0, 0, kButtonWidth, kButtonHeight, r, theme, state);
        }));
    }
    // The fixed edges hold the whole corner, so a taller button keeps
    // round corners rather than stretched ones.
    const int side = std::clamp(r + 2, 4, 14);
    const int end = std::clamp(r + 1, 3, kButtonHeight / 2 - 1);
    const bool button_keyed =
        WriteSection(skin, "Buttons", "Bitmap", "button.bmp", SideBySide(states), p.face, {side, end, side, end}, 5);

    std::vector<art::Raster> checks, radios;
    for (Mark mark : kMarks) {
        for (State state : kBoxStates) {
            checks.push_back(CheckBox(theme, state, mark));
            radios.push_back(RadioButton(theme, state, mark));
        }
    }
    // Both strips stand on the button face, as the push buttons do. They
    // share the push buttons' Trans, so where those have no key colour the
    // strips have none either: round radio buttons are laid on the face.
    const auto strip = [&](const std::vector<art::Raster>& cells) {
        if (!button_keyed) return OpaqueImage(SideBySide(cells), ArtPixel(p.face));
        bool keyed = false;
        return Settled(SideBySide(cells), p.face, keyed);
    };
    skin.Set("Buttons", "CheckButton", skin.AddImage("checkbox.bmp", strip(checks)));
    skin.Set("Buttons", "CheckButtonFrame", static_cast<int>(checks.size()));
    skin.Set("Buttons", "RadioButton", skin.AddImage("radio.bmp", strip(radios)));
    skin.Set("Buttons", "RadioButtonFrame", static_cast<int>(radios.size()));

    // Palette entries: 0 text, 1 hot text (the text leaning towards the
    // accent), taken only while it stays readable on the hot face. A pressed
    // button keeps the ordinary text: the accent text colour is meant for
    // accent surfaces.
    const SurfaceColours hot = ControlColours(theme, State::Hot);
    const Colour hot_face = Mix(hot.top, hot.bottom, 0.5);
    const Colour leaning = Mix(p.face_text, p.accent, 0.6);  // palette entry 1
    const bool readable = std::abs(Luminance(leaning) - Luminance(hot_face)) >= 0.45;
    skin.Set("Buttons", "NormalColour", 0);
    skin.Set("Buttons", "MouseOverColour", readable ? 1 : 0);
    skin.Set("Buttons", "PressedColour", 0);
    skin.Set("Buttons", "NormalColour2", ColourTriple(p.face_text));
    skin.Set("Buttons", "MouseOverColour2", ColourTriple(readable ? leaning : p.face_text));
    skin.Set("Buttons", "PressedColour2", ColourTriple(p.face_text));
}

namespace {

// ---------------------------------------------------------------------------
// Scroll bars.

constexpr int kTrackLength = 32;
constexpr int kThumbLength = 32;

// The Scrollbar image: four arrows in the order left, right, up, down, each
// normal, pressed, disabled, hot (images 1-16); horizontal grips normal,
// pressed, hot (17-19), vertical grips (20-22), and the corner where two
// bars meet (23).
const Direction kArrowOrder[] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};
const State kArrowStates[] = {State::Normal, State::Pressed, State::Disabled, State::Hot};
const State kThumbStates[] = {State::Normal, State::Pressed, State::Hot};

art::Raster ArrowButton(const Theme& theme, Direction direction, State state) {
    return Draw(kArrow, kArrow, [&](art::Canvas& c) {
        PaintControl(c, 0, 0, kArrow, kArrow, ButtonRadius(theme, 4), theme, state);
        // Bevelled buttons move their glyph with the press, as if it sank.
        const double shift = state == State::Pressed && theme.finish == Finish::Bevel ? 1 : 0;
        // An 8-pixel arrow centred on 8.5 puts its flat side on a pixel edge.
        PaintArrow(c, 8.5 + shift, 8.5 + shift, 8, direction, GlyphColour(theme, state));
    });
}

// Three ridges across a horizontal thumb; the dark lines are centred.
art::Raster Grip(const Theme& theme, State state) {
    const SurfaceColours s = ControlColours(theme, state);
    const Colour dark = Mix(s.border, s.bottom, 0.25);
    const Colour light = Lighter(s.top, 0.55);
    return Draw(kArrow, kArrow, [&](art::Canvas& c) {
        for (int x : {5, 8, 11}) {
            c.Rect(x + 1, 5, 1, 7);
            c.Fill(light);
            c.Rect(x, 5, 1, 7);
            c.Fill(dark);
        }
    });
}

// A horizontal track; the vertical one is its transposition.
art::Raster Track(const Theme& theme, State state) {
    const Palette& p = theme.palette;
    Colour fill = p.track;
    if (state == State::Hot) fill = Mix(p.track, p.accent, 0.07);
    if (state == State::Disabled) fill = Mix(p.track, p.face, 0.5);
    if (state == State::Pressed) fill = Darker(p.track, 0.08);
    const Colour edge = Mix(fill, p.shadow, 0.45);
    return Draw(kTrackLength, kArrow, [&](art::Canvas& c) {
        c.Rect(0, 0, kTrackLength, kArrow);
        if (theme.finish == Finish::Flat) {
            c.Fill(fill);
        } else {
            c.FillLinear({0, 0}, {0, kArrow},
                         {{0, Mix(fill, p.shadow, 0.15)}, {0.35, fill}, {1, Mix(fill, p.light, 0.15)}});
        }
        // Sunken: a darker line at the top, a lighter one at the bottom on
        // bevelled themes; two equal hairlines elsewhere.
        c.Rect(0, 0, kTrackLength, 1);
        c.Fill(edge);
        c.Rect(0, kArrow - 1, kTrackLength, 1);
        c.Fill(theme.finish == Finish::Bevel ? Mix(fill, p.light, 0.6) : edge);
    });
}

art::Raster Thumb(const Theme& theme, State state) {
    return Draw(kThumbLength, kArrow, [&](art::Canvas& c) {
        PaintControl(c, 1, 2, kThumbLength - 2, kArrow - 4, ButtonRadius(theme, 6), theme, state);
    });
}

}  // namespace

void PaintScrollBars(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    std::vector<art::Raster> cells;
    for (Direction direction : kArrowOrder)
        for (State state : kArrowStates) cells.push_back(ArrowButton(theme, direction, state));
    std::vector<art::Raster> grips;
    for (State state : kThumbStates) grips.push_back(Grip(theme, state));
    cells.insert(cells.end(), grips.begin(), grips.end());
    for (const art::Raster& grip : grips) cells.push_back(Transposed(grip));
    cells.push_back(Draw(kArrow, kArrow, [&](art::Canvas& c) {
        c.Rect(0, 0, kArrow, kArrow);
        c.Fill(p.face);
    }));
    // Arrows stand on the bar's face; grips are keyed onto the thumb.
    WriteSection(skin, "Scrollbar", "Image", "scrollbar.bmp", SideBySide(cells), p.face, {0, 0, 0, 0}, 23);

    // Tracks: normal, hot, disabled, pressed.
    std::vector<art::Raster> tracks;
    for (State state : {State::Normal, State::Hot, State::Disabled, State::Pressed})
        tracks.push_back(Track(theme, state));
    const Margins track_margins{2, 2, 2, 2};
    WriteSection(skin, "HorzScroll", "Image", "hscroll.bmp", SideBySide(tracks), p.track, track_margins, 4);
    WriteSection(skin, "VertScroll", "Image", "vscroll.bmp", SideBySide(Transposed(tracks)), p.track,
                 Swapped(track_margins), 4);

    std::vector<art::Raster> thumbs;
    for (State state : kThumbStates) thumbs.push_back(Thumb(theme, state));
    // The fixed ends hold the rounded corners along the bar and across it,
    // where a wider system scroll bar stretches the thumb too.
    const int radius = static_cast<int>(ButtonRadius(theme, 6));
    const int ends = std::clamp(radius + 3, 4, 10);
    const int sides = std::clamp(radius + 2, 4, kArrow / 2);
    const Margins thumb_margins{ends, sides, ends, sides};
    WriteSection(skin, "HorzScrollThumb", "Image", "hthumb.bmp", SideBySide(thumbs), p.track, thumb_margins, 3);
    skin.Set("HorzScrollThumb", "FrameCount", 3);
    WriteSection(skin, "VertScrollThumb", "Image", "vthumb.bmp", SideBySide(Transposed(thumbs)), p.track,
                 Swapped(thumb_margins), 3);
    skin.Set("VertScrollThumb", "FrameCount", 3);
}

void PaintProgress(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    constexpr int kWidth = 40, kHeight = 18, kInset = 2;
    const double r = ButtonRadius(theme, 5);
    const Colour well = Mix(p.window, p.track, 0.5);
    const art::Raster frame =
        Draw(kWidth, kHeight, [&](art::Canvas& c) { PaintWell(c, 0, 0, kWidth, kHeight, r, well, theme); });
    const int m = std::max(4, static_cast<int>(r) + 1);
    WriteSection(skin, "Progress", "Bitmap", "progress.bmp", frame, p.face, {m, m, m, m}, 1);
    skin.Set("Progress", "Style", 1);

    // The bar fills the inside of the frame: the accent in the theme's finish.
    const SurfaceColours accent{Lighter(p.accent, 0.22), Darker(p.accent, 0.06), Darker(p.accent, 0.3)};
    const int cw = kWidth - 2 * kInset, ch = kHeight - 2 * kInset;
    const art::Raster chunk = Draw(cw, ch, [&](art::Canvas& c) {
        PaintSurface(c, 0, 0, cw, ch, std::max(0.0, r - kInset), accent, theme.finish);
    });
    WriteSection(skin, "Progress.Chunk", "Image", "progresschunk.bmp", chunk, well, {3, 3, 3, 3}, 1);
}

namespace {

// ---------------------------------------------------------------------------
// Track bars.

constexpr int kSliderWidth = 11;   // across the channel of a horizontal bar
constexpr int kSliderHeight = 19;  // its length across the channel
constexpr int kPoint = 5;          // how far a pointed thumb's tip reaches

// The five thumb states in the order the track bar picks them.
const State kSliderStates[] = {State::Normal, State::Hot, State::Pressed, State::Disabled, State::Focused};

enum class Tip { None, Up, Down };

// The outline of an upright thumb, optionally pointed at one end, on pixel
// centres so that its straight sides are crisp.
void SliderPath(art::Canvas& c, Tip tip, double inset, double r) {
    const double l = 0.5 + inset, rt = kSliderWidth - 0.5 - inset;
    const double t = 0.5 + inset, b = kSliderHeight - 0.5 - inset;
    const double mid = kSliderWidth / 2.0;
    if (tip == Tip::None) {
        BoxPath(c, l, t, rt - l, b - t, r);
        return;
    }
    const double dir = tip == Tip::Down ? 1 : -1;
    const double base = tip == Tip::Down ? b - kPoint : t + kPoint;  // where the point starts
    const double flat = tip == Tip::Down ? t : b;                     // the opposite, flat end
    c.MoveTo(mid, tip == Tip::Down ? b : t);
    c.LineTo(rt, base);
    c.LineTo(rt, flat - dir * r);
    if (r > 0) c.CurveTo({rt, flat}, {rt, flat}, {rt - r, flat});
    c.LineTo(l + r, flat);
    if (r > 0) c.CurveTo({l, flat}, {l, flat}, {l, flat - dir * r});
    c.LineTo(l, base);
    c.ClosePath();
}

art::Raster Slider(const Theme& theme, State state, Tip tip) {
    const SurfaceColours s = ControlColours(theme, state);
    const double r = ButtonRadius(theme, 3);
    const Palette& p = theme.palette;
    return Draw(kSliderWidth, kSliderHeight, [&](art::Canvas& c) {
        SliderPath(c, tip, -0.5, r);
        c.Clip();
        c.Rect(0, 0, kSliderWidth, kSliderHeight);
        switch (theme.finish) {
            case Finish::Flat:
                c.Fill(Mix(s.top, s.bottom, 0.5));
                break;
            case Finish::Glass:
                c.FillLinear({0, 0}, {0, kSliderHeight},
                             {{0, Lighter(s.top, 0.4)},
                              {0.48, Lighter(s.top, 0.12)},
                              {0.52, s.bottom},
                              {1, Lighter(s.bottom, 0.2)}});
                break;
            default:
                c.FillLinear({0, 0}, {0, kSliderHeight}, {{0, Lighter(s.top, 0.1)}, {1, s.bottom}});
                break;
        }
        if (theme.finish == Finish::Bevel && state != State::Pressed) {
            // Light on the upper and left inside edges, shade on the others.
            c.Polygon({{0, 0}, {kSliderWidth, 0}, {kSliderWidth, 2}, {2, kSliderHeight}, {0, kSliderHeight}});
            c.Clip();
            SliderPath(c, tip, 1, std::max(0.0, r - 1));
            c.Stroke(WithAlpha(Lighter(s.top, 0.7), 0.8), 1);
            c.Unclip();
            c.Polygon({{kSliderWidth, 2}, {kSliderWidth, kSliderHeight}, {2, kSliderHeight}});
            c.Clip();
            SliderPath(c, tip, 1, std::max(0.0, r - 1));
            c.Stroke(WithAlpha(Darker(s.bottom, 0.25), 0.6), 1);
            c.Unclip();
        }
        if (state == State::Focused) {
            SliderPath(c, tip, 1, std::max(0.0, r - 1));
            c.Stroke(WithAlpha(p.accent, 0.45), 1);
        }
        // A centre groove along the thumb, the hold for a finger.
        if (state != State::Disabled) {
            const double top = tip == Tip::Up ? kPoint + 3 : 4;
            const double bottom = tip == Tip::Down ? kSliderHeight - kPoint - 3 : kSliderHeight - 4;
            c.Rect(5, top, 1, bottom - top);
            c.Fill(WithAlpha(s.border, 0.5));
        }
        c.Unclip();
        SliderPath(c, tip, 0, r);
        c.Stroke(s.border, 1);
    });
}

std::vector<art::Raster> SliderStates(const Theme& theme, Tip tip) {
    std::vector<art::Raster> out;
    for (State state : kSliderStates) out.push_back(Slider(theme, state, tip));
    return out;
}

}  // namespace

void PaintTrackBars(const Theme& theme, SkinBuilder& skin) {
    const Palette& p = theme.palette;
    constexpr int kChannelLength = 24, kChannel = 7;
    const double r = ButtonRadius(theme, 3);
    const art::Raster channel = Draw(kChannelLength, kChannel, [&](art::Canvas& c) {
        PaintWell(c, 0, 0, kChannelLength, kChannel, r, Mix(p.track, p.shadow, 0.12), theme);
    });
    const Margins channel_margins{4, 3, 4, 3};
    WriteSection(skin, "Track", "Image", "track.bmp", channel, p.face, channel_margins, 1);
    WriteSection(skin, "TRACKVERT", "Image", "trackvert.bmp", Transposed(channel), p.face, Swapped(channel_margins),
                 1);

    // Thumbs of horizontal bars stand upright: plain, pointing up or down;
    // those of vertical bars are the same drawings turned on their side.
    const std::vector<art::Raster> plain = SliderStates(theme, Tip::None);
    const std::vector<art::Raster> up = SliderStates(theme, Tip::Up);
    const std::vector<art::Raster> down = SliderStates(theme, Tip::Down);
    // A thumb sized otherwise keeps its corners and its point.
    const Margins square{3, 3, 3, 3}, pointing_up{3, kPoint + 2, 3, 3}, pointing_down{3, 3, 3, kPoint + 2};
    const auto thumb = [&](const char* section, const char* file, const std::vector<art::Raster>& states,
                           Margins m) { WriteSection(skin, section, "Image", file, SideBySide(states), p.face, m, 5); };
    thumb("Trackbar.ThumbHorz", "thumbhorz.bmp", plain, square);
    thumb("Trackbar.ThumbVert", "thumbvert.bmp", Transposed(plain), square);
    thumb("Trackbar.ThumbUp", "thumbup.bmp", up, pointing_up);
    thumb("Trackbar.ThumbDown", "thumbdown.bmp", down, pointing_down);
    thumb("Trackbar.ThumbLeft", "thumbleft.bmp", Transposed(up), Swapped(pointing_up));
    thumb("Trackbar.ThumbRight", "thumbright.bmp", Transposed(down), Swapped(pointing_down));
}

namespace {

// Up-down buttons. Image: eight cells, the first button (up, or left for a
// horizontal pair) normal, hot, pressed, disabled, then the second button
// (down, or right) in the same four states. GlyphImage: eight 8 x 8 cells in
// the same order, the arrow alone on the key colour, drawn centred on its
// button.
constexpr int kSpinLong = 17, kSpinShort = 12, kGlyph = 8;
const State kSpinStates[] = {State::Normal, State::Hot, State::Pressed, State::Disabled};

void PaintSpin(const Theme& theme, SkinBuilder& skin, const std::string& section, const std::string& stem,
               bool vertical) {
    const Palette& p = theme.palette;
    const int w = vertical ? kSpinLong : kSpinShort;
    const int h = vertical ? kSpinShort : kSpinLong;
    const double r = ButtonRadius(theme, 3);
    const Direction first = vertical ? Direction::Up : Direction::Left;
    const Direction second = vertical ? Direction::Down : Direction::Right;
    std::vector<art::Raster> buttons, glyphs;
    for (Direction direction : {first, second}) {
        for (State state : kSpinStates) {
            buttons.push_back(Draw(w, h, [&](art::Canvas& c) { PaintControl(c, 0, 0, w, h, r, theme, state); }));
            glyphs.push_back(Draw(kGlyph, kGlyph, [&](art::Canvas& c) {
                // 6.4 across puts the arrow's flat side on a pixel edge.
                PaintArrow(c, kGlyph / 2.0, kGlyph / 2.0, 6.4, direction, GlyphColour(theme, state));
            }));
        }
    }
    const int m = std::clamp(static_cast<int>(r) + 2, 3, 5);
    WriteSection(skin, section, "Image", stem + ".bmp", SideBySide(buttons), p.face, {m, m, m, m}, 8);
    bool keyed = false;
    const Bitmap glyph_strip = Settled(SideBySide(glyphs), p.control_bottom, keyed);
    skin.Set(section, "GlyphImage", skin.AddImage(stem + "glyph.bmp", glyph_strip));
}

}  // namespace

void PaintUpDown(const Theme& theme, SkinBuilder& skin) {
    PaintSpin(theme, skin, "UpDown.Horz", "updownh", false);
    PaintSpin(theme, skin, "UpDown.Vert", "updownv", true);
}

}  // namespace vc::theme
