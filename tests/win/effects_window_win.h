#pragma once
// Helpers of the Wine tests: message pumping, paths beside the program,
// plain windows, and capturing a window's pixels, frame included.
#include <windows.h>

#include <cstdint>
#include <string>
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

// Runs the thread's messages until the condition holds, for at most the
// given time: whether it held.
template <class Condition>
bool PumpUntil(Condition done, DWORD milliseconds = 5000) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        Pump(0);
        if (done()) return true;
        if (::GetTickCount() - start > milliseconds) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// A file beside this test program: the runtime is built there.
inline std::string BesideTests(const char* name) {
    char path[MAX_PATH];
    const std::string self(path, ::GetModuleFileNameA(nullptr, path, MAX_PATH));
    return self.substr(0, self.rfind('\\') + 1) + name;
}

inline std::string TempPath(const std::string& name) {
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    return folder + name;
}

// A top-level window of a class of the tests' own, registered with the
// window procedure on first use.
inline HWND MakeWindow(const char* className, DWORD style, const RECT& r, WNDPROC proc = &::DefWindowProcA) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = className;
    ::RegisterClassA(&windowClass);
    return ::CreateWindowExA(0, className, className, style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                             nullptr, nullptr, windowClass.hInstance, nullptr);
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
