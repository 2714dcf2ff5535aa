#include "skin/win/skin_bitmap_win.h"

#include <algorithm>
#include <cstring>

#include "ui/system_colour_win.h"

namespace vc {

namespace {

BITMAPINFO TopDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first, as in the core
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

}  // namespace

DibSection::DibSection(const Bitmap& bitmap) : width_(bitmap.Width()), height_(bitmap.Height()) {
    if (bitmap.Empty()) return;
    BITMAPINFO info = TopDownInfo(width_, height_);
    void* bits = nullptr;
    bitmap_.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits) throw EOutOfResources("Out of system resources");
    std::memcpy(bits, bitmap.Data(), bitmap.Stride() * static_cast<std::size_t>(height_));
}

Bitmap BitmapFromHandle(HBITMAP handle) {
    BITMAP bm{};
    if (!handle || !::GetObjectA(handle, sizeof bm, &bm)) return Bitmap();
    Bitmap out(bm.bmWidth, std::abs(bm.bmHeight));
    if (out.Empty()) return out;
    BITMAPINFO info = TopDownInfo(out.Width(), out.Height());
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, handle, 0, static_cast<UINT>(out.Height()), out.Data(), &info, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    for (int y = 0; y < out.Height(); ++y)
        for (Pixel* p = out.ScanLine(y); p != out.ScanLine(y) + out.Width(); ++p) *p |= kOpaque;
    return out;
}

Bitmap BitmapFromDc(HDC dc, const Rect& area) {
    Bitmap out(area.Width(), area.Height());
    if (out.Empty()) return out;
    BITMAPINFO info = TopDownInfo(out.Width(), out.Height());
    void* bits = nullptr;
    ui::UniqueBitmap dib(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ui::UniqueMemoryDc memory(::CreateCompatibleDC(dc));
    if (!dib || !memory) throw EOutOfResources("Out of system resources");
    {
        ui::SelectedObject selected(memory.Get(), dib.Get());
        ::BitBlt(memory.Get(), 0, 0, out.Width(), out.Height(), dc, area.left, area.top, SRCCOPY);
        ::GdiFlush();
    }
    std::memcpy(out.Data(), bits, out.Stride() * static_cast<std::size_t>(out.Height()));
    for (int y = 0; y < out.Height(); ++y)
        for (Pixel* p = out.ScanLine(y); p != out.ScanLine(y) + out.Width(); ++p) *p |= kOpaque;
    return out;
}

void DrawBitmap(HDC dc, int x, int y, const Bitmap& bitmap) {
    if (bitmap.Empty()) return;
    BITMAPINFO info = TopDownInfo(bitmap.Width(), bitmap.Height());
    ::SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(bitmap.Width()), static_cast<DWORD>(bitmap.Height()), 0, 0, 0,
                        static_cast<UINT>(bitmap.Height()), bitmap.Data(), &info, DIB_RGB_COLORS);
}

ui::UniqueRegion RegionFromRects(const std::vector<Rect>& rects) {
    ui::UniqueRegion result(::CreateRectRgn(0, 0, 0, 0));
    if (!result) throw EOutOfResources("Out of system resources");
    std::vector<std::uint8_t> buffer;
    for (std::size_t start = 0; start < rects.size(); start += kRegionBlock) {
        const std::size_t count = std::min(kRegionBlock, rects.size() - start);
        buffer.assign(sizeof(RGNDATAHEADER) + count * sizeof(RECT), 0);
        auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
        data->rdh.dwSize = sizeof(RGNDATAHEADER);
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nCount = static_cast<DWORD>(count);
        data->rdh.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
        RECT bounds{rects[start].left, rects[start].top, rects[start].right, rects[start].bottom};
        RECT* out = reinterpret_cast<RECT*>(data->Buffer);
        for (std::size_t i = 0; i < count; ++i) {
            const Rect& r = rects[start + i];
            out[i] = RECT{r.left, r.top, r.right, r.bottom};
            bounds.left = std::min<LONG>(bounds.left, r.left);
            bounds.top = std::min<LONG>(bounds.top, r.top);
            bounds.right = std::max<LONG>(bounds.right, r.right);
            bounds.bottom = std::max<LONG>(bounds.bottom, r.bottom);
        }
        data->rdh.rcBound = bounds;
        ui::UniqueRegion block(::ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
        if (!block) throw EOutOfResources("Out of system resources");
        ::CombineRgn(result.Get(), result.Get(), block.Get(), RGN_OR);
    }
    return result;
}

SkinEnvironment WindowsSkinEnvironment(HWND owner, const char* caption) {
    SkinEnvironment e;
    e.system_colour = &ui::SystemColour;
    e.h_scroll_arrow_width = ::GetSystemMetrics(SM_CXHSCROLL);
    HMODULE user32 = ::GetModuleHandleA("user32.dll");
    e.has_scroll_bar_info = user32 && ::GetProcAddress(user32, "GetScrollBarInfo") != nullptr;
    e.show_message = [owner, caption = std::string(caption)](const std::string& text) {
        ::MessageBoxA(owner, text.c_str(), caption.c_str(), MB_OK);
    };
    return e;
}

}  // namespace vc
