// The start-up benchmark, run inside Wine (or Windows): starts each program
// in turn, round after round, and times CreateProcess to two moments: a
// visible top-level window of the new process exists, and that window answers
// a message (its thread has reached the message loop, so it takes input; a
// book has asked the browser for its start page by then). Then it closes the
// program and waits for its end before the next start. The private memory
// the program has committed when its window answers is reported too.
//
//   startup_launcher ROUNDS NAME=COMMAND-LINE ...
//
// The first program is the floor; every line reports, for each moment, the
// median, the fastest and the slowest start in milliseconds, and the median
// above the floor's. A runtime started with VC_STARTUP_TRACE writes the
// high-resolution counter at each phase of its start-up ("navigate": the
// start page has been asked of the browser); the medians of those phases,
// in milliseconds since CreateProcess, follow the table.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "bench_win.h"

namespace {

using vc::bench::Median;
using vc::bench::Milliseconds;
using vc::bench::Ticks;
using vc::bench::VisibleWindowOf;

struct Program {
    std::string name;
    std::string commandLine;
    std::vector<double> visibleMs;
    std::vector<double> answersMs;
    std::vector<double> privateMb;  // when the window answers
    // Each phase of the program's own marks, in the order first seen.
    std::vector<std::pair<std::string, std::vector<double>>> phases;
    bool isFloor = false;  // the minimal program: no marks to wait for
};

std::string TracePath() {
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "vc-startup-trace.txt";
}

// The marks a traced start wrote, as milliseconds since `start`. The runtime
// writes them when its message loop takes its first message, which may come
// just after it answered; a program without marks writes none.
void ReadTrace(Program& program, LONGLONG start) {
    std::FILE* file = nullptr;
    for (int wait = 0; wait < 200 && !file; ++wait) {
        file = std::fopen(TracePath().c_str(), "r");
        if (!file) ::Sleep(1);
    }
    if (!file) return;
    char phase[64] = {};
    long long ticks = 0;
    while (std::fscanf(file, "%63s %lld", phase, &ticks) == 2) {
        auto found = std::find_if(program.phases.begin(), program.phases.end(),
                                  [&](const auto& p) { return p.first == phase; });
        if (found == program.phases.end()) found = program.phases.insert(program.phases.end(), {phase, {}});
        found->second.push_back(Milliseconds(ticks - start));
    }
    std::fclose(file);
}

// One start; false when the program did not start or showed nothing in time.
bool StartOnce(Program& program) {
    ::DeleteFileA(TracePath().c_str());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string commandLine = program.commandLine;
    const LONGLONG start = Ticks();
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        std::fprintf(stderr, "%s: cannot start (error %lu)\n", program.name.c_str(), ::GetLastError());
        return false;
    }
    HWND window = nullptr;
    while (!window && Milliseconds(Ticks() - start) < 20000) {
        window = VisibleWindowOf(process.dwProcessId);
        if (!window) {
            if (::WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
            // Polling leaves the processor to the program it waits for.
            ::Sleep(1);
        }
    }
    const double visible = Milliseconds(Ticks() - start);
    DWORD_PTR ignored = 0;
    if (window && ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &ignored)) {
        program.visibleMs.push_back(visible);
        program.answersMs.push_back(Milliseconds(Ticks() - start));
        // The commit charge: the private memory committed for the process.
        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
            program.privateMb.push_back(static_cast<double>(memory.PagefileUsage) / (1024.0 * 1024.0));
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        ReadTrace(program, start);
    } else {
        std::fprintf(stderr, "%s: no window appeared, or it did not answer\n", program.name.c_str());
    }
    if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return window != nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    // Every program started inherits it; only the runtime reads it.
    ::SetEnvironmentVariableA("VC_STARTUP_TRACE", TracePath().c_str());
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_launcher ROUNDS NAME=COMMAND-LINE ...\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    std::vector<Program> programs;
    for (int i = 2; i < argc; ++i) {
        const std::string argument = argv[i];
        const std::size_t equals = argument.find('=');
        if (equals == std::string::npos || rounds < 1) {
            std::fprintf(stderr, "usage: startup_launcher ROUNDS NAME=COMMAND-LINE ...\n");
            return 2;
        }
        Program program{argument.substr(0, equals), argument.substr(equals + 1), {}, {}, {}, {}, programs.empty()};
        programs.push_back(std::move(program));
    }
    // One start of each first, not counted: Wine maps the files and libraries
    // once, and every measured round should find them alike.
    for (Program& program : programs) {
        if (!StartOnce(program)) return 1;
        program.visibleMs.clear();
        program.answersMs.clear();
        program.privateMb.clear();
        program.phases.clear();
    }
    // Alternating, so that whatever else the machine does falls on all alike,
    // and in a new order each round: under Wine a start is tens of
    // milliseconds faster right after a small program has ended, so a program
    // that always followed the same one would be measured by its neighbour.
    std::vector<std::size_t> order(programs.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::mt19937 shuffler(20261207);  // a fixed seed: every run shuffles alike
    for (int round = 0; round < rounds; ++round) {
        std::shuffle(order.begin(), order.end(), shuffler);
        for (std::size_t i : order)
            if (!StartOnce(programs[i])) return 1;
    }

    std::printf("ms from CreateProcess, %d rounds\n", rounds);
    std::printf("%-12s %-8s %9s %9s %9s %12s\n", "program", "until", "median", "fastest", "slowest", "above floor");
    const auto report = [&](const char* until, std::vector<double> Program::*times) {
        const double floor = Median(programs.front().*times);
        for (const Program& program : programs) {
            const std::vector<double>& values = program.*times;
            const auto [low, high] = std::minmax_element(values.begin(), values.end());
            const double median = Median(values);
            std::printf("%-12s %-8s %9.1f %9.1f %9.1f %12.1f\n", program.name.c_str(), until, median, *low, *high,
                        median - floor);
        }
    };
    report("visible", &Program::visibleMs);
    report("answers", &Program::answersMs);
    std::printf("\nprivate MB when the window answers (median, and above the floor's)\n");
    const double floorMb = programs.front().privateMb.empty() ? 0 : Median(programs.front().privateMb);
    for (const Program& program : programs)
        if (!program.privateMb.empty())
            std::printf("%-12s %9.2f %9.2f\n", program.name.c_str(), Median(program.privateMb),
                        Median(program.privateMb) - floorMb);

    const double floor = Median(programs.front().visibleMs);
    for (const Program& program : programs) {
        if (program.phases.empty()) continue;
        std::printf("\n%s, median ms since CreateProcess (and above the floor's visible window):\n",
                    program.name.c_str());
        for (const auto& [phase, times] : program.phases)
            std::printf("  %-12s %9.1f %9.1f\n", phase.c_str(), Median(times), Median(times) - floor);
    }
    return 0;
}
