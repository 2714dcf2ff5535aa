#pragma once
// Helpers of the Wine tests: pumping, paths, plain windows, window captures.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/handles_win.h"

namespace vc::effects::test {

// Runs the thread's messages for a while, so that painting and activation settle.
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

// Runs the thread's messages until the condition holds or time is up: whether it held.
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

// A top-level window of a class of the tests' own, registered on first use.
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
        pixels_.resize(static_cast<std::size_t>(width_) * height_);
        const ui::WindowDc screen(window, ui::WindowDc::Area::Whole);
        const ui::UniqueMemoryDc memory(::CreateCompatibleDC(screen.Get()));
        const ui::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.Get(), width_, height_));
        {
            const ui::SelectedObject selected(memory.Get(), bitmap.Get());
            ::BitBlt(memory.Get(), 0, 0, width_, height_, screen.Get(), 0, 0, SRCCOPY);
        }
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        ::GetDIBits(memory.Get(), bitmap.Get(), 0, height_, pixels_.data(), &info, DIB_RGB_COLORS);
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
