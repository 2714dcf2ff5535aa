#include "window/startup_trace_win.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace vc::startup_trace {

namespace {

struct PhaseMark {
    const char* phase;
    LONGLONG ticks;
};

// Marks come from one thread, in a known handful; more are dropped.
constexpr int kMaxMarks = 16;
PhaseMark g_marks[kMaxMarks];
int g_count = 0;

bool Tracing() noexcept {
    static const bool tracing = ::GetEnvironmentVariableA("VC_STARTUP_TRACE", nullptr, 0) > 0;
    return tracing;
}

}  // namespace

void Mark(const char* phase) noexcept {
    if (!Tracing() || g_count == kMaxMarks) return;
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    g_marks[g_count++] = PhaseMark{phase, now.QuadPart};
}

void Write() noexcept {
    if (!Tracing() || g_count == 0) return;
    char path[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA("VC_STARTUP_TRACE", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    if (std::FILE* file = std::fopen(path, "w")) {
        // No printf: it would bring the C library's whole formatter along.
        for (int i = 0; i < g_count; ++i) {
            const std::string line = std::string(g_marks[i].phase) + " " + std::to_string(g_marks[i].ticks) + "\n";
            std::fputs(line.c_str(), file);
        }
        std::fclose(file);
    }
    g_count = 0;
}

}  // namespace vc::startup_trace
