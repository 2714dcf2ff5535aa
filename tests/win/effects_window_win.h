#pragma once
// Helpers of the window-effect tests: message pumping and capturing a
// window's pixels, frame included.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace vc::effects::test {

// Runs the thread's messages for a while, so that painting and activation
// settle.
inline void Pump(DWORD milliseconds = 150) {
    const DWORD start = ::GetTickCount();
    do {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
        ::Sleep(5);
    } while (::GetTickCount() - start < milliseconds);
}

// The whole window as the screen shows it, read through its window DC.
class WindowPixels {
public:
    explicit WindowPixels(HWND window) {
        RECT bounds{};
        ::GetWindowRect(window, &bounds);
        width_ = bounds.right - bounds.left;
        height_ = bounds.bottom - bounds.top;
        pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
        HDC windowDc = ::GetWindowDC(window);
        HDC memory = ::CreateCompatibleDC(windowDc);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        HBITMAP bitmap = ::CreateDIBSection(windowDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, width_, height_, windowDc, 0, 0, SRCCOPY);
        ::GdiFlush();
        const auto* source = static_cast<const std::uint32_t*>(bits);
        pixels_.assign(source, source + pixels_.size());
        ::SelectObject(memory, old);
        ::DeleteObject(bitmap);
        ::DeleteDC(memory);
        ::ReleaseDC(window, windowDc);
    }

    // The pixel at window coordinates, as a COLORREF.
    COLORREF At(int x, int y) const {
        const std::uint32_t p = pixels_[static_cast<std::size_t>(y) * width_ + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Pixels inside the rectangle for which the test holds.
    template <class Test>
    int Count(const RECT& r, Test test) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += test(At(x, y)) ? 1 : 0;
        return n;
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint32_t> pixels_;
};

}  // namespace vc::effects::test
