#include "skin/skin_preview.h"

#include <algorithm>

namespace vc {

namespace {

int StateWidth(const TDataSkinObject& o) { return o.Map.Width() / o.FrameCount(); }
int StateHeight(const TDataSkinObject& o) { return o.Map.Height() / o.FrameCount(); }

// A frame side: active windows show state 1, inactive ones state 2 when the
// side has one.
void DrawSide(Bitmap& canvas, const TDataSkinBorder& side, const Rect& r, bool horizontal, bool active) {
    if (side.Map.Empty()) return;
    const int n = side.FrameCount();
    const int k = active || n < 2 ? 1 : 2;
    DrawNineSlice(canvas, r, side.Map, horizontal, side.Tile != 1, side.Trans != 0, n, k, side.GetMargins());
}

void DrawObject(Bitmap& canvas, const TDataSkinObject* o, const Rect& r, int k) {
    if (!o || o->Map.Empty()) return;
    DrawNineSlice(canvas, r, o->Map, false, o->Tile == 1, o->Trans != 0, o->FrameCount(),
                  std::min(k, o->FrameCount()), o->GetMargins());
}

}  // namespace

FrameSizes SkinFrameSizes(TSkinData& data) {
    return FrameSizes{StateWidth(data.Left()), StateHeight(data.Top()), StateWidth(data.Right()),
                      StateHeight(data.Bottom())};
}

Rect CaptionButtonBounds(const TDataSkinSysButton& b, int window_width) {
    if (b.Map.Empty() || b.Visibility == 100) return Rect{};
    const int w = b.Map.Width() / b.FrameCount();
    const int h = b.Map.Height();
    int x = 0, y = 0;
    switch (b.Align) {
        case 0: x = b.Xcoord; y = b.Ycoord; break;
        case 1: x = window_width - b.Xcoord; y = b.Ycoord; break;
        // The caption area is empty until a caption painter fills it in.
        case 2: case 8: x = -w - b.Xcoord; y = b.Ycoord; break;
        case 3: case 9: x = b.Xcoord; y = b.Ycoord; break;
        default: break;
    }
    return Rect::FromSize(x, y, w, h);
}

Bitmap RenderSkinPreview(TSkinData& data, const SkinPreviewArgs& args) {
    const int W = std::max(args.width, 1), H = std::max(args.height, 1);
    Bitmap canvas(W, H, PixelFromColour(data.ButtonFaceColour()));
    const FrameSizes f = SkinFrameSizes(data);
    DrawSide(canvas, data.Top(), Rect{0, 0, W, f.top}, true, args.active);
    DrawSide(canvas, data.Bottom(), Rect{0, H - f.bottom, W, H}, true, args.active);
    DrawSide(canvas, data.Left(), Rect{0, f.top, f.left, H - f.bottom}, false, args.active);
    DrawSide(canvas, data.Right(), Rect{W - f.right, f.top, W, H - f.bottom}, false, args.active);

    for (const auto& b : data.CaptionButtons()) {
        const Rect r = CaptionButtonBounds(*b, W);
        if (r.IsEmpty()) continue;
        const int k = args.active || b->FrameCount() < 4 ? 1 : 4;
        DrawStateImage(canvas, r, b->Map, true, b->FrameCount(), k);
    }

    int y = f.top;
    const int left = f.left, right = W - f.right;
    if (const TDataSkinObject* bar = data.MenuBar(); bar && !bar->Map.Empty()) {
        const int h = bar->Map.Height();
        DrawThreeSlice(canvas, Rect{left, y, right, y + h}, bar->Map, false, bar->Trans != 0, bar->FrameCount(), 1,
                       bar->GetMargins());
        // A few menu items, hot and normal, on the band.
        if (const TDataSkinObject* item = data.FindObject("MenuItem"))
            for (int i = 0; i < 3; ++i)
                DrawObject(canvas, item, Rect::FromSize(left + 4 + 60 * i, y + 1, 56, std::max(h - 2, 1)), i == 1 ? 2 : 1);
        y += h;
    }
    y += 10;
    int x = left + 10;
    // Push buttons in their five states.
    const TDataSkinButton& buttons = data.Buttons();
    for (int k = 1; k <= 5; ++k) DrawObject(canvas, &buttons, Rect::FromSize(x + 85 * (k - 1), y, 75, 23), k);
    y += 33;
    // Check boxes and radio buttons: every state of their strips.
    const auto strip = [&](const Bitmap& image, int frames) {
        if (image.Empty() || frames < 1) return;
        const int cell = image.Width() / frames;
        for (int k = 1; k <= frames; ++k)
            DrawStateImage(canvas, Rect::FromSize(x + (cell + 6) * (k - 1), y, cell, image.Height()), image, true,
                           frames, k);
        y += image.Height() + 8;
    };
    strip(buttons.CheckMap, buttons.CheckFrame);
    strip(buttons.RadioMap, buttons.RadioFrame);

    // A horizontal scroll bar: arrows, track and thumb.
    const int bar_width = std::max(std::min(300, right - x - 10), 60);
    const TDataSkinObject* arrows = data.FindObject("Scrollbar");
    const int arrow = arrows && !arrows->Map.Empty() ? StateWidth(*arrows) : 17;
    const int bar_height = arrows && !arrows->Map.Empty() ? arrows->Map.Height() : 17;
    DrawObject(canvas, data.FindObject("HorzScroll"), Rect::FromSize(x + arrow, y, bar_width - 2 * arrow, bar_height), 1);
    if (const TDataSkinObject* thumb = data.FindObject("HorzScrollThumb"))
        DrawObject(canvas, thumb, Rect::FromSize(x + arrow + 20, y, 60, bar_height), 1);
    if (arrows && !arrows->Map.Empty()) {
        DrawStateImage(canvas, Rect::FromSize(x, y, arrow, bar_height), arrows->Map, true, arrows->FrameCount(), 1);
        DrawStateImage(canvas, Rect::FromSize(x + bar_width - arrow, y, arrow, bar_height), arrows->Map, true,
                       arrows->FrameCount(), std::min(5, arrows->FrameCount()));
    }
    y += bar_height + 10;

    // A progress bar, sixty per cent done.
    if (const TDataSkinObject* progress = data.FindObject("Progress")) {
        const Rect track = Rect::FromSize(x, y, bar_width, 18);
        DrawObject(canvas, progress, track, 1);
        if (const TDataSkinObject* chunk = data.FindObject("Progress.Chunk"))
            DrawObject(canvas, chunk, Rect::FromSize(x + 2, y + 2, (bar_width - 4) * 6 / 10, 14), 1);
        else if (progress->FrameCount() > 1)
            DrawObject(canvas, progress, Rect::FromSize(x, y, bar_width * 6 / 10, 18), 2);
    }

    // A status bar along the bottom of the client area.
    if (const TDataSkinObject* status = data.FindObject("StatusBarEdges")) {
        const int h = std::max(StateHeight(*status), 20);
        DrawObject(canvas, status, Rect{left, H - f.bottom - h, right, H - f.bottom}, 1);
    }
    return canvas;
}

}  // namespace vc
