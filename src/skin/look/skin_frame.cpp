#include "skin/look/skin_frame.h"

#include <algorithm>

#include "skin/look/composition.h"

namespace vc {

namespace {

int StateWidth(const TDataSkinObject& o) { return o.Map.Width() / o.FrameCount(); }
int StateHeight(const TDataSkinObject& o) { return o.Map.Height() / o.FrameCount(); }

// The caption text keeps this far from the buttons and the frame sides.
constexpr int kTextGap = 4;

bool IsRightAligned(const TDataSkinSysButton& b) { return b.Align == CaptionAlign::FromRight; }
bool PlacedByCaptionArea(const TDataSkinSysButton& b) {
    return b.Align == CaptionAlign::CaptionRight || b.Align == CaptionAlign::CaptionLeft;
}

// One state image of a side composed to a size, as the frame paints it:
// horizontal sides keep their states stacked, vertical ones side by side.
Bitmap ComposeSide(const TDataSkinBorder& side, int width, int height, bool horizontal, int state,
                   const Scale& scale) {
    if (side.Map.Empty() || width <= 0 || height <= 0) return Bitmap{};
    const int n = side.FrameCount();
    return ComposeNineSliceScaled(width, height, side.Map, side.GetMargins(), horizontal, side.Tiled(), n,
                                  std::min(state, n), scale);
}

int SideState(bool active) { return active ? 1 : 2; }

}  // namespace

FrameSizes SkinFrameSizes(const TSkinData& data, const Scale& scale) {
    const TSkinData& d = data;
    return FrameSizes{scale.Apply(StateWidth(d.Left())), scale.Apply(StateHeight(d.Top())),
                      scale.Apply(StateWidth(d.Right())), scale.Apply(StateHeight(d.Bottom()))};
}

Rect CaptionButtonBounds(const TDataSkinSysButton& b, int window_width, CaptionArea area, const Scale& scale) {
    if (b.Map.Empty() || b.Visibility == CaptionShow::ChildWindowButton) return Rect{};
    const int w = scale.Apply(StateWidth(b));
    const int h = scale.Apply(b.Map.Height());
    const int xcoord = scale.Apply(b.Xcoord);
    int x = 0;
    switch (b.Align) {
        case CaptionAlign::FromLeft: x = xcoord; break;
        case CaptionAlign::FromRight: x = window_width - xcoord; break;
        case CaptionAlign::CaptionRight: x = area.right - w - xcoord; break;
        case CaptionAlign::CaptionLeft: x = xcoord + area.left; break;
        case CaptionAlign::Unplaced: return Rect::FromSize(0, 0, w, h);
    }
    return Rect::FromSize(x, scale.Apply(b.Ycoord), w, h);
}

FrameLayout::FrameLayout(const TSkinData& data, const FrameWindow& window) : window_(window) {
    if (window_.caption.border == FrameBorder::NoCaption) {
        // A window without a caption keeps no frame of the skin.
        window_.menu_bar_height = 0;
    } else {
        sizes_ = SkinFrameSizes(data, window_.scale);
    }
    PlaceButtons(data);
}

void FrameLayout::PlaceButtons(const TSkinData& data) {
    const int width = window_.width;
    const Scale& scale = window_.scale;
    const int gap = scale.Apply(kTextGap);
    int text_left = sizes_.left + gap, text_right = width - sizes_.right - gap;
    right_buttons_left_ = width;
    const auto narrow_text = [&](const Rect& r) {
        if (r.left < width / 2) text_left = std::max(text_left, r.right + gap);
        else text_right = std::min(text_right, r.left - gap);
    };
    const auto place = [&](const TDataSkinSysButton& b, CaptionArea area) {
        PlacedCaptionButton placed{&b, Rect{}, false, scale};
        if (window_.caption.border != FrameBorder::NoCaption && CaptionButtonVisible(b, window_.caption)) {
            placed.bounds = CaptionButtonBounds(b, width, area, scale);
            placed.visible = !placed.bounds.IsEmpty();
        }
        return placed;
    };
    // Buttons at the window's edges first: they bound the caption area that
    // places the others.
    for (const auto& b : data.CaptionButtons()) {
        buttons_.push_back(PlacedByCaptionArea(*b) ? PlacedCaptionButton{b.get(), Rect{}, false, scale}
                                                   : place(*b, {}));
        const PlacedCaptionButton& placed = buttons_.back();
        if (!placed.visible) continue;
        if (IsRightAligned(*b)) right_buttons_left_ = std::min(right_buttons_left_, placed.bounds.left);
        narrow_text(placed.bounds);
    }
    const CaptionArea area{text_left, text_right};
    for (auto& placed : buttons_) {
        if (!PlacedByCaptionArea(*placed.data)) continue;
        placed = place(*placed.data, area);
        if (placed.visible) narrow_text(placed.bounds);
    }

    const TDataSkinTitle& title = data.Title();
    text_area_ = Rect{std::max(text_left, scale.Apply(title.TextShift())), scale.Apply(title.TextShiftVert()),
                      std::min(text_right, width - scale.Apply(title.TextRightClip())), sizes_.top};
    if (title.TextAlignment == TextAlign::Centre) {
        // Centred on the window, not on what the buttons leave.
        const int half = std::min(width / 2 - text_area_.left, text_area_.right - width / 2);
        text_area_.left = width / 2 - half;
        text_area_.right = width / 2 + half;
    }
}

int FrameLayout::ButtonAt(Point p) const {
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const PlacedCaptionButton& b = buttons_[i];
        if (b.visible && b.data->Action != CaptionAction::Decoration && b.bounds.Contains(p)) return static_cast<int>(i);
    }
    return -1;
}

Size OuterSizeForClient(const FrameSizes& frame, int menu_bar_height, int client_width, int client_height) {
    return Size{client_width + frame.left + frame.right, client_height + frame.top + frame.bottom + menu_bar_height};
}

CaptionTextStyle CaptionText(const TSkinData& data, const FrameLayout& layout) {
    const TSkinData& d = data;
    const TDataSkinTitle& title = d.Title();
    const bool active = layout.Window().caption.active;
    const Colour fallback = active ? d.Colours().TitleTextActive : d.Colours().TitleTextNoActive;
    const Colour set = active ? title.ActiveTextColour : title.InactiveTextColour;
    CaptionTextStyle style;
    style.area = layout.CaptionTextArea();
    style.colour = d.ResolveColour(set == clNone ? fallback : set);
    style.font_height = layout.Window().scale.Apply(title.FontHeight > 0 ? title.FontHeight : 14);
    style.align = title.TextAlignment;
    return style;
}

int CaptionButtonImage(const PlacedCaptionButton& button, bool active, int state) {
    const int n = button.data->FrameCount();
    if (state == 1) return active || n < 4 ? 1 : 4;
    return std::min(state, n);
}

void PaintCaptionButton(Bitmap& dest, const PlacedCaptionButton& button, int image, int dx, int dy) {
    if (!button.visible) return;
    const TDataSkinSysButton& b = *button.data;
    const Rect at = button.bounds.Offset(dx, dy);
    if (button.scale.IsIdentity()) {
        DrawStateImage(dest, at, b.Map, true, b.FrameCount(), image);
        return;
    }
    const Bitmap state = CopyRect(b.Map, StateImageRect(b.Map, false, b.FrameCount(), image));
    DrawTransparent(dest, at, ResizeBitmap(state, at.Width(), at.Height(), button.scale.IntegerFactor() == 0));
}

FramePicture PaintFrame(const TSkinData& data, const FrameLayout& layout, const FramePaintState& state) {
    const TSkinData& d = data;
    const FrameWindow& w = layout.Window();
    const FrameSizes& f = layout.Sizes();
    const bool active = w.caption.active;
    FramePicture picture;
    if (w.width <= 0 || w.height <= 0) return picture;

    if (w.minimised) {
        picture.title = Bitmap(w.width, w.height, PixelFromColour(d.ButtonFaceColour()));
        const Bitmap top = ComposeSide(d.Top(), w.width, f.top, true, SideState(active), w.scale);
        if (!top.Empty()) Blit(picture.title, 0, 0, top, top.Bounds());
    } else {
        const int title_height = std::min(f.top, w.height);
        picture.title = Bitmap(w.width, std::max(title_height, 0), PixelFromColour(d.ButtonFaceColour()));
        const Bitmap left = ComposeSide(d.Left(), f.left, w.height, false, SideState(active), w.scale);
        const Bitmap right = ComposeSide(d.Right(), f.right, w.height, false, SideState(active), w.scale);
        if (!left.Empty()) {
            Blit(picture.title, 0, 0, left, left.Bounds());
            picture.left = CopyRect(left, Rect{0, title_height, left.Width(), w.height});
        }
        if (!right.Empty()) {
            Blit(picture.title, w.width - f.right, 0, right, right.Bounds());
            picture.right = CopyRect(right, Rect{0, title_height, right.Width(), w.height});
        }
        const Rect top_side = layout.TopSide();
        const Bitmap top = ComposeSide(d.Top(), top_side.Width(), top_side.Height(), true, SideState(active), w.scale);
        if (!top.Empty()) Blit(picture.title, top_side.left, 0, top, top.Bounds());
        const Rect bottom_side = layout.BottomSide();
        picture.bottom = ComposeSide(d.Bottom(), bottom_side.Width(), bottom_side.Height(), true, SideState(active),
                                     w.scale);
    }

    const auto& buttons = layout.Buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const PlacedCaptionButton& b = buttons[i];
        if (!b.visible) continue;
        if (b.IsSystemMenu() && state.system_menu_drawn_by_platform) continue;
        if (b.IsSystemMenu() && state.form_icon && !state.form_icon->Empty()) {
            DrawTransparent(picture.title, b.bounds, *state.form_icon);
            continue;
        }
        const int look = static_cast<int>(i) == state.pressed ? 2 : static_cast<int>(i) == state.hot ? 3 : 1;
        PaintCaptionButton(picture.title, b, CaptionButtonImage(b, active, look));
    }
    return picture;
}

FrameRegion BuildFrameRegion(const TSkinData& data, const FrameLayout& layout) {
    const TSkinData& d = data;
    FrameRegion region;
    const FrameWindow& w = layout.Window();
    if (w.width <= 0 || w.height <= 0) return region;
    if (!d.Left().Keyed() && !d.Right().Keyed() && !d.Top().Keyed() && !d.Bottom().Keyed()) return region;
    region.whole = false;
    const FrameSizes& f = layout.Sizes();
    const Rect inner{f.left, f.top, w.width - f.right, w.height - f.bottom};
    if (!inner.IsEmpty()) region.rects.push_back(inner);
    if (w.caption.border == FrameBorder::NoCaption) return region;

    // A transparent side adds its pixels that are not the key colour, in the
    // active state (the shape must not change when the window is deactivated).
    const auto add_side = [&](const TDataSkinBorder& side, const Rect& r, bool horizontal, bool shaped) {
        if (r.IsEmpty()) return;
        if (side.Trans == KeyColour::Shapes && shaped) {
            const Bitmap composed = ComposeSide(side, r.Width(), r.Height(), horizontal, 1, w.scale);
            if (composed.Empty()) return;
            const std::vector<Rect> rows = RegionFromBitmap(composed, r.left, r.top);
            region.rects.insert(region.rects.end(), rows.begin(), rows.end());
        } else {
            region.rects.push_back(r);
        }
    };
    add_side(d.Left(), layout.LeftSide(), false, w.height >= 2);
    add_side(d.Right(), layout.RightSide(), false, w.height >= 2);
    add_side(d.Top(), layout.TopSide(), true, f.top >= 2);
    add_side(d.Bottom(), layout.BottomSide(), true, f.bottom >= 2);
    return region;
}

void PaintMenuBand(Bitmap& dest, const Rect& band, const TSkinData& data, bool active) {
    if (band.IsEmpty()) return;
    const TDataSkinObject* bar = data.MenuBar();
    if (bar && !bar->Map.Empty()) {
        const int k = active || bar->FrameCount() < 2 ? 1 : 2;
        if (!bar->Tiled()) {
            DrawNineSlice(dest, band, bar->Map, true, false, false, bar->FrameCount(), k, bar->GetMargins());
        } else {
            DrawThreeSlice(dest, band, bar->Map, false, false, bar->FrameCount(), k, bar->GetMargins());
        }
    } else {
        dest.FillRect(band, PixelFromColour(data.ResolveColour(data.Colours().Menubar)));
    }
}

std::vector<Rect> LayoutMenuBandItems(const TSkinData& data, const Rect& band, const std::vector<int>& text_widths,
                                      bool right_to_left) {
    const TDataSkinObject* bar = data.MenuBar();
    int offset = 6;
    if (bar) {
        offset = right_to_left ? bar->RightWidth + 8 : bar->LeftWidth + 4;
        if (offset > band.Width()) offset = 12;
    }
    std::vector<Rect> items;
    int x = right_to_left ? band.right - offset : band.left + offset;
    for (int text : text_widths) {
        const int width = text > 0 ? text + 10 : 0;
        if (right_to_left) {
            items.push_back(Rect{x - width, band.top, x, band.bottom - 1});
            x -= width;
        } else {
            items.push_back(Rect{x, band.top, x + width, band.bottom - 1});
            x += width;
        }
    }
    return items;
}

}  // namespace vc
