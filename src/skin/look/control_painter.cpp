#include "skin/look/control_painter.h"

#include <algorithm>
#include <cstdlib>

#include "skin/look/composition.h"

namespace vc {

namespace {

constexpr Colour kWhite = 0xFFFFFF;

bool Drawable(const TDataSkinObject* o) { return o && !o->Map.Empty(); }
int StateWidth(const TDataSkinObject& o) { return o.Map.Width() / o.FrameCount(); }

// State image k of an object stretched by its margins over r.
bool DrawObject(Bitmap& dest, const TDataSkinObject* o, const Rect& r, int k) {
    if (!Drawable(o) || r.IsEmpty()) return false;
    DrawNineSlice(dest, r, o->Map, false, o->Tiled(), o->Keyed(), o->FrameCount(),
                  std::clamp(k, 1, o->FrameCount()), o->GetMargins());
    return true;
}

// State image k of an object at its own size, centred in r, keyed.
void DrawCentred(Bitmap& dest, const TDataSkinObject& o, const Bitmap& image, const Rect& r, int k) {
    const int w = image.Width() / o.FrameCount(), h = image.Height();
    const Rect at = Rect::FromSize(r.left + (r.Width() - w) / 2, r.top + (r.Height() - h) / 2, w, h);
    DrawStateImage(dest, at, image, true, o.FrameCount(), std::clamp(k, 1, o.FrameCount()));
}

Pixel Resolved(const TSkinData& data, Colour c) { return PixelFromColour(data.ResolveColour(c)); }

void FrameRect(Bitmap& dest, const Rect& r, Pixel p) {
    if (r.IsEmpty()) return;
    dest.FillRect(Rect{r.left, r.top, r.right, r.top + 1}, p);
    dest.FillRect(Rect{r.left, r.bottom - 1, r.right, r.bottom}, p);
    dest.FillRect(Rect{r.left, r.top, r.left + 1, r.bottom}, p);
    dest.FillRect(Rect{r.right - 1, r.top, r.right, r.bottom}, p);
}

// Hot, pressed and disabled as the first four images of a state group.
int GroupOffset(const ControlState& s) {
    if (!s.enabled) return 3;
    if (s.pressed) return 2;
    if (s.hot) return 1;
    return 0;
}

}  // namespace

int PushButtonImage(const ControlState& s) {
    if (!s.enabled) return 3;
    if (s.pressed) return 2;
    if (s.hot) return 4;
    return s.focused ? 5 : 1;
}

bool PaintPushButton(Bitmap& dest, const TSkinData& data, const Rect& r, int image) {
    return DrawObject(dest, &data.Buttons(), r, image);
}

Colour PushButtonTextColour(const TSkinData& data, int image) {
    const TDataSkinButton& b = data.Buttons();
    if (image == 3) return data.ResolveColour(data.Colours().ButtonShadow);
    if (image == 1 && b.HasNormalColour2) return data.ResolveColour(b.NormalColour2);
    if (image == 4 && b.HasMouseOverColour2) return data.ResolveColour(b.MouseOverColour2);
    if (image == 2 && b.HasPressedColour2) return data.ResolveColour(b.PressedColour2);
    return data.ResolveColour(data.Colours().ButtonText);
}

int CheckBoxImage(CheckMark mark, const ControlState& s, int frames) {
    int k;
    if (frames >= 12) {
        const int group = mark == CheckMark::Unchecked ? 1 : mark == CheckMark::Checked ? 5 : 9;
        k = group + GroupOffset(s);
    } else if (mark == CheckMark::Indeterminate) {
        k = 4;
    } else {
        k = (mark == CheckMark::Checked ? 2 : 1) + (s.enabled ? 0 : 2);
    }
    return std::clamp(k, 1, std::max(frames, 1));
}

Rect PaintCheckBox(Bitmap& dest, const TSkinData& data, const Rect& r, bool radio, int image) {
    const TDataSkinButton& b = data.Buttons();
    const Bitmap& strip = radio ? b.RadioMap : b.CheckMap;
    const int frames = radio ? b.RadioFrame : b.CheckFrame;
    if (strip.Empty() || frames < 1) return Rect{};
    const int cell = strip.Width() / frames, h = strip.Height();
    const Rect box = Rect::FromSize(r.left, r.top + (r.Height() - h) / 2, cell, h);
    DrawStateImage(dest, box, strip, true, frames, std::clamp(image, 1, frames));
    return Rect{box.right + 4, r.top, r.right, r.bottom};
}

void PaintGroupBox(Bitmap& dest, const TSkinData& data, const Rect& box, const Rect& caption, bool enabled) {
    const Rect frame{box.left, box.top + caption.Height() / 2, box.right, box.bottom};
    if (!DrawObject(dest, data.FindObject("GroupBoxEdge"), frame, enabled ? 1 : 2)) {
        const Pixel shadow = Resolved(data, data.Colours().ButtonShadow);
        FrameRect(dest, frame, shadow);
        // Rounded corners: the corner pixels go back to the face.
        if (frame.Width() > 2 && frame.Height() > 2) {
            const Pixel face = PixelFromColour(data.ButtonFaceColour());
            for (const Point p : {Point{frame.left, frame.top}, Point{frame.right - 1, frame.top},
                                  Point{frame.left, frame.bottom - 1}, Point{frame.right - 1, frame.bottom - 1}})
                if (dest.Bounds().Contains(p)) dest.Set(p.x, p.y, face);
        }
    }
    if (caption.IsEmpty()) return;
    if (!DrawObject(dest, data.FindObject("GroupBox"), caption, 1))
        dest.FillRect(caption, PixelFromColour(data.ButtonFaceColour()));
}

void PaintEditBorder(Bitmap& dest, const TSkinData& data, const Rect& r, int thickness) {
    if (thickness < 1) return;
    FrameRect(dest, r, Resolved(data, data.Colours().ButtonShadow));
    for (int i = 1; i < thickness; ++i) FrameRect(dest, Rect{r.left + i, r.top + i, r.right - i, r.bottom - i},
                                                  PixelFromColour(kWhite));
}

int ComboBoxImage(const ControlState& s) { return 1 + GroupOffset(s); }

bool PaintComboBox(Bitmap& dest, const TSkinData& data, const Rect& r, int image) {
    return DrawObject(dest, data.FindObject("ComboButton"), r, image);
}

Rect ProgressFill(const Rect& inner, int minimum, int maximum, int position, bool vertical) {
    if (maximum <= minimum || inner.IsEmpty()) return Rect{};
    const long long range = static_cast<long long>(maximum) - minimum;
    const long long done = std::clamp(static_cast<long long>(position), static_cast<long long>(minimum),
                                      static_cast<long long>(maximum)) -
                           minimum;
    if (vertical) {
        const int h = static_cast<int>(inner.Height() * done / range);
        return Rect{inner.left, inner.bottom - h, inner.right, inner.bottom};
    }
    const int w = static_cast<int>(inner.Width() * done / range);
    return Rect{inner.left, inner.top, inner.left + w, inner.bottom};
}

bool PaintProgress(Bitmap& dest, const TSkinData& data, const Rect& r, int minimum, int maximum, int position,
                   bool vertical) {
    const TDataSkinObject* progress = data.FindObject("Progress");
    if (!DrawObject(dest, progress, r, 1)) return false;
    const Rect done =
        ProgressFill(Rect{r.left + 2, r.top + 2, r.right - 2, r.bottom - 2}, minimum, maximum, position, vertical);
    if (!DrawObject(dest, data.FindObject("Progress.Chunk"), done, 1) && progress->FrameCount() > 1)
        DrawObject(dest, progress, done, 2);
    return true;
}

bool PaintStatusPanel(Bitmap& dest, const TSkinData& data, const Rect& panel, int image) {
    return DrawObject(dest, data.FindObject("StatusBarEdges"), panel, image);
}

Rect PaintSizeGrip(Bitmap& dest, const TSkinData& data, const Rect& bar) {
    const TDataSkinObject* grip = data.FindObject("ExtraImages");
    if (!Drawable(grip)) return Rect{};
    const int w = StateWidth(*grip), h = grip->Map.Height();
    const Rect at = Rect::FromSize(bar.right - w, bar.bottom - h, w, h);
    DrawStateImage(dest, at, grip->Map, true, grip->FrameCount(), std::min(5, grip->FrameCount()));
    return at;
}

Colour StatusTextColour(const TSkinData& data) {
    const TDataSkinObject* edges = data.FindObject("StatusBarEdges");
    return data.ResolveColour(edges ? edges->NormalColour2 : data.Colours().ButtonText);
}

int ToolButtonImage(const ControlState& s, bool checked) {
    if (!s.enabled) return 4;
    if (s.pressed) return 3;
    if (checked) return 5;
    return s.hot ? 2 : 1;
}

void PaintToolBarBackground(Bitmap& dest, const TSkinData& data, const Rect& bar) {
    if (InSet(data.Options, xoToolbarBK) || !DrawObject(dest, data.FindObject("Toolbar"), bar, 1))
        dest.FillRect(bar, PixelFromColour(data.ButtonFaceColour()));
}

bool PaintToolButton(Bitmap& dest, const TSkinData& data, const Rect& r, int image) {
    return DrawObject(dest, data.FindObject("ToolBars"), r, image);
}

int HeaderItemImage(const ControlState& s, bool sorted) {
    if (!s.enabled) return 5;
    if (s.pressed) return 3;
    if (s.hot) return 2;
    return sorted ? 4 : 1;
}

bool PaintHeaderItem(Bitmap& dest, const TSkinData& data, const Rect& r, int image) {
    return DrawObject(dest, data.FindObject("Headerbar"), r, image);
}

int TabImage(const ControlState& s, bool selected) {
    if (selected) return s.focused ? 5 : 3;
    if (!s.enabled) return 4;
    return s.hot ? 2 : 1;
}

bool PaintTab(Bitmap& dest, const TSkinData& data, const Rect& r, int image) {
    return DrawObject(dest, data.FindObject("Tabs"), r, image);
}

bool PaintTabPane(Bitmap& dest, const TSkinData& data, const Rect& pane) {
    return DrawObject(dest, data.FindObject("Tab.Pane"), pane, 1);
}

Colour TabTextColour(const TSkinData& data) {
    const TDataSkinObject* tabs = data.FindObject("Tabs");
    return data.ResolveColour(tabs && tabs->NormalColour2 ? tabs->NormalColour2 : data.Colours().ButtonText);
}

int UpDownImage(bool second, const ControlState& s) { return (second ? 5 : 1) + GroupOffset(s); }

bool PaintUpDownButton(Bitmap& dest, const TSkinData& data, const Rect& r, bool horizontal, int image) {
    const auto* spin = data.Find<TDataSkinBorder>(horizontal ? "UpDown.Horz" : "UpDown.Vert");
    if (!DrawObject(dest, spin, r, image)) return false;
    if (!spin->Map2.Empty()) DrawCentred(dest, *spin, spin->Map2, r, image);
    return true;
}

int TrackThumbImage(const ControlState& s) {
    if (!s.enabled) return 4;
    if (s.pressed) return 3;
    if (s.hot) return 2;
    return s.focused ? 5 : 1;
}

void PaintTrackBar(Bitmap& dest, const TSkinData& data, const Rect& channel, const Rect& thumb, bool vertical,
                   int thumb_image) {
    DrawObject(dest, data.FindObject(vertical ? "TRACKVERT" : "Track"), channel, 1);
    const TDataSkinObject* t = data.FindObject(vertical ? "Trackbar.ThumbVert" : "Trackbar.ThumbHorz");
    if (Drawable(t) && !thumb.IsEmpty()) DrawCentred(dest, *t, t->Map, thumb, thumb_image);
}

int ScrollArrowLength(const TSkinData& data, int bar_length, int system_arrow) {
    const TDataSkinObject* arrows = data.FindObject("Scrollbar");
    int arrow = Drawable(arrows) ? arrows->Map.Height() : system_arrow;
    if (std::abs(arrow - system_arrow) > 2) arrow = system_arrow;
    if (2 * arrow > bar_length) arrow = bar_length / 2;
    return std::max(arrow, 0);
}

ScrollBarParts LayoutScrollBar(const TSkinData& data, const Rect& bar, bool vertical, int system_arrow,
                               int thumb_start, int thumb_end) {
    ScrollBarParts p;
    const int length = vertical ? bar.Height() : bar.Width();
    const int arrow = ScrollArrowLength(data, length, system_arrow);
    if (vertical) {
        p.before = Rect{bar.left, bar.top, bar.right, bar.top + arrow};
        p.after = Rect{bar.left, bar.bottom - arrow, bar.right, bar.bottom};
        p.track = Rect{bar.left, p.before.bottom, bar.right, p.after.top};
    } else {
        p.before = Rect{bar.left, bar.top, bar.left + arrow, bar.bottom};
        p.after = Rect{bar.right - arrow, bar.top, bar.right, bar.bottom};
        p.track = Rect{p.before.right, bar.top, p.after.left, bar.bottom};
    }
    if (thumb_end > thumb_start) {
        const Rect thumb = vertical ? Rect{bar.left, bar.top + thumb_start, bar.right, bar.top + thumb_end}
                                    : Rect{bar.left + thumb_start, bar.top, bar.left + thumb_end, bar.bottom};
        p.thumb = thumb.Intersect(p.track);
    }
    return p;
}

Span ScrollThumbSpan(int track_length, int minimum, int maximum, int page, int position, int minimum_thumb) {
    const long long range = static_cast<long long>(maximum) - minimum + 1;
    if (range <= 0 || track_length <= 0 || (page > 0 && page >= range)) return Span{};
    int length = page > 0 ? static_cast<int>(track_length * static_cast<long long>(page) / range) : minimum_thumb;
    length = std::max(length, minimum_thumb);
    if (length > track_length) return Span{};
    const long long travel = range - std::max(page, 0) - (page > 0 ? 0 : 1);
    const long long at = std::clamp(static_cast<long long>(position) - minimum, 0LL, std::max(travel, 0LL));
    const int start = travel > 0 ? static_cast<int>((track_length - length) * at / travel) : 0;
    return Span{start, start + length};
}

int ScrollArrowImage(bool vertical, bool after, const ScrollBarLook& look) {
    const int base = (vertical ? 9 : 1) + (after ? 4 : 0);
    const ScrollPart part = after ? ScrollPart::After : ScrollPart::Before;
    if (!look.enabled) return base + 2;
    if (look.pressed == part) return base + 1;
    if (look.hot == part) return base + 3;
    return base;
}

void PaintScrollBar(Bitmap& dest, const TSkinData& data, const ScrollBarParts& parts, bool vertical,
                    const ScrollBarLook& look) {
    const TDataSkinObject* arrows = data.FindObject("Scrollbar");
    if (!Drawable(arrows)) return;
    const int n = arrows->FrameCount();
    DrawObject(dest, data.FindObject(vertical ? "VertScroll" : "HorzScroll"), parts.track, look.enabled ? 1 : 3);
    if (look.enabled && !parts.thumb.IsEmpty()) {
        const int image = look.pressed == ScrollPart::Thumb ? 2 : look.hot == ScrollPart::Thumb ? 3 : 1;
        DrawObject(dest, data.FindObject(vertical ? "VertScrollThumb" : "HorzScrollThumb"), parts.thumb, image);
        const int grip = (vertical ? 20 : 17) + (image == 2 ? 1 : image == 3 ? 2 : 0);
        const Rect& at = parts.thumb;
        if (grip <= n && StateWidth(*arrows) + 2 < std::max(at.Width(), at.Height())) {
            const int w = StateWidth(*arrows), h = arrows->Map.Height();
            DrawStateImage(dest, Rect::FromSize(at.left + (at.Width() - w) / 2, at.top + (at.Height() - h) / 2, w, h),
                           arrows->Map, true, n, grip);
        }
    }
    DrawStateImage(dest, parts.before, arrows->Map, true, n, std::min(ScrollArrowImage(vertical, false, look), n));
    DrawStateImage(dest, parts.after, arrows->Map, true, n, std::min(ScrollArrowImage(vertical, true, look), n));
}

}  // namespace vc
