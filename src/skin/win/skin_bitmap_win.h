#pragma once
// The skin engine's pictures on Windows: core bitmaps to and from DIB
// sections, opaque and keyed drawing onto a device context, rectangle lists
// to regions, and the system values the skin data asks for.
#include <windows.h>

#include <vector>

#include "common/bitmap.h"
#include "skin/look/composition.h"
#include "skin/look/skin_data.h"
#include "ui/handles_win.h"

namespace vc {

// A skin colour as GDI takes it.
inline COLORREF Gdi(Colour c) { return static_cast<COLORREF>(c & kPixelRgbMask); }

// A screen point in the coordinates of a window's whole rectangle, frame
// included: where a skin lays out its frame and menu-bar pictures.
inline Point WindowPoint(HWND window, POINT screen) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return Point{screen.x - r.left, screen.y - r.top};
}

// A 32-bit top-down DIB section holding a copy of a bitmap's pixels.
class DibSection {
public:
    explicit DibSection(const Bitmap& bitmap);
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;

    HBITMAP Handle() const { return bitmap_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Releases the handle to the caller.
    HBITMAP Release() { return bitmap_.Release(); }

private:
    ui::UniqueBitmap bitmap_;
    int width_ = 0;
    int height_ = 0;
};

// The pixels of any bitmap handle (device-dependent or DIB), top row first.
Bitmap BitmapFromHandle(HBITMAP handle);
// The pixels of `area` of a device context.
Bitmap BitmapFromDc(HDC dc, const Rect& area);

// Copies the bitmap to (x, y) of the device context.
void DrawBitmap(HDC dc, int x, int y, const Bitmap& bitmap);

// Copies the bitmap to (x, y) of the device context after `draw` has drawn
// on it with GDI (texts, icons), in one blit so that nothing flickers.
// `draw` receives a memory device context holding the bitmap.
template <class Draw>
void DrawBitmapWithGdi(HDC target, int x, int y, const Bitmap& bitmap, Draw&& draw) {
    if (bitmap.Empty()) return;
    DibSection dib(bitmap);
    ui::UniqueMemoryDc memory(::CreateCompatibleDC(target));
    if (!memory || !dib.Handle()) return;
    ui::SelectedObject selected(memory.Get(), dib.Handle());
    draw(memory.Get());
    ::BitBlt(target, x, y, bitmap.Width(), bitmap.Height(), memory.Get(), 0, 0, SRCCOPY);
}

// A region of rectangles, created in blocks of at most 2000 rectangles and
// joined; an empty region for an empty list. The caller owns it.
constexpr std::size_t kRegionBlock = 2000;
ui::UniqueRegion RegionFromRects(const std::vector<Rect>& rects);

// The system's colours and metrics and a message box for the reader's
// messages, for TSkinData::Environment.
SkinEnvironment WindowsSkinEnvironment(HWND owner = nullptr, const char* caption = "Vellumcast");

}  // namespace vc
