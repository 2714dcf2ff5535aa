#pragma once
// What the benchmarks that drive a running book under Wine (or Windows)
// share: the high-resolution clock and the book's window.
#include <windows.h>

#include "bench_statistics.h"

namespace vc::bench {

inline double Milliseconds(LONGLONG ticks) {
    static const LONGLONG frequency = [] {
        LARGE_INTEGER f{};
        ::QueryPerformanceFrequency(&f);
        return f.QuadPart;
    }();
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency);
}

inline LONGLONG Ticks() {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// A visible top-level window of the process; a message box is owned by the
// window it speaks for and does not count.
inline HWND VisibleWindowOf(DWORD process) {
    struct Search {
        DWORD process;
        HWND found;
    } search{process, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* search = reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner != search->process || !::IsWindowVisible(window) || ::GetWindow(window, GW_OWNER)) return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace vc::bench
